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
#include <QWheelEvent>

#include "files/FormatRegistry.h"
#include "files/TextData.h"
#include "render/C64Palette.h"
#include "render/SpriteRendering.h"
#include "ui/ColourSwatch.h"
#include "ui/DesktopOpener.h"
#include "ui/DocumentAutosave.h"
#include "ui/FilledFrame.h"
#include "ui/GlyphArt.h"
#include "ui/ImageControl.h"
#include "ui/MessageBoxes.h"
#include "ui/Mnemonics.h"
#include "ui/Placement.h"
#include "ui/SpriteFileDialogs.h"
#include "ui/StatusReadOut.h"
#include "ui/ToolManager.h"

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
constexpr int kStripCell = 8;

// One menu entry: its name, caption ("-" for a separator), shortcut, where the window keeps
// it, and its handler.
struct MenuItem {
  const char* name;
  const char* caption;
  QKeySequence shortcut = {};
  QAction* TForm1::*action = nullptr;
  void (TForm1::*handler)() = nullptr;
};

QMenu* AddMenu(QMenu* menu, TForm1* form, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    QAction* action = QString::fromLatin1(item.caption) == QStringLiteral("-")
                          ? menu->addSeparator()
                          : menu->addAction(QString::fromLatin1(item.caption));
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcut(item.shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    if (item.action) form->*item.action = action;
    if (item.handler) QObject::connect(action, &QAction::triggered, form, item.handler);
  }
  return menu;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QKeySequence Ctrl(Qt::Key key) {
  return QKeySequence(Qt::CTRL | key);
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
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  QFont formFont = font();
  formFont.setPixelSize(kLabelFontPixels);
  setFont(formFont);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  // The laid-out size is the least: a larger window gives the grid and the sheet more room.
  client->setMinimumSize(kClientWidth, kClientHeight - kStatusBarHeight);
  client->setMouseTracking(true);
  client->installEventFilter(this);
  setCentralWidget(client);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  statusBar()->setFixedHeight(kStatusBarHeight);
  statusBar()->setSizeGripEnabled(false);
  readOut_ = new StatusReadOut(statusBar());
  // Files dropped anywhere on the window open as through Open.
  setAcceptDrops(true);

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
  BuildSpriteKeys();
  AnchorControls();
  // The window lives as long as its document: no need to leave before it goes.
  BuildTools();
  BuildToolBar();
  AddToolBarToggle();
  BuildOverlayCommands();

  connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
  fileOpener_ = [this](const QUrl& url) {
    return OpenWithDesktop(url, this, [this] { TellWhereTheTextDataIs(); });
  };
  document_.Subscribe([this](const DocumentChange& change) { DocumentChanged(change); });

  adjustSize();
  setMinimumSize(sizeHint());
  resize(sizeHint());
  move(kWindowLeft, kWindowTop);
  FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::BuildEditorPage() {
  QWidget* page = TabSheet1;
  // The editor's picture is eight equal lines per cell row: it is drawn a cell row at a time as
  // it is painted, from the sprite image, and never kept whole.
  const int cellHeight = kEditorView.CellZoom().y;
  Image1 = Place(new ImageControl(page, kEditorWidth, kEditorHeight, cellHeight,
                                  [this](QImage& band, int top, int left, int right) {
                                    DrawEditorBand(band, top, {left, right});
                                  }),
                 "Image1", 5, 5, kEditorWidth, kEditorHeight);
  Image1->setMouseTracking(true);
  Image1->DrawBandsInPlace();  // DrawEditorBand keeps to the columns asked for
  // Tab reaches the grid, where the keys paint with a pixel cursor.
  Image1->setFocusPolicy(Qt::TabFocus);
  Image1->installEventFilter(this);
  connect(Image1, &ImageControl::MouseDown, this, &TForm1::Image1MouseDown);
  connect(Image1, &ImageControl::MouseMove, this, &TForm1::Image1MouseMove);
  connect(Image1, &ImageControl::MouseUp, this, &TForm1::Image1MouseUp);
  connect(Image1, &ImageControl::MouseLeft, this, &TForm1::Image1MouseLeave);

  // Red ticks mark the middle row and column of the grid.
  const struct {
    const char* name;
    QRect rect;
  } ticks[] = {{"Shape1", {0, 87, 5, 3}},
               {"Shape4", {196, 87, 15, 3}},
               {"Shape2", {99, 0, 3, 6}},
               {"Shape3", {99, 173, 3, 16}}};
  for (std::size_t k = 0; k < std::size(ticks); ++k) {
    const auto& tick = ticks[k];
    auto* shape = Place(new FilledFrame(page), tick.name, tick.rect.x(), tick.rect.y(),
                        tick.rect.width(), tick.rect.height());
    QPalette p = shape->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(kTickRed));
    shape->setPalette(p);
    shape->lower();
    ticks_[k] = shape;
  }

  // So is the preview, two lines at a time.
  Image3 = Place(
      new ImageControl(page, kPreviewWidth, kPreviewHeight, kPreviewView.CellZoom().y,
                       [this](QImage& band, int top, int, int) { DrawPreviewPicture(band, top); }),
      "Image3", 205, 5, kPreviewWidth, kPreviewHeight);
  Image3->installEventFilter(this);
  Label1 = Place(new QLabel(QStringLiteral("000"), page), "Label1", 230, 75, 30, 13);
  QFont bold = Label1->font();
  bold.setBold(true);
  // Three digits need no text shaping, and skipping it spares the bold face's layout tables.
  bold.setStyleStrategy(QFont::StyleStrategy(bold.styleStrategy() | QFont::PreferNoShaping));
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
  Image4->PaintOverParent();
  DrawColourStrip();
  connect(Image4, &ImageControl::MouseDown, this, &TForm1::Image4MouseDown);

  const struct {
    const char* radioName;
    const char* panelName;
    const char* caption;
    const char* hint;
    std::uint8_t pen;
    void (TForm1::*click)();
    const char* swatchName;  // for screen readers; its description names the colour
  } pens[] = {
      {"RadioButton1", "Panel1", "Transparent", "select transparent pen ($D021)", kTransparentPen,
       &TForm1::RadioButton1Click, "Transparent pen colour"},
      {"RadioButton2", "Panel2", "Sprite colour", "select sprite colour pen", kSpriteColourPen,
       &TForm1::RadioButton2Click, "Sprite colour pen colour"},
      {"RadioButton3", "Panel3", "Multi-colour 1", "select multi-colour 1 pen ($D025)",
       kMultiColour1Pen, &TForm1::RadioButton3Click, "Multi-colour 1 pen colour"},
      {"RadioButton4", "Panel4", "Multi-colour 2", "select multi-colour 2 pen ($D026)",
       kMultiColour2Pen, &TForm1::RadioButton4Click, "Multi-colour 2 pen colour"},
  };
  for (int i = 0; i < kPenCount; ++i) {
    const int top = 188 + 15 * i;
    auto* swatch = Place(new ColourSwatch(page), pens[i].panelName, 150, top, 16, 16);
    auto* radio = Place(new QRadioButton(QString::fromLatin1(pens[i].caption), page),
                        pens[i].radioName, 175, top, kPenButtonWidth, 17);
    radio->setStatusTip(QString::fromLatin1(pens[i].hint));
    swatch->setAccessibleName(QString::fromLatin1(pens[i].swatchName));
    connect(radio, &QRadioButton::clicked, this, pens[i].click);
    connect(swatch, &ColourSwatch::Clicked, this, pens[i].click);
    penButtons_[pens[i].pen] = radio;
    swatches_[pens[i].pen] = swatch;
  }
  RadioButton1 = penButtons_[kTransparentPen];
  RadioButton2 = penButtons_[kSpriteColourPen];
  RadioButton3 = penButtons_[kMultiColour1Pen];
  RadioButton4 = penButtons_[kMultiColour2Pen];
  Panel1 = swatches_[kTransparentPen];
  Panel2 = swatches_[kSpriteColourPen];
  Panel3 = swatches_[kMultiColour1Pen];
  Panel4 = swatches_[kMultiColour2Pen];
}

void TForm1::DrawColourStrip() {
  for (int index = 0; index < kColourCount; ++index) {
    // Two columns of eight cells: 0-7 on the left, 8-15 on the right.
    const QRect cell((index / 8) * kStripCell, (index % 8) * kStripCell, kStripCell, kStripCell);
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(Image4->Picture().scanLine(y));
      std::fill_n(row + cell.left(), kStripCell, PaletteRgb(index));
    }
  }
  Image4->update();
}

