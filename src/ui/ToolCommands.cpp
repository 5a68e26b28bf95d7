// The drawing tools in the window: their keys, the tool bar that offers them, the View menu
// that hides and shows it, the editor's cursor for each, and Esc.
#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "tools/FillTool.h"
#include "tools/FreehandTool.h"
#include "tools/PickerTool.h"
#include "tools/SelectTool.h"
#include "tools/ShapeTool.h"
#include "tools/SquareRotation.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"
#include "ui/ToolIcons.h"
#include "ui/ToolManager.h"

namespace kelvane {

void TForm1::BuildTools() {
  tools_ = new ToolManager(this);
  const auto shape = [this](Shape s) { return std::make_unique<ShapeTool>(document_, s); };
  struct {
    const char* name;
    QString caption;
    QKeySequence key;
    QString hint;
    ToolPicture picture;
    std::unique_ptr<Tool> tool;
  } tools[] = {
      {"ToolPen1", tr("Pen"), QKeySequence(Qt::Key_B),
       tr("pen: paint pixels (right button: transparent)"), ToolPicture::Pen,
       std::make_unique<FreehandTool>(document_)},
      {"ToolFill1", tr("Fill"), QKeySequence(Qt::Key_G),
       tr("fill: flood the area of one colour under the pointer"), ToolPicture::Fill,
       std::make_unique<FillTool>(document_)},
      {"ToolLine1", tr("Line"), QKeySequence(Qt::Key_L),
       tr("line: drag from end to end (Shift: level, upright or 45\u00b0)"), ToolPicture::Line,
       shape(Shape::Line)},
      {"ToolRectangle1", tr("Rectangle"), QKeySequence(Qt::Key_U),
       tr("rectangle: drag from corner to corner (Shift: square)"), ToolPicture::Rectangle,
       shape(Shape::Rectangle)},
      {"ToolFilledRectangle1", tr("Filled Rectangle"), QKeySequence(Qt::SHIFT | Qt::Key_U),
       tr("filled rectangle: drag from corner to corner (Shift: square)"),
       ToolPicture::FilledRectangle, shape(Shape::FilledRectangle)},
      {"ToolEllipse1", tr("Ellipse"), QKeySequence(Qt::Key_O),
       tr("ellipse: drag the box it fits in (Shift: circle)"), ToolPicture::Ellipse,
       shape(Shape::Ellipse)},
      {"ToolFilledEllipse1", tr("Filled Ellipse"), QKeySequence(Qt::SHIFT | Qt::Key_O),
       tr("filled ellipse: drag the box it fits in (Shift: circle)"), ToolPicture::FilledEllipse,
       shape(Shape::FilledEllipse)},
      {"ToolPicker1", tr("Picker"), QKeySequence(Qt::Key_I),
       tr("picker: make the pen under the pointer current (Alt+click with any tool)"),
       ToolPicture::Picker, std::make_unique<PickerTool>(document_)},
      {"ToolSelect1", tr("Select"), QKeySequence(Qt::Key_M),
       tr("select: drag a rectangle; drag inside it to move (Ctrl: copy), Enter puts it down"),
       ToolPicture::Select, std::make_unique<SelectTool>(document_)},
  };
  selectTool_ = static_cast<SelectTool*>(tools[std::size(tools) - 1].tool.get());
  for (auto& t : tools) {
    QAction* action = tools_->Add(std::move(t.tool), t.caption, t.key, t.hint);
    action->setObjectName(QString::fromLatin1(t.name));
    action->setIcon(ToolIcon(t.picture, devicePixelRatioF()));
    const ToolPicture picture = t.picture;
    connect(action, &QAction::triggered, this, [this, picture] { ShowToolCursor(picture); });
    // The keys work with the tool bar hidden too.
    addAction(action);
    toolActions_.push_back(action);
  }
  tools_->PickWithAlt(findChild<QAction*>(QStringLiteral("ToolPicker1")));
  selectAction_ = toolActions_.back();
  ShowToolCursor(ToolPicture::Pen);

  // Esc takes back the use of a tool in progress.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] {
    tools_->Cancel();
    ShowToolPreview();
  });

  // The arrow keys move a selection by a pixel and Enter puts it down; without one they are
  // the focused control's, as ever.
  const struct {
    QKeySequence key;
    int columns, rows;
  } moves[] = {{QKeySequence(Qt::Key_Left), -1, 0},  {QKeySequence(Qt::Key_Right), 1, 0},
               {QKeySequence(Qt::Key_Up), 0, -1},    {QKeySequence(Qt::Key_Down), 0, 1},
               {QKeySequence(Qt::Key_Return), 0, 0}, {QKeySequence(Qt::Key_Enter), 0, 0}};
  for (const auto& move : moves) {
    auto* key = new QShortcut(move.key, this);
    key->setEnabled(false);
    connect(key, &QShortcut::activated, this, [this, move] {
      OnSelection([move](SelectTool& s) {
        if (move.columns == 0 && move.rows == 0) {
          s.PutDown();
        } else {
          s.MoveBy(move.columns, move.rows);
        }
      });
    });
    selectionKeys_.push_back(key);
  }
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::Key_T), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)}) {
    auto* refusal = new QShortcut(key, this);
    connect(refusal, &QShortcut::activated, this,
            [this] { statusBar()->showMessage(RotateRight1->statusTip()); });
    rotateRefusals_.push_back(refusal);
  }
  // Ctrl+Shift+V: the copied pixels float as a new selection, with the Select tool.
  auto* pastePixels = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this);
  connect(pastePixels, &QShortcut::activated, this, [this] {
    if (!selectTool_->CanPaste()) return;
    selectAction_->trigger();
    ShowToolCursor(ToolPicture::Select);
    selectTool_->Paste();
    ShowToolPreview();
  });
}

