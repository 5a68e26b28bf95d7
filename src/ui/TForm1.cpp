#include "ui/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>

#include "files/TextData.h"
#include "render/BrowserSheet.h"
#include "render/C64Palette.h"
#include "ui/ColourSwatch.h"
#include "ui/GlyphArt.h"
#include "ui/ImageControl.h"
#include "ui/MessageBoxes.h"
#include "ui/Placement.h"

namespace kelvane {
namespace {

constexpr int kTabTop = 5;
constexpr int kPagesWidth = 306;
constexpr int kPagesHeight = 286;
constexpr int kBottomGlyphTop = 296;
constexpr QRgb kTickRed = 0xFFFF0000;
constexpr int kLabelFontPixels = 11;
// Wide enough for "Multi-colour 1" in the desktop font, up to the frame of the pen area.
constexpr int kPenButtonWidth = 98;

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(name);
}

}  // namespace

namespace {

std::vector<std::string> LocalNames(const QStringList& arguments) {
  std::vector<std::string> names;
  for (const QString& argument : arguments)
    names.push_back(QFile::encodeName(argument).toStdString());
  return names;
}

}  // namespace

TForm1::TForm1(const QStringList& arguments, QWidget* parent)
    : TForm1(LocalNames(arguments), parent) {}

TForm1::TForm1(const std::vector<std::string>& arguments, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  QFont formFont = font();
  formFont.setPixelSize(kLabelFontPixels);
  setFont(formFont);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
  client->setMouseTracking(true);
  client->installEventFilter(this);
  setCentralWidget(client);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->setFixedHeight(kStatusBarHeight);
  statusBar()->setSizeGripEnabled(false);

  auto* bevel1 = Place(new QFrame(client), "Bevel1", 0, 0, 331, 2);
  bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  PageControl1 =
      Place(new QTabWidget(client), "PageControl1", 0, kTabTop, kPagesWidth, kPagesHeight);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  for (QWidget* page : {TabSheet1, TabSheet2}) {
    page->setMouseTracking(true);
    page->installEventFilter(this);
  }
  PageControl1->addTab(TabSheet1, QStringLiteral("Editor"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Browser"));

  BuildEditorPage();
  BuildBrowserPage();
  BuildGlyphButtons();
  BuildMenus();

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  // "*.*" would hide every file without a dot on this system, so "Any file" matches all.
  OpenDialog1->setNameFilters(
      {QStringLiteral("C64 sprite file (*.spr)"), QStringLiteral("Any file (*)")});
  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setNameFilters(
      {QStringLiteral("C64 sprite files (*.spr)"), QStringLiteral("Any file (*)")});
  SaveDialog1->setDefaultSuffix(QStringLiteral("spr"));

  connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);

  adjustSize();
  setFixedSize(sizeHint());
  move(kWindowLeft, kWindowTop);
  FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::BuildEditorPage() {
  QWidget* page = TabSheet1;
  Image1 = Place(new ImageControl(page, kEditorWidth, kEditorHeight, PaletteRgb(0)), "Image1", 5, 5,
                 kEditorWidth, kEditorHeight);
  Image1->setMouseTracking(true);
  connect(Image1, &ImageControl::MouseDown, this, &TForm1::Image1MouseDown);
  connect(Image1, &ImageControl::MouseMove, this, &TForm1::Image1MouseMove);
  connect(Image1, &ImageControl::MouseUp, this, &TForm1::Image1MouseUp);

  // Red ticks mark the middle row and column of the grid.
  const struct {
    const char* name;
    QRect rect;
  } ticks[] = {{"Shape1", {0, 87, 5, 3}},
               {"Shape4", {196, 87, 15, 3}},
               {"Shape2", {99, 0, 3, 6}},
               {"Shape3", {99, 173, 3, 16}}};
  for (const auto& tick : ticks) {
    auto* shape = Place(new QFrame(page), tick.name, tick.rect.x(), tick.rect.y(),
                        tick.rect.width(), tick.rect.height());
    shape->setAutoFillBackground(true);
    QPalette p = shape->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(kTickRed));
    shape->setPalette(p);
    shape->lower();
  }

  Image3 = Place(new ImageControl(page, kPreviewWidth, kPreviewHeight, PaletteRgb(0)), "Image3",
                 205, 5, kPreviewWidth, kPreviewHeight);
  Label1 = Place(new QLabel(QStringLiteral("000"), page), "Label1", 230, 75, 30, 13);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  QPalette labelPalette = Label1->palette();
  labelPalette.setColor(QPalette::WindowText, QColor(57, 53, 106));
  Label1->setPalette(labelPalette);

  GridToggle = Place(new QCheckBox(QStringLiteral("Grid"), page), "GridToggle", 200, 141, 46, 15);
  GridToggle->setChecked(true);
  GridToggle->setStatusTip(QStringLiteral("toggle the grid on/off..."));
  UpperSet = Place(new QCheckBox(QStringLiteral("Upper 128"), page), "UpperSet", 200, 156, 79, 15);
  UpperSet->setStatusTip(QStringLiteral("toggle upper/lower 128 sprites..."));
  ScrollBar1 = Place(new QScrollBar(Qt::Vertical, page), "ScrollBar1", 280, 5, 16, 251);
  ScrollBar1->setRange(0, kHalfBankSprites - 1);
  ScrollBar1->setStatusTip(QStringLiteral("scroll through available images..."));
  MCToggle = Place(new QCheckBox(QStringLiteral("Multi-colour"), page), "MCToggle", 6, 238, 90, 15);
  MCToggle->setChecked(true);
  MCToggle->setStatusTip(QStringLiteral("toggle multi-colour mode..."));
  connect(GridToggle, &QCheckBox::toggled, this, &TForm1::GridToggleClick);
  connect(UpperSet, &QCheckBox::toggled, this, &TForm1::UpperSetClick);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm1::ScrollBar1Change);
  connect(MCToggle, &QCheckBox::toggled, this, &TForm1::MCToggleClick);

  auto* bevel2 = Place(new QFrame(page), "Bevel2", 118, 180, 156, 76);
  bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Image4 = Place(new ImageControl(page, 16, 64, 0xFF000000), "Image4", 125, 186, 16, 64);
  Image4->setStatusTip(QStringLiteral("select a colour for the current pen"));
  for (int index = 0; index < kColourCount; ++index) {
    // Two columns of eight 8 x 8 cells: 0-7 on the left, 8-15 on the right.
    const int cellX = (index / 8) * 8;
    const int cellY = (index % 8) * 8;
    for (int y = 0; y < 8; ++y) {
      auto* row = reinterpret_cast<QRgb*>(Image4->Picture().scanLine(cellY + y));
      std::fill_n(row + cellX, 8, PaletteRgb(index));
    }
  }
  connect(Image4, &ImageControl::MouseDown, this, &TForm1::Image4MouseDown);

  const struct {
    const char* radioName;
    const char* panelName;
    const char* caption;
    const char* hint;
  } pens[] = {
      {"RadioButton1", "Panel1", "Transparent", "select transparent pen ($D021)"},
      {"RadioButton2", "Panel2", "Sprite colour", "select sprite colour pen"},
      {"RadioButton3", "Panel3", "Multi-colour 1", "select multi-colour 1 pen ($D025)"},
      {"RadioButton4", "Panel4", "Multi-colour 2", "select multi-colour 2 pen ($D026)"},
  };
  QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4};
  ColourSwatch** panels[] = {&Panel1, &Panel2, &Panel3, &Panel4};
  void (TForm1::*clicks[])() = {&TForm1::RadioButton1Click, &TForm1::RadioButton2Click,
                                &TForm1::RadioButton3Click, &TForm1::RadioButton4Click};
  for (int i = 0; i < kPenCount; ++i) {
    const int top = 188 + 15 * i;
    *panels[i] = Place(new ColourSwatch(page), pens[i].panelName, 150, top, 16, 16);
    *radios[i] = Place(new QRadioButton(QString::fromLatin1(pens[i].caption), page),
                       pens[i].radioName, 175, top, kPenButtonWidth, 17);
    (*radios[i])->setStatusTip(QString::fromLatin1(pens[i].hint));
    connect(*radios[i], &QRadioButton::clicked, this, clicks[i]);
    connect(*panels[i], &ColourSwatch::Clicked, this, clicks[i]);
  }
  RadioButton2->setChecked(true);
}

