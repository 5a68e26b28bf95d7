// The drawing tools in the window: their keys, the tool bar that offers them, the View menu
// that hides and shows it, the editor's cursor for each, and Esc.
#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

#include "tools/FillTool.h"
#include "tools/FreehandTool.h"
#include "tools/PickerTool.h"
#include "tools/ShapeTool.h"
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
  };
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
  ShowToolCursor(ToolPicture::Pen);

  // Esc takes back the use of a tool in progress.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] {
    tools_->Cancel();
    ShowToolPreview();
  });
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

void TForm1::BuildViewMenu() {
  QMenu* view = new QMenu(tr("&View"), this);
  view->setObjectName(QStringLiteral("View1"));
  // Between Edit and Tools.
  menuBar()->insertMenu(menuBar()->actions().at(2), view);
  ShowToolBar1 = view->addAction(tr("&Tool Bar"));
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
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  layout()->activate();
  setFixedSize(sizeHint());
}

void TForm1::ShowToolCursor(ToolPicture picture) {
  toolPicture_ = picture;
  Image1->setCursor(ToolCursor(picture, devicePixelRatioF()));
}

}  // namespace kelvane