bool TForm1::OnSelection(const std::function<void(SelectTool&)>& command) {
  if (!selectTool_->HasSelection()) return false;
  command(*selectTool_);
  ShowToolPreview();
  return true;
}

void TForm1::ShowSelectionState() {
  const bool selection = selectTool_ && selectTool_->HasSelection();
  // A multi-colour sprite's grid is 12 x 21: only a square selection of it can turn.
  const bool canRotate = selection ? selectTool_->Square() : !document_.CurrentIsMultiColour();
  // Called after every move of the mouse: the controls change only when the state does.
  const SelectionState state{selection, canRotate};
  if (state == shownSelection_ || !RotateRight1) return;
  shownSelection_ = state;
  for (QShortcut* key : selectionKeys_) key->setEnabled(selection);
  const QString why =
      selection ? tr("only a square selection can be rotated")
                : tr("select a square to rotate: a multi-colour sprite is 12 pixels wide");
  for (QAction* rotate : {RotateRight1, RotateLeft1}) {
    rotate->setEnabled(canRotate);
    rotate->setStatusTip(canRotate ? tr("turn a quarter") : why);
  }
  // Ctrl+T while the items are off says why in the status bar.
  for (QShortcut* key : rotateRefusals_) key->setEnabled(!canRotate);
}

void TForm1::Rotate(bool right) {
  if (!OnSelection([right](SelectTool& s) { s.Rotate(right); })) {
    RotateSpriteSquare(document_, right);
  }
}

void TForm1::RotateRight1Click() {
  Rotate(true);
}

void TForm1::RotateLeft1Click() {
  Rotate(false);
}

void TForm1::BuildToolBar() {
  // At the left, outside the client area: the documented controls keep their places, and the
  // window grows by the bar's width.
  ToolBar1 = new QToolBar(tr("Tools"), this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(kGlyphSize, kGlyphSize));
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  // Buttons of its own rather than the actions': an action's button shows its text as a tool
  // tip, and this window's hints show in the status bar only, without pop-ups.
  for (QAction* action : toolActions_) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setCheckable(true);
    button->setChecked(action->isChecked());
    button->setIcon(action->icon());
    button->setIconSize(ToolBar1->iconSize());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStatusTip(action->statusTip());
    button->setAccessibleName(action->text());
    connect(button, &QToolButton::clicked, action, [action, button] {
      action->trigger();
      button->setChecked(action->isChecked());
    });
    connect(action, &QAction::toggled, button, &QToolButton::setChecked);
    ToolBar1->addWidget(button);
  }
  addToolBar(Qt::LeftToolBarArea, ToolBar1);
}

void TForm1::AddToolBarToggle() {
  ViewMenu1->addSeparator();
  ShowToolBar1 = ViewMenu1->addAction(tr("&Tool Bar"));
  ShowToolBar1->setObjectName(QStringLiteral("ShowToolBar1"));
  ShowToolBar1->setCheckable(true);
  ShowToolBar1->setChecked(true);
  ShowToolBar1->setStatusTip(tr("show or hide the drawing tools"));
  connect(ShowToolBar1, &QAction::toggled, this, [this](bool on) {
    ToolBar1->setVisible(on);
    FitWindow();
  });
}

void TForm1::FitWindow() {
  // Never smaller than what it holds; a window at its least size stays at it.
  const bool least = size() == minimumSize();
  setMinimumSize(0, 0);
  layout()->activate();
  setMinimumSize(sizeHint());
  resize(least ? sizeHint() : size().expandedTo(sizeHint()));
}

void TForm1::ShowToolCursor(ToolPicture picture) {
  toolPicture_ = picture;
  Image1->setCursor(ToolCursor(picture, devicePixelRatioF()));
}

}  // namespace kelvane