void TForm1::BuildBrowserPage() {
  QWidget* page = TabSheet2;
  // The sheet is drawn whole when it is first used: start-up draws nothing the user cannot see.
  Image2 = Place(
      new ImageControl(page, kSheetWidth, kSheetHeight, palette().color(QPalette::Button).rgb(),
                       [this] { DrawBrowserSheet(); }),
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
  // The accessible name and description are for screen readers; the hint is the status bar's.
  const struct {
    const char* name;
    bool onEditorPage;
    int left, top;
    const char* hint;
    const char* accessibleName;
    const char* description;
  } glyphs[kGlyphButtons] = {
      {"Btn_Cut", false, 10, kBottomGlyphTop, "cut", "Cut",
       "Moves the shown sprite to the sprite clipboard and blanks it (Del)"},
      {"Btn_Copy", false, 37, kBottomGlyphTop, "copy", "Copy",
       "Copies the shown sprite to the sprite clipboard (Ctrl+C)"},
      {"Btn_Paste", false, 64, kBottomGlyphTop, "paste", "Paste",
       "Writes the sprite clipboard over the shown sprite (Ctrl+V)"},
      {"Btn_Up", true, 6, 182, "nudge up", "Nudge Up",
       "Moves the sprite up a row; the top row comes back at the bottom (Ctrl+U)"},
      {"Btn_Down", true, 33, 182, "nudge down", "Nudge Down",
       "Moves the sprite down a row; the bottom row comes back at the top (Ctrl+D)"},
      {"Btn_Left", true, 60, 182, "nudge left", "Nudge Left",
       "Moves the sprite left a pixel; the left column comes back at the right (Ctrl+L)"},
      {"Btn_Right", true, 87, 182, "nudge right", "Nudge Right",
       "Moves the sprite right a pixel; the right column comes back at the left (Ctrl+R)"},
      {"Btn_FlipX", true, 6, 208, "flip vertically", "Flip Top to Bottom",
       "Turns the sprite upside down (Ctrl+F)"},
      {"Btn_FlipY", true, 33, 208, "flip horizontally", "Flip Left to Right",
       "Mirrors the sprite left to right (Ctrl+G)"},
      {"Btn_SymmX", true, 60, 208, "symmetry top to bottom", "Symmetrize Top to Bottom",
       "Mirrors the upper half of the sprite onto the lower half (Ctrl+H)"},
      {"Btn_SymmY", true, 87, 208, "symmetry left to right", "Symmetrize Left to Right",
       "Mirrors the left half of the sprite onto the right half (Ctrl+J)"},
      {"Btn_Undo", false, 91, kBottomGlyphTop, "undo", "Undo",
       "Takes back the last change to the shown sprite (Ctrl+Z)"},
  };
  ImageControl** named[kGlyphButtons] = {&Btn_Cut,   &Btn_Copy,  &Btn_Paste, &Btn_Up,
                                         &Btn_Down,  &Btn_Left,  &Btn_Right, &Btn_FlipX,
                                         &Btn_FlipY, &Btn_SymmX, &Btn_SymmY, &Btn_Undo};
  for (int k = 0; k < kGlyphButtons; ++k) {
    QWidget* parent = glyphs[k].onEditorPage ? TabSheet1 : centralWidget();
    auto* button = Place(new ImageControl(parent, kGlyphSize, kGlyphSize, kGlyphBackground.rgb()),
                         glyphs[k].name, glyphs[k].left, glyphs[k].top, kGlyphSize, kGlyphSize);
    button->setStatusTip(QString::fromLatin1(glyphs[k].hint));
    button->setAccessibleName(QString::fromLatin1(glyphs[k].accessibleName));
    button->setAccessibleDescription(QString::fromLatin1(glyphs[k].description));
    button->MakeKeyboardButton();
    button->PaintOverParent();
    connect(button, &ImageControl::MouseDown, this, [this, k] { GlyphMouseDown(k); });
    connect(button, &ImageControl::MouseUp, this, [this, k] { GlyphMouseUp(k); });
    connect(button, &ImageControl::SpaceDown, this, [this, k] { GlyphMouseDown(k); });
    connect(button, &ImageControl::SpaceUp, this, [this, k] { GlyphMouseUp(k); });
    Glyphs[k] = *named[k] = button;
  }
  // Tab goes through the page's glyphs row by row, then the ones below the pages.
  QWidget* const tabOrder[] = {Btn_Up,    Btn_Down,  Btn_Left, Btn_Right, Btn_FlipX, Btn_FlipY,
                               Btn_SymmX, Btn_SymmY, Btn_Cut,  Btn_Copy,  Btn_Paste, Btn_Undo};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  File1 = AddMenu(bar, "File1", "File");
  connect(File1, &QMenu::aboutToShow, this, &TForm1::File1Click);
  AddMenu(File1, this,
          {{"New1", "New", Ctrl(Qt::Key_N), &TForm1::New1, &TForm1::New1Click},
           {"Open1", "Open...", Ctrl(Qt::Key_O), &TForm1::Open1, &TForm1::Open1Click},
           {"ImportPNG1", "Import PNG...", {}, &TForm1::ImportPNG1, &TForm1::ImportPNG1Click},
           {"N1", "-"},
           {"SaveFile1", "Save", QKeySequence(Qt::Key_F2), &TForm1::SaveFile1,
            &TForm1::SaveFile1Click}});
  BuildRecentMenu();
  QMenu* save = File1->addMenu(QStringLiteral("Save..."));
  save->setObjectName(QStringLiteral("Save1"));
  AddMenu(save, this,
          {{"First161k1", "First 16 (1k)...", {}, &TForm1::First161k1, &TForm1::First161k1Click},
           {"First322k1", "First 32 (2k)...", {}, &TForm1::First322k1, &TForm1::First322k1Click},
           {"First644k1", "First 64 (4k)...", {}, &TForm1::First644k1, &TForm1::First644k1Click},
           {"First1281", "First 128 (8k)...", {}, &TForm1::First1281, &TForm1::First1281Click},
           {"Specify1", "Up to Current...", {}, &TForm1::Specify1, &TForm1::Specify1Click}});
  AddMenu(File1, this,
          {{"SaveAll1", "Save All (16k)...", Ctrl(Qt::Key_S), &TForm1::SaveAll1,
            &TForm1::SaveAll1Click},
           {"Export1", "Export...", {}, &TForm1::Export1, &TForm1::Export1Click},
           {"N2", "-"},
           {"Exit1", "Exit", {}, &TForm1::Exit1, &TForm1::Exit1Click}});

  AddMenu(
      AddMenu(bar, "Edit1", "Edit"), this,
      {{"Cut1", "Cut", QKeySequence(Qt::Key_Delete), &TForm1::Cut1, &TForm1::Action1Execute},
       {"Copy1", "Copy", Ctrl(Qt::Key_C), &TForm1::Copy1, &TForm1::Action2Execute},
       {"Paste1", "Paste", Ctrl(Qt::Key_V), &TForm1::Paste1, &TForm1::Action3Execute},
       {"N3", "-"},
       {"NudgeUp1", "Nudge Up", Ctrl(Qt::Key_U), &TForm1::NudgeUp1, &TForm1::Action4Execute},
       {"NudgeDown1", "Nudge Down", Ctrl(Qt::Key_D), &TForm1::NudgeDown1, &TForm1::Action5Execute},
       {"NudgeLeft1", "Nudge Left", Ctrl(Qt::Key_L), &TForm1::NudgeLeft1, &TForm1::Action6Execute},
       {"NudgeRight1", "Nudge Right", Ctrl(Qt::Key_R), &TForm1::NudgeRight1,
        &TForm1::Action7Execute},
       {"N4", "-"},
       {"FlipHorizontal1", "Flip Top to Bottom", Ctrl(Qt::Key_F), &TForm1::FlipHorizontal1,
        &TForm1::Action8Execute},
       {"FlipVertical1", "Flip Left to Right", Ctrl(Qt::Key_G), &TForm1::FlipVertical1,
        &TForm1::Action9Execute},
       {"N5", "-"},
       {"SymmetrizeHorizontal1", "Symmetrize Top to Bottom", Ctrl(Qt::Key_H),
        &TForm1::SymmetrizeHorizontal1, &TForm1::Action10Execute},
       {"SymmetrizeVertical1", "Symmetrize Left to Right", Ctrl(Qt::Key_J),
        &TForm1::SymmetrizeVertical1, &TForm1::Action11Execute},
       {"N8", "-"},
       {"RotateRight1", "Rotate Right", Ctrl(Qt::Key_T), &TForm1::RotateRight1,
        &TForm1::RotateRight1Click},
       {"RotateLeft1", "Rotate Left", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T),
        &TForm1::RotateLeft1, &TForm1::RotateLeft1Click},
       {"N6", "-"},
       {"Undo1", "Undo", Ctrl(Qt::Key_Z), &TForm1::Undo1, &TForm1::Action12Execute},
       {"Redo1", "Redo", Ctrl(Qt::Key_Y), &TForm1::Redo1, &TForm1::Redo1Click},
       {"GoToSprite1", "Go to Sprite...", Ctrl(Qt::Key_E), &TForm1::GoToSprite1,
        &TForm1::GoToSprite1Click}});
  Redo1->setShortcuts({Ctrl(Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

  BuildViewMenu();
  AddMenu(
      AddMenu(bar, "View1", "Tools"), this,
      {{"animator1", "Animator...", Ctrl(Qt::Key_A), &TForm1::animator1, &TForm1::animator1Click},
       {"Viewtextdata1",
        "View Text Data...",
        {},
        &TForm1::Viewtextdata1,
        &TForm1::Viewtextdata1Click}});

  AddMenu(AddMenu(bar, "Options1", "Special"), this,
          {{"CopyCurrentSpriteAttributesToAll1",
            "Copy Current Sprite Attributes To All",
            {},
            &TForm1::CopyCurrentSpriteAttributesToAll1,
            &TForm1::CopyCurrentSpriteAttributesToAll1Click},
           {"Takeoutblanks1",
            "Remove Blanks",
            {},
            &TForm1::Takeoutblanks1,
            &TForm1::Takeoutblanks1Click},
           {"N7", "-"},
           {"CutRange1", "Cut Range...", {}, &TForm1::CutRange1, &TForm1::CutRange1Click},
           {"CopyRange1", "Copy Range...", {}, &TForm1::CopyRange1, &TForm1::CopyRange1Click},
           {"PasteRange1", "Paste Range", {}, &TForm1::PasteRange1, &TForm1::PasteRange1Click}});

  BuildSpriteMenu();
  BuildObjectCommands();
  AddMenu(AddMenu(bar, "Help1", "Help"), this,
          {{"About1", "About...", {}, &TForm1::About1, &TForm1::About1Click}});
  AddMnemonics(bar);
}

void TForm1::FormCreate(const std::vector<std::string>& arguments) {
  SetFileTitle(kUntitled);
  for (int k = 0; k < kGlyphButtons; ++k) {
    imageList1_.Draw(*Glyphs[k], 0, 0, GlyphImageList::RestIndex(k));
  }
  for (ImageControl* glyph : Glyphs) glyph->update();
  if (arguments.size() == 1) LoadSpriteFile(arguments.front());
  // Whatever a loaded file has not drawn already: the start-up bank, the swatches, the
  // menu items the clipboards enable, the Undo glyph (enabled, though there is nothing yet).
  ShowDocumentState();
  DrawStale();
  if (auto folder = TextDataFolder::Create()) {
    textData_ = std::make_unique<TextDataFolder>(std::move(*folder));
  }
}

void TForm1::SetFileTitle(const QString& name) {
  fileName_ = name;  // the save dialog proposes it when it is next shown
  ShowTitle();
}

// The mark is written into the title itself: Qt's "[*]" placeholder would change what
// windowTitle() reads for every document, modified or not.
void TForm1::ShowTitle() {
  setWindowTitle(kApplicationTitle + QStringLiteral(" - ") + fileName_ +
                 (document_.Modified() ? QStringLiteral("*") : QString()));
}

// Made on first use: a file dialog reads its folder, and keeps watching it, from the moment it
// is made, which would slow start-up down and wake the program whenever files change there.
QFileDialog& TForm1::OpenDialog() {
  if (!OpenDialog1) OpenDialog1 = MakeOpenDialog(this, SpriteFormats());
  return *OpenDialog1;
}

QFileDialog& TForm1::SaveDialog() {
  if (!SaveDialog1) SaveDialog1 = MakeSaveDialog(this, SpriteFormats());
  return *SaveDialog1;
}

QFileDialog& TForm1::ImportDialog() {
  if (!ImportDialog1) ImportDialog1 = MakeImportDialog(this);
  return *ImportDialog1;
}

bool TForm1::FormCloseQuery() {
  if (document_.Modified()) return MaySetAsideWork();
  return AskOkCancel(this, kApplicationTitle, QStringLiteral("Really Quit?"));
}

void TForm1::FormClose() {
  closing_ = true;
  SaveSettings();
  // What was unsaved has been saved or let go.
  if (autosave_) autosave_->Forget();
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
  if (watched == centralWidget() && event->type() == QEvent::Resize) LayOut();
  // What was sent of the small picture is painted now.
  if (watched == Image3 && event->type() == QEvent::Paint) picturesSent_.clear();
  if (watched == Image1) {
    // The cells sent to the grid are painted now.
    if (event->type() == QEvent::Paint && cellsSent_) {
      sentCells_.Clear();
      cellsSent_ = false;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
      if (GridKey(static_cast<QKeyEvent*>(event))) return true;
    } else if (event->type() == QEvent::Wheel) {
      if (GridWheel(static_cast<QWheelEvent*>(event))) return true;
    } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      if (event->type() == QEvent::FocusOut && gridSpaceHeld_) {
        gridSpaceHeld_ = false;
        Image1MouseUp(nullptr);  // the stroke ends where the focus left it
      }
      ShowGridCursor();
    }
    return QMainWindow::eventFilter(watched, event);  // the grid's moves name its cells
  }
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

bool TForm1::event(QEvent* event) {
  // The window has moved to a screen of another scale: the glyphs are drawn anew at its ratio.
  if (event->type() == QEvent::ScreenChangeInternal) {
    DrawGlyphsForScreen();
    if (!anchors_.empty()) LayOutEditor();  // the grid's cells in the new screen's pixels
  }
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  if (event->type() == QEvent::DevicePixelRatioChange) {
    DrawGlyphsForScreen();
    if (!anchors_.empty()) LayOutEditor();
  }
#endif
  // A window opened over a held button (Ctrl+A in mid-drag) takes its release: the stroke ends
  // here, and the glyphs go back to rest.
  if (event->type() == QEvent::WindowBlocked) {
    Image1MouseUp(nullptr);
    ShowGlyphsAtRest();
  }
  return QMainWindow::event(event);
}

void TForm1::FormMouseMove() {
  readOut_->Clear();
}

void TForm1::animator1Click() {
  if (animatorOpener_) animatorOpener_(*this);
}

}  // namespace kelvane