void TForm1::BuildBrowserPage() {
  QWidget* page = TabSheet2;
  Image2 = Place(
      new ImageControl(page, kSheetWidth, kSheetHeight, palette().color(QPalette::Button).rgb()),
      "Image2", 5, 5, kSheetWidth, kSheetHeight);
  Image2->setMouseTracking(true);
  connect(Image2, &ImageControl::MouseMove, this, &TForm1::Image2MouseMove);
  connect(Image2, &ImageControl::Clicked, this, &TForm1::Image2Click);
  connect(Image2, &ImageControl::DoubleClicked, this, &TForm1::Image2DblClick);
  ScrollBar2 = Place(new QScrollBar(Qt::Vertical, page), "ScrollBar2", 255, 5, 16, 210);
  ScrollBar3 = Place(new QScrollBar(Qt::Horizontal, page), "ScrollBar3", 5, 225, 246, 16);
  for (QScrollBar* bar : {ScrollBar2, ScrollBar3}) {
    bar->setRange(0, kSheetScrollMax);
    bar->setPageStep(1);
    connect(bar, &QScrollBar::valueChanged, this, &TForm1::ScrollBar2Change);
  }
  Label2 = Place(
      new QLabel(QStringLiteral("double-click on a sprite image to select it for editing"), page),
      "Label2", 5, 245, 298, 13);
}

