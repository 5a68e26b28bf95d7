// The window at any size: the controls as laid out at the default size, the editor grid and the
// browser's sheet taking whatever room more there is, and the grid's zoom.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/C64Palette.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kGridLeft = 5;
constexpr int kGridTop = 5;
constexpr int kScrollBarSide = 16;
// The ticks: how far each reaches out of the grid, and how thick it is.
constexpr int kTickThickness = 3;
constexpr int kSideTickLength = 5;
constexpr int kRightTickLength = 15;
constexpr int kTopTickLength = 6;
constexpr int kBottomTickLength = 16;
// Where the sheet's scroll bars and hint sit from its edges, as laid out.
constexpr int kSheetLeft = 5;
constexpr int kSheetTop = 5;
constexpr int kSheetBarGap = 6;
constexpr int kSheetBarShorter = 4;
constexpr int kSheetBarWider = 2;
constexpr int kHintBelowBar = 20;
constexpr int kHintHeight = 13;
constexpr int kHintWidth = 298;
const QSize kLaidOutClient(kClientWidth, kClientHeight - kStatusBarHeight);

}  // namespace

void TForm1::BuildViewMenu() {
  // Placed after Edit, where a view menu is looked for.
  // "View1" is the documented name of the Tools menu.
  ViewMenu1 = new QMenu(QStringLiteral("&View"), this);
  ViewMenu1->setObjectName(QStringLiteral("ViewMenu1"));
  menuBar()->insertMenu(menuBar()->actions().value(2), ViewMenu1);
  const struct {
    const char* name;
    QString caption;
    QList<QKeySequence> keys;
    QAction* TForm1::*action;
    void (TForm1::*handler)();
  } items[] = {
      {"ZoomIn1",
       QStringLiteral("Zoom &In"),
       {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
       &TForm1::ZoomIn1,
       &TForm1::ZoomIn1Click},
      {"ZoomOut1",
       QStringLiteral("Zoom &Out"),
       {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
       &TForm1::ZoomOut1,
       &TForm1::ZoomOut1Click},
      {"FitToWindow1",
       QStringLiteral("&Fit to Window"),
       {QKeySequence(Qt::CTRL | Qt::Key_0)},
       &TForm1::FitToWindow1,
       &TForm1::FitToWindow1Click},
  };
  for (const auto& item : items) {
    QAction* action = ViewMenu1->addAction(item.caption);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setShortcuts(item.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, item.handler);
    this->*item.action = action;
  }
  Palette1 = ViewMenu1->addMenu(QStringLiteral("&Palette"));
  Palette1->setObjectName(QStringLiteral("Palette1"));
  auto* palettes = new QActionGroup(Palette1);
  for (int k = 0; k < kPaletteCount; ++k) {
    QAction* action = Palette1->addAction(QString::fromLatin1(kPalettes[k].caption));
    action->setCheckable(true);
    action->setChecked(k == ActivePalette());
    palettes->addAction(action);
    connect(action, &QAction::triggered, this, [this, k] { ChoosePalette(k); });
  }
  AddAnimationViews();
}

void TForm1::ChoosePalette(int k) {
  SetActivePalette(k);
  const QList<QAction*> items = Palette1->actions();
  if (k >= 0 && k < items.size()) items[k]->setChecked(true);
  DrawColourStrip();
  editorStale_ = true;
  sheetStale_ = true;
  ShowDocumentState();  // the swatches
  DrawStale();
}

void TForm1::AnchorControls() {
  const auto add = [this](QWidget* widget, bool right, bool bottom, bool wide, bool tall) {
    anchors_.push_back({widget, widget->geometry(), right, bottom, wide, tall});
  };
  add(PageControl1, false, false, true, true);
  add(findChild<QWidget*>(QStringLiteral("Bevel1")), false, false, true, false);
  for (QWidget* glyph : {static_cast<QWidget*>(Btn_Cut), static_cast<QWidget*>(Btn_Copy),
                         static_cast<QWidget*>(Btn_Paste), static_cast<QWidget*>(Btn_Undo)}) {
    add(glyph, false, true, false, false);
  }
  // The editor page: right of the grid follows the right edge, below it the bottom edge.
  for (QWidget* right : {static_cast<QWidget*>(Image3), static_cast<QWidget*>(Label1),
                         static_cast<QWidget*>(GridToggle), static_cast<QWidget*>(UpperSet)}) {
    add(right, true, false, false, false);
  }
  add(ScrollBar1, true, false, false, true);
  for (QWidget* below :
       {static_cast<QWidget*>(MCToggle), TabSheet1->findChild<QWidget*>(QStringLiteral("Bevel2")),
        static_cast<QWidget*>(Image4), static_cast<QWidget*>(Btn_Up),
        static_cast<QWidget*>(Btn_Down), static_cast<QWidget*>(Btn_Left),
        static_cast<QWidget*>(Btn_Right), static_cast<QWidget*>(Btn_FlipX),
        static_cast<QWidget*>(Btn_FlipY), static_cast<QWidget*>(Btn_SymmX),
        static_cast<QWidget*>(Btn_SymmY)}) {
    add(below, false, true, false, false);
  }
  for (int pen = 0; pen < kPenCount; ++pen) {
    add(penButtons_[pen], false, true, false, false);
    add(swatches_[pen], false, true, false, false);
  }
  EditorScrollX = new QScrollBar(Qt::Horizontal, TabSheet1);
  EditorScrollX->setObjectName(QStringLiteral("EditorScrollX"));
  EditorScrollY = new QScrollBar(Qt::Vertical, TabSheet1);
  EditorScrollY->setObjectName(QStringLiteral("EditorScrollY"));
  for (QScrollBar* bar : {EditorScrollX, EditorScrollY}) {
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    connect(bar, &QScrollBar::valueChanged, this, &TForm1::LayOutEditor);
  }
}

void TForm1::LayOut() {
  const QSize more = (centralWidget()->size() - kLaidOutClient).expandedTo({0, 0});
  for (const Anchor& anchor : anchors_) {
    QRect r = anchor.laidOut;
    r.translate(anchor.right ? more.width() : 0, anchor.bottom ? more.height() : 0);
    r.setSize(r.size() + QSize(anchor.wide ? more.width() : 0, anchor.tall ? more.height() : 0));
    anchor.widget->setGeometry(r);
  }
  editorRoom_ = QSize(kEditorWidth, kEditorHeight) + more;
  LayOutEditor();
  LayOutBrowser();
}

namespace {

// The fewest lines a band of the grid holds where its cells are smaller.
constexpr int kLeastBandLines = 8;

}  // namespace

Zoom TForm1::EditorStretch() const {
  // Cells of one size cannot show some sprites of an object wider or taller than others: the
  // grid is stretched only along an axis every sprite of the canvas is expanded along.
  const SpriteCanvas& canvas = document_.Canvas();
  std::uint8_t expandedInAll = kExpandXFlag | kExpandYFlag;
  for (int row = 0; row < canvas.Rows(); ++row) {
    for (int column = 0; column < canvas.Columns(); ++column) {
      expandedInAll &= document_.Bank().Attribute(canvas.SpriteAt(0, column, row));
    }
  }
  return {WidthFactor(expandedInAll), HeightFactor(expandedInAll)};
}

void TForm1::LayOutEditor() {
  const SpriteCanvas& canvas = document_.Canvas();
  const int columns = canvas.Columns() * kHiresColumns;
  const int rows = canvas.Rows() * kSpriteRows;
  const Zoom stretch = EditorStretch();
  // Every redraw lays the editor out again: only a change of what it depends on moves anything.
  const EditorLayout layout{columns,
                            rows,
                            stretch.x,
                            stretch.y,
                            cellSize_,
                            editorRoom_,
                            EditorScrollX->value(),
                            EditorScrollY->value(),
                            GridBandRatio()};
  if (layout == laidOut_) return;
  laidOut_ = layout;
  const int cell = cellSize_ > 0 ? cellSize_
                                 : FitCellSize(editorRoom_.width(), editorRoom_.height(), columns,
                                               rows, stretch);
  const Zoom zoom{cell * stretch.x, cell * stretch.y};
  // A grid larger than its room gives up a bar's breadth on each side for the scroll bars.
  const bool scrolls =
      columns * zoom.x > editorRoom_.width() || rows * zoom.y > editorRoom_.height();
  const int bar = scrolls ? kScrollBarSide : 0;
  const int shownColumns = std::clamp((editorRoom_.width() - bar) / zoom.x, 1, columns);
  const int shownRows = std::clamp((editorRoom_.height() - bar) / zoom.y, 1, rows);
  const QSize shown(shownColumns * zoom.x, shownRows * zoom.y);
  {
    const QSignalBlocker quietX(EditorScrollX), quietY(EditorScrollY);
    EditorScrollX->setRange(0, columns - shownColumns);
    EditorScrollX->setPageStep(shownColumns);
    EditorScrollY->setRange(0, rows - shownRows);
    EditorScrollY->setPageStep(shownRows);
  }
  EditorScrollX->setGeometry(kGridLeft, kGridTop + shown.height(), shown.width(), bar);
  EditorScrollY->setGeometry(kGridLeft + shown.width(), kGridTop, bar, shown.height());
  EditorScrollX->setVisible(EditorScrollX->maximum() > 0);
  EditorScrollY->setVisible(EditorScrollY->maximum() > 0);
  const CanvasView view({-EditorScrollX->value() * zoom.x, -EditorScrollY->value() * zoom.y}, zoom,
                        canvas.Columns(), canvas.Rows());
  const bool changed = view.Origin().x != editorView_.Origin().x ||
                       view.Origin().y != editorView_.Origin().y || view.CellZoom().x != zoom.x ||
                       view.CellZoom().y != zoom.y || Image1->size() != shown;
  editorView_ = view;
  // The scroll bars' ranges may have moved their values.
  laidOut_->scrollX = EditorScrollX->value();
  laidOut_->scrollY = EditorScrollY->value();
  // A band of a few lines at least: each band costs a call of every drawing step.
  const int rowsPerBand = GridBandRatio() == 1 ? std::max(1, kLeastBandLines / zoom.y) : 1;
  Image1->Reshape(shown.width(), shown.height(), rowsPerBand * zoom.y, GridBandRatio());
  if (changed) {
    Image1->update();
    Image3->update();  // the preview's proportions follow the grid's
    shownPreview_.clear();
  }

  // The ticks point at the middle column and row of the canvas, where they are in view.
  const int middleX = kGridLeft + view.Origin().x + columns / 2 * zoom.x;
  const int middleY = kGridTop + view.Origin().y + rows / 2 * zoom.y + zoom.y / 2;
  const int half = kTickThickness / 2 + 1;
  const QRect ticks[] = {
      {0, middleY - half, kSideTickLength, kTickThickness},
      {kGridLeft + shown.width() - 1, middleY - half, kRightTickLength, kTickThickness},
      {middleX - half, 0, kTickThickness, kTopTickLength},
      {middleX - half, kGridTop + shown.height(), kTickThickness, kBottomTickLength},
  };
  const bool rowInView = middleY > kGridTop && middleY < kGridTop + shown.height();
  const bool columnInView = middleX > kGridLeft && middleX < kGridLeft + shown.width();
  for (std::size_t k = 0; k < ticks_.size(); ++k) {
    ticks_[k]->setGeometry(ticks[k]);
    ticks_[k]->setVisible(k < 2 ? rowInView : columnInView);
  }
}

void TForm1::DrawEditorBand(QImage& band, int top, BandColumns span) {
  const Zoom zoom = editorView_.CellZoom();
  const int firstRow = (top - editorView_.Origin().y) / zoom.y;
  // The band may be drawn at the screen's own pixels: the same cells, each that many wide.
  const qreal ratio = band.devicePixelRatio();
  const Zoom bandZoom{static_cast<int>(std::lround(zoom.x * ratio)),
                      static_cast<int>(std::lround(zoom.y * ratio))};
  const CanvasView view({0, 0}, bandZoom, editorView_.Columns(), editorView_.Rows());
  // The canvas rows of the band, those below the canvas left out.
  const int rows = std::min(band.height() / bandZoom.y, document_.Canvas().Height() - firstRow);
  // The view's column at the band's column 0, scrolled sideways by whole cells; the columns of
  // span the band and the canvas both hold are drawn.
  const int shift = -editorView_.Origin().x / zoom.x * bandZoom.x;
  const int from = std::max(span.left, 0);
  const int to = std::min({span.right, band.width(), view.Width() - shift});
  if (from >= to) return;
  if (rows <= 0) return;
  DrawCanvasBand(band, GridSource(), view, editorLook_.canvas, firstRow, {from + shift, to + shift},
                 0, shift, rows);
  // Over them, what a tool shows and the keyboard's cursor, where there are any.
  if (!shownPreview_.empty() || shownFrame_) {
    for (int k = 0; k < rows; ++k) {
      DrawToolPreview(band, firstRow + k, bandZoom, k * bandZoom.y, shift, {from, to});
    }
  }
  const int cursorRow = gridCursor_.y - firstRow;
  if (cursorRow >= 0 && cursorRow < rows) {
    DrawGridCursor(band, gridCursor_.y, bandZoom, cursorRow * bandZoom.y, shift, {from, to});
  }
}

qreal TForm1::GridBandRatio() const {
  const qreal ratio = devicePixelRatioF();
  return ratio == std::floor(ratio) ? 1 : ratio;
}

bool TForm1::WholeOnScreen(int cell) const {
  const qreal ratio = GridBandRatio();
  const Zoom stretch = EditorStretch();
  for (int side : {cell * stretch.x, cell * stretch.y}) {
    if (side * ratio != std::floor(side * ratio)) return false;
  }
  return true;
}

void TForm1::LayOutBrowser() {
  const QSize more = editorRoom_ - QSize(kEditorWidth, kEditorHeight);
  const SheetWindow window =
      kSheetGeometry.WindowIn(kSheetWidth + more.width(), kSheetHeight + more.height());
  const int width = kSheetGeometry.Width(window);
  const int height = kSheetGeometry.Height(window);
  ScrollBar2->setGeometry(kSheetLeft + width + kSheetBarGap, kSheetTop, kScrollBarSide,
                          height - kSheetBarShorter);
  ScrollBar3->setGeometry(kSheetLeft, kSheetTop + height + kSheetBarGap, width + kSheetBarWider,
                          kScrollBarSide);
  Label2->setGeometry(kSheetLeft, ScrollBar3->y() + kHintBelowBar, kHintWidth + more.width(),
                      kHintHeight);
  if (window == sheetWindow_) return;
  sheetWindow_ = window;
  {
    const QSignalBlocker vertical(ScrollBar2), horizontal(ScrollBar3);
    ScrollBar2->setRange(0, kSheetRows - window.rows);
    ScrollBar3->setRange(0, kSheetColumns - window.columns);
  }
  // A bar with nothing to scroll has no use.
  ScrollBar2->setVisible(ScrollBar2->maximum() > 0);
  ScrollBar3->setVisible(ScrollBar3->maximum() > 0);
  sheetTopRow_ = ScrollBar2->value();
  sheetLeftColumn_ = ScrollBar3->value();
  staleThumbnails_.reset();
  Image2->Reshape(width, height);
  if (Image2->PictureMade()) DrawBrowserSheet();
}

void TForm1::SetCellSize(int size) {
  cellSize_ = size;
  LayOutEditor();
}

void TForm1::ZoomIn1Click() {
  int size = editorView_.CellZoom().y / EditorStretch().y;
  do {
    size = NextCellSize(size, 1);
  } while (!WholeOnScreen(size) && size < kMaxCellSize);
  SetCellSize(size);
}

void TForm1::ZoomOut1Click() {
  int size = editorView_.CellZoom().y / EditorStretch().y;
  do {
    size = NextCellSize(size, -1);
  } while (!WholeOnScreen(size) && size > kMinCellSize);
  SetCellSize(size);
}

void TForm1::FitToWindow1Click() {
  SetCellSize(0);
}

bool TForm1::GridWheel(QWheelEvent* event) {
  // Ctrl and the wheel over the grid zoom it; without Ctrl the wheel does what it did.
  if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) return false;
  if (event->angleDelta().y() > 0) {
    ZoomIn1Click();
  } else {
    ZoomOut1Click();
  }
  event->accept();
  return true;
}

}  // namespace kelvane