void TForm1::BuildGlyphButtons() {
  const struct {
    const char* name;
    bool onEditorPage;
    int left, top;
    const char* hint;
  } glyphs[kGlyphButtons] = {
      {"Btn_Cut", false, 10, kBottomGlyphTop, "cut"},
      {"Btn_Copy", false, 37, kBottomGlyphTop, "copy"},
      {"Btn_Paste", false, 64, kBottomGlyphTop, "paste"},
      {"Btn_Up", true, 6, 182, "nudge up"},
      {"Btn_Down", true, 33, 182, "nudge down"},
      {"Btn_Left", true, 60, 182, "nudge left"},
      {"Btn_Right", true, 87, 182, "nudge right"},
      {"Btn_FlipX", true, 6, 208, "flip vertically"},
      {"Btn_FlipY", true, 33, 208, "flip horizontally"},
      {"Btn_SymmX", true, 60, 208, "symmetry top to bottom"},
      {"Btn_SymmY", true, 87, 208, "symmetry left to right"},
      {"Btn_Undo", false, 91, kBottomGlyphTop, "undo"},
  };
  for (int k = 0; k < kGlyphButtons; ++k) {
    QWidget* parent = glyphs[k].onEditorPage ? TabSheet1 : centralWidget();
    auto* button = Place(new ImageControl(parent, kGlyphSize, kGlyphSize, kGlyphBackground.rgb()),
                         glyphs[k].name, glyphs[k].left, glyphs[k].top, kGlyphSize, kGlyphSize);
    button->setStatusTip(QString::fromLatin1(glyphs[k].hint));
    connect(button, &ImageControl::MouseDown, this, [this, k] { GlyphMouseDown(k); });
    connect(button, &ImageControl::MouseUp, this, [this, k] { GlyphMouseUp(k); });
    Glyphs[k] = button;
  }
  Btn_Cut = Glyphs[kGlyphCut];
  Btn_Copy = Glyphs[kGlyphCopy];
  Btn_Paste = Glyphs[kGlyphPaste];
  Btn_Up = Glyphs[kGlyphUp];
  Btn_Down = Glyphs[kGlyphDown];
  Btn_Left = Glyphs[kGlyphLeft];
  Btn_Right = Glyphs[kGlyphRight];
  Btn_FlipX = Glyphs[kGlyphFlipX];
  Btn_FlipY = Glyphs[kGlyphFlipY];
  Btn_SymmX = Glyphs[kGlyphSymmX];
  Btn_SymmY = Glyphs[kGlyphSymmY];
  Btn_Undo = Glyphs[kGlyphUndo];
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));

  File1 = bar->addMenu(QStringLiteral("File"));
  File1->setObjectName(QStringLiteral("File1"));
  connect(File1, &QMenu::aboutToShow, this, &TForm1::File1Click);
  New1 = AddItem(File1, "New1", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  Open1 = AddItem(File1, "Open1", QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  AddSeparator(File1, "N1");
  Save1 = File1->addMenu(QStringLiteral("Save..."));
  Save1->setObjectName(QStringLiteral("Save1"));
  First161k1 = AddItem(Save1, "First161k1", QStringLiteral("First 16 (1k)..."));
  First322k1 = AddItem(Save1, "First322k1", QStringLiteral("First 32 (2k)..."));
  First644k1 = AddItem(Save1, "First644k1", QStringLiteral("First 64 (4k)..."));
  First1281 = AddItem(Save1, "First1281", QStringLiteral("First 128 (8k)..."));
  Specify1 = AddItem(Save1, "Specify1", QStringLiteral("Up to Current..."));
  SaveAll1 = AddItem(File1, "SaveAll1", QStringLiteral("Save All (16k)..."),
                     QKeySequence(Qt::CTRL | Qt::Key_S));
  AddSeparator(File1, "N2");
  Exit1 = AddItem(File1, "Exit1", QStringLiteral("Exit"));
  connect(New1, &QAction::triggered, this, &TForm1::New1Click);
  connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
  connect(First161k1, &QAction::triggered, this, &TForm1::First161k1Click);
  connect(First322k1, &QAction::triggered, this, &TForm1::First322k1Click);
  connect(First644k1, &QAction::triggered, this, &TForm1::First644k1Click);
  connect(First1281, &QAction::triggered, this, &TForm1::First1281Click);
  connect(Specify1, &QAction::triggered, this, &TForm1::Specify1Click);
  connect(SaveAll1, &QAction::triggered, this, &TForm1::SaveAll1Click);
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);

  QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
  edit->setObjectName(QStringLiteral("Edit1"));
  Cut1 = AddItem(edit, "Cut1", QStringLiteral("Cut"), QKeySequence(Qt::Key_Delete));
  Copy1 = AddItem(edit, "Copy1", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
  Paste1 = AddItem(edit, "Paste1", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
  AddSeparator(edit, "N3");
  NudgeUp1 =
      AddItem(edit, "NudgeUp1", QStringLiteral("Nudge Up"), QKeySequence(Qt::CTRL | Qt::Key_U));
  NudgeDown1 =
      AddItem(edit, "NudgeDown1", QStringLiteral("Nudge Down"), QKeySequence(Qt::CTRL | Qt::Key_D));
  NudgeLeft1 =
      AddItem(edit, "NudgeLeft1", QStringLiteral("Nudge Left"), QKeySequence(Qt::CTRL | Qt::Key_L));
  NudgeRight1 = AddItem(edit, "NudgeRight1", QStringLiteral("Nudge Right"),
                        QKeySequence(Qt::CTRL | Qt::Key_R));
  AddSeparator(edit, "N4");
  FlipHorizontal1 = AddItem(edit, "FlipHorizontal1", QStringLiteral("Flip Top to Bottom"),
                            QKeySequence(Qt::CTRL | Qt::Key_F));
  FlipVertical1 = AddItem(edit, "FlipVertical1", QStringLiteral("Flip Left to Right"),
                          QKeySequence(Qt::CTRL | Qt::Key_G));
  AddSeparator(edit, "N5");
  SymmetrizeHorizontal1 =
      AddItem(edit, "SymmetrizeHorizontal1", QStringLiteral("Symmetrize Top to Bottom"),
              QKeySequence(Qt::CTRL | Qt::Key_H));
  SymmetrizeVertical1 =
      AddItem(edit, "SymmetrizeVertical1", QStringLiteral("Symmetrize Left to Right"),
              QKeySequence(Qt::CTRL | Qt::Key_J));
  AddSeparator(edit, "N6");
  Undo1 = AddItem(edit, "Undo1", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  connect(Cut1, &QAction::triggered, this, &TForm1::Action1Execute);
  connect(Copy1, &QAction::triggered, this, &TForm1::Action2Execute);
  connect(Paste1, &QAction::triggered, this, &TForm1::Action3Execute);
  connect(NudgeUp1, &QAction::triggered, this, &TForm1::Action4Execute);
  connect(NudgeDown1, &QAction::triggered, this, &TForm1::Action5Execute);
  connect(NudgeLeft1, &QAction::triggered, this, &TForm1::Action6Execute);
  connect(NudgeRight1, &QAction::triggered, this, &TForm1::Action7Execute);
  connect(FlipHorizontal1, &QAction::triggered, this, &TForm1::Action8Execute);
  connect(FlipVertical1, &QAction::triggered, this, &TForm1::Action9Execute);
  connect(SymmetrizeHorizontal1, &QAction::triggered, this, &TForm1::Action10Execute);
  connect(SymmetrizeVertical1, &QAction::triggered, this, &TForm1::Action11Execute);
  connect(Undo1, &QAction::triggered, this, &TForm1::Action12Execute);

  QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
  tools->setObjectName(QStringLiteral("View1"));
  animator1 = AddItem(tools, "animator1", QStringLiteral("Animator..."),
                      QKeySequence(Qt::CTRL | Qt::Key_A));
  Viewtextdata1 = AddItem(tools, "Viewtextdata1", QStringLiteral("View Text Data..."));
  connect(animator1, &QAction::triggered, this, &TForm1::animator1Click);
  connect(Viewtextdata1, &QAction::triggered, this, &TForm1::Viewtextdata1Click);

  QMenu* special = bar->addMenu(QStringLiteral("Special"));
  special->setObjectName(QStringLiteral("Options1"));
  CopyCurrentSpriteAttributesToAll1 =
      AddItem(special, "CopyCurrentSpriteAttributesToAll1",
              QStringLiteral("Copy Current Sprite Attributes To All"));
  Takeoutblanks1 = AddItem(special, "Takeoutblanks1", QStringLiteral("Remove Blanks"));
  AddSeparator(special, "N7");
  CutRange1 = AddItem(special, "CutRange1", QStringLiteral("Cut Range..."));
  CopyRange1 = AddItem(special, "CopyRange1", QStringLiteral("Copy Range..."));
  PasteRange1 = AddItem(special, "PasteRange1", QStringLiteral("Paste Range"));
  connect(CopyCurrentSpriteAttributesToAll1, &QAction::triggered, this,
          &TForm1::CopyCurrentSpriteAttributesToAll1Click);
  connect(Takeoutblanks1, &QAction::triggered, this, &TForm1::Takeoutblanks1Click);
  connect(CutRange1, &QAction::triggered, this, &TForm1::CutRange1Click);
  connect(CopyRange1, &QAction::triggered, this, &TForm1::CopyRange1Click);
  connect(PasteRange1, &QAction::triggered, this, &TForm1::PasteRange1Click);

  QMenu* help = bar->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("Help1"));
  About1 = AddItem(help, "About1", QStringLiteral("About..."));
  connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

void TForm1::FormCreate(const std::vector<std::string>& arguments) {
  ColourSwatches();
  // The stack starts empty with the Undo glyph enabled; a press on it then does nothing.
  UpdateUndoButton();
  SetFileTitle(kUntitled);
  for (int k = 0; k < kGlyphButtons; ++k) {
    imageList1_.Draw(*Glyphs[k], 0, 0, GlyphImageList::RestIndex(k));
  }
  for (ImageControl* glyph : Glyphs) glyph->update();
  Image2->Picture().fill(palette().color(QPalette::Button).rgb());
  if (arguments.size() == 1) LoadSpriteFile(arguments.front());
  DrawBrowserSheet();
  RefreshEditor();
  Paste1->setEnabled(false);
  PasteRange1->setEnabled(false);
  if (auto folder = TextDataFolder::Create()) {
    textData_ = std::make_unique<TextDataFolder>(std::move(*folder));
  }
}

void TForm1::SetFileTitle(const QString& name) {
  fileName_ = name;  // the save dialog proposes it when it is next shown
  setWindowTitle(kApplicationTitle + QStringLiteral(" - ") + name);
}

void TForm1::DrawBrowserSheet() {
  kelvane::DrawBrowserSheet(Image2->Picture(), images_.SpriteImage, model_.bank, model_.state,
                            ScrollBar2->value(), ScrollBar3->value());
  Image2->RepaintNow();
}

bool TForm1::FormCloseQuery() {
  return AskOkCancel(this, kApplicationTitle, QStringLiteral("Really Quit?"));
}

void TForm1::FormClose() {
  closing_ = true;
  textData_.reset();  // removes the file and the private folder
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (closing_ || !FormCloseQuery()) {
    event->setAccepted(closing_);
    return;
  }
  FormClose();
  event->accept();
}

void TForm1::Exit1Click() {
  close();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // Only a move over the bare window counts; moves over a control that does not track the mouse
  // are handed up to its parent too, and must leave that control's hint in place.
  if (event->type() == QEvent::MouseMove && watched->isWidgetType()) {
    const auto* move = static_cast<QMouseEvent*>(event);
    if (static_cast<QWidget*>(watched)->childAt(move->position().toPoint()) == nullptr) {
      FormMouseMove();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormMouseMove() {
  statusBar()->clearMessage();
}

void TForm1::animator1Click() {
  if (animatorOpener_) animatorOpener_(*this);
}

}  // namespace kelvane
