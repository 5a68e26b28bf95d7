// How the main window shows the document: the controls put in line with it without echoing
// back, and the pictures redrawn once for each change that shows in them, with only the part
// that changed sent to the screen.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <bitset>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

#include "files/ColourNames.h"
#include "render/BrowserSheet.h"
#include "render/C64Palette.h"
#include "render/CanvasPreview.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane {
namespace {

QRect QRectOf(const ViewRect& r) {
  return {r.x, r.y, r.width, r.height};
}

// The colour a tool's pixel shows: the own colour of the sprite it lands in for the sprite colour
// pen, of the upper sprite of a pair for that one's pen, else the shared colour.
std::uint8_t PenColourAt(const SpriteDocument& document, const PreviewPixel& p) {
  const int layer = p.pen == kUpperColourPen ? 1 : 0;
  const auto place = document.Canvas().Locate(p.point, layer);
  if (p.pen != kSpriteColourPen && p.pen != kUpperColourPen) return document.PenColours()[p.pen];
  return place ? static_cast<std::uint8_t>(SpriteColour(document.Bank().Attribute(place->sprite)))
               : std::uint8_t{0};
}

// Row by row, left to right: the order of the grid's lines.
bool ByRowsOfPixels(const PreviewPixel& a, const PreviewPixel& b) {
  return std::tie(a.point.y, a.point.x, a.pen) < std::tie(b.point.y, b.point.x, b.pen);
}

// The pixels of a preview so ordered that lie in canvas row y.
std::span<const PreviewPixel> PreviewRow(const Preview& preview, int y) {
  const auto [first, last] =
      std::ranges::equal_range(preview, y, {}, [](const PreviewPixel& p) { return p.point.y; });
  return {first, last};
}

// What of the small picture to repaint for a change in part: a part as wide as the sprite is
// widened to whole lines, its borders with them. Whole lines are drawn where they show, a part of
// a line aside and copied, and the borders are a few pixels a line.
QRect PictureRepaint(QRect part) {
  if (part.left() <= kPreviewView.Origin().x &&
      part.right() >= kPreviewView.Origin().x + kPreviewView.Width() - 1) {
    part.setCoords(0, part.top(), kPreviewWidth - 1, part.bottom());
  }
  return part;
}

// The region of rects, which do not overlap: made in one go where, joined where they meet, they
// lie in rows of one height each, as those of a line, a fill or an object's sprites do; else
// rectangle by rectangle. A row that meets the one above and spans the same columns is joined to
// it, as Qt joins them: a steep line is a rectangle for each of its steps.
QRegion RegionOf(std::vector<QRect>& rects) {
  // Those of a preview or of one sprite's change come in this order already.
  const auto byRows = [](const QRect& a, const QRect& b) {
    return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left());
  };
  if (!std::ranges::is_sorted(rects, byRows)) std::ranges::sort(rects, byRows);
  std::vector<QRect> rows;
  rows.reserve(rects.size());
  for (const QRect& r : rects) {
    QRect* last = rows.empty() ? nullptr : &rows.back();
    if (last && last->top() == r.top() && last->height() == r.height() &&
        last->right() + 1 >= r.left()) {
      last->setRight(std::max(last->right(), r.right()));
    } else {
      rows.push_back(r);
    }
  }
  bool banded = true;
  for (std::size_t k = 1; k < rows.size() && banded; ++k) {
    const QRect& above = rows[k - 1];
    const QRect& r = rows[k];
    banded = above.top() == r.top() ? above.height() == r.height() : r.top() > above.bottom();
  }
  QRegion region;
  if (banded) {
    // Joined in place: the rows kept are never ahead of the rows read.
    const auto sameColumns = [](const QRect& a, const QRect& b) {
      return a.left() == b.left() && a.right() == b.right();
    };
    QRect* const kept = rows.data();
    std::size_t size = 0;
    std::size_t above = 0;  // where the last row kept begins
    for (std::size_t first = 0; first < rows.size();) {
      std::size_t end = first + 1;
      while (end < rows.size() && rows[end].top() == rows[first].top()) ++end;
      if (size > 0 && kept[above].bottom() + 1 == rows[first].top() &&
          size - above == end - first &&
          std::equal(kept + first, kept + end, kept + above, sameColumns)) {
        for (std::size_t k = above; k < size; ++k) kept[k].setBottom(rows[first].bottom());
      } else {
        above = size;
        std::copy(kept + first, kept + end, kept + size);
        size += end - first;
      }
      first = end;
    }
    region.setRects(kept, static_cast<int>(size));
    return region;
  }
  for (const QRect& r : rows) region += r;
  return region;
}

}  // namespace

void TForm1::DocumentChanged(const DocumentChange& change) {
  ShowDocumentState();
  if (change.Has(Changed::Modified)) ShowTitle();
  const int current = document_.CurrentSprite();
  // The shared colours show in every sprite, and so does the distance of the pairs.
  const bool colours = change.Has(Changed::SharedColours) || change.Has(Changed::Pairs);
  // The pen and the edited layer of a pair decide its grid lines and which layer is faint.
  const bool pairLooks = change.Has(Changed::Pen) && document_.PairShown();
  if (colours || pairLooks || change.Has(Changed::Selection)) {
    editorStale_ = true;
    // A drag goes on in the sprite now shown from where it is next; a selection goes.
    if (change.Has(Changed::Selection)) {
      tools_->Current().CanvasChanged();
      ShowToolPreview();
    }
  } else {
    const SpriteCanvas& canvas = document_.Canvas();
    // Each cell of the canvas that shows a changed sprite (an object may show one in several,
    // as a sprite and as another's partner) marks that sprite's changed cells there.
    std::array<const SpriteCells*, kSpriteCount> changedCells{};
    for (const SpriteCells& sprite : change.cells) {
      changedCells[static_cast<std::size_t>(sprite.sprite)] = &sprite;
    }
    std::vector<QRect> rects;
    // Cells a tool's preview or an earlier change has sent since the grid's last paint are
    // drawn as they are now when it paints: a line put down where it was shown sends nothing.
    const bool sentBefore = SentCellsReady();
    for (int layer = 0; layer < canvas.Layers(); ++layer) {
      for (int row = 0; row < canvas.Rows(); ++row) {
        for (int column = 0; column < canvas.Columns(); ++column) {
          const int sprite = canvas.SpriteAt(layer, column, row);
          if (sprite < 0 || sprite >= kSpriteCount) continue;  // a cell with nothing over it
          const SpriteCells* cells = changedCells[static_cast<std::size_t>(sprite)];
          if (!cells) continue;
          staleCellsRound_ |=
              QRect(column * kHiresColumns, row * kSpriteRows, kHiresColumns, kSpriteRows);
          const SpriteView view = editorView_.SpriteAt({column * kHiresColumns, row * kSpriteRows});
          const auto send = [&](const CellArea& area) {
            rects.push_back(QRectOf(view.CellsRect(area)));
          };
          if (sentBefore) {
            SpriteCells unsent = *cells;
            std::array<RowColumns, kSpriteRows> sent{};
            sentCells_.SpriteRows(row * kSpriteRows, column, sent);
            for (int r = 0; r < kSpriteRows; ++r) {
              unsent.rows[static_cast<std::size_t>(r)] &= ~sent[static_cast<std::size_t>(r)];
            }
            unsent.ForEachRectangle(send);
          } else {
            cells->ForEachRectangle(send);
          }
          sentCells_.AddSpriteRows(row * kSpriteRows, column, kSpriteRows,
                                   [&](int r) { return cells->rows[static_cast<std::size_t>(r)]; });
          cellsSent_ = true;
        }
      }
    }
    if (!rects.empty()) staleEditor_ += RegionOf(rects);
    for (const SpriteCells& sprite : change.cells) {
      staleSprites_.push_back(sprite.sprite);
      // The preview shows the shown sprite, with its partner over it.
      const bool partner = document_.PairShown() && sprite.sprite == document_.OverlayOf(current);
      if (sprite.sprite != current && !partner) continue;
      staleCells_.Add(sprite.cells.first);
      staleCells_.Add(sprite.cells.last);
    }
  }
  // The sheet's number label moves when the selection does, if it was or comes into view.
  const auto onTheSheet = [this](int sprite) {
    return BrowserCellOf(sheetTopRow_, sheetLeftColumn_, sprite, sheetWindow_).has_value();
  };
  sheetStale_ =
      sheetStale_ || colours ||
      (change.Has(Changed::Selection) && (onTheSheet(sheetNumbered_) || onTheSheet(current)));
  for (int k = 0; k < sheetWindow_.Cells() && !sheetStale_; ++k) {
    const int sprite = BrowserSpriteAt(sheetTopRow_, sheetLeftColumn_, sheetWindow_.CellOf(k));
    // A thumbnail shows the partner over a sprite with the overlay bit.
    const auto partner = document_.OverlayOf(sprite);
    if (change.TouchesSprite(sprite) || (partner && change.TouchesSprite(*partner))) {
      staleThumbnails_.set(k);
    }
  }
  FollowAnimation(change);
  DrawStale();
}

void TForm1::ShowDocumentState() {
  const bool multiColour = document_.CurrentIsMultiColour();
  {
    const QSignalBlocker mode(MCToggle), half(UpperSet), position(ScrollBar1);
    MCToggle->setChecked(multiColour);
    UpperSet->setChecked(document_.UpperHalf());
    ScrollBar1->setValue(document_.CurrentSprite() % kHalfBankSprites);
  }
  // The multi-colour pens exist only for a multi-colour sprite (ShowOverlayState, with those of
  // a pair); Qt repaints what they uncover.
  for (int pen = 0; pen < kPenCount; ++pen) {
    const std::uint8_t colour = document_.PenColours()[pen];
    swatches_[pen]->SetColour(PaletteRgb(colour), ColourName(colour));
  }
  Btn_Undo->setEnabled(document_.UndoButtonEnabled());
  Redo1->setEnabled(document_.RedoCount() > 0);
  Paste1->setEnabled(document_.ClipboardFull());
  PasteRange1->setEnabled(document_.RangeTaken());
  ShowSelectionState();
  ExpandX1->setChecked(WidthFactor(document_.CurrentAttribute()) > 1);
  ExpandY1->setChecked(HeightFactor(document_.CurrentAttribute()) > 1);
  ShowOverlayState();
}

void TForm1::RefreshEditor() {
  ShowDocumentState();
  if (editorStale_ || !staleCells_.Empty() || !staleEditor_.isEmpty()) RedrawEditor();
}

void TForm1::DrawStale() {
  // A sheet not made yet is drawn whole by its first use, whatever changed.
  if (sheetStale_ || (staleThumbnails_.any() && !Image2->PictureMade())) {
    DrawBrowserSheet();
  } else if (staleThumbnails_.any()) {
    DrawStaleThumbnails();
  }
  if (editorStale_ || !staleCells_.Empty() || !staleEditor_.isEmpty()) RedrawEditor();
}

// Only what changed is sent to the screen: Qt paints and flushes the dirty rectangles once the
// event loop turns, however many changes came before.
void TForm1::RedrawEditor() {
  const bool whole = editorStale_;
  const CellArea cells = staleCells_;
  const QRegion editor = staleEditor_;
  const QRect cellsRound = staleCellsRound_;
  const std::vector<int> sprites = std::move(staleSprites_);
  editorStale_ = false;
  staleCells_ = {};
  staleEditor_ = {};
  staleCellsRound_ = {};
  staleSprites_.clear();
  if (drawTrace_) drawTrace_("editor");
  const EditorState& state = document_.State();
  const SpriteCanvas& canvas = document_.Canvas();
  const bool resized =
      canvasImage_.width() != canvas.Width() || canvasImage_.height() != canvas.Height();
  if (resized) canvasImage_ = MakeWorkImage(canvas.Width(), canvas.Height(), PaletteRgb(0));
  // A change of some sprites of an object draws only those again: they are a few of many.
  const bool object = canvas.Columns() * canvas.Rows() > 1;
  const PairLook pairLook = EditorPairLook();
  std::bitset<kSpriteCount> changed;
  for (const int sprite : sprites) changed.set(static_cast<std::size_t>(sprite));
  if (whole || resized || !object) {
    RenderCanvas(canvasImage_, document_.Bank(), state, canvas, pairLook);
  } else {
    RenderCanvasSprites(canvasImage_, document_.Bank(), state, canvas, changed, pairLook);
  }
  DrawOnionSkin();
  previewImageStale_ = true;  // in the palette and colours drawn now
  editorLook_ = {CanvasLook(document_.Bank(), canvas, showGrid_),
                 PaletteRgb(state.PenColours[kTransparentPen])};
  // The grid lines of a pair follow the pixels the tools paint, in each cell of an object.
  if (document_.PairShown()) {
    const CanvasPixels pixels = document_.Pixels();
    for (int k = 0; k < canvas.Columns() * canvas.Rows(); ++k) {
      const CanvasPoint origin{k % canvas.Columns() * kHiresColumns,
                               k / canvas.Columns() * kSpriteRows};
      editorLook_.canvas.multiColour[k] = pixels.PixelWidthAt(origin) > 1;
    }
  }
  // The label is set again only when it names another sprite.
  if (labelledSprite_ != state.CurrentSprite) {
    Label1->setText(PreviewLabel(state.CurrentSprite));
    labelledSprite_ = state.CurrentSprite;
  }
  // The editor and the preview draw their lines from canvasImage_ as Qt paints them.
  LayOutEditor();  // the canvas shown, or the way it shows, may have changed
  if (whole) {
    Image3->update();
    Image1->update();
    return;
  }
  // An object's preview shows every sprite that changed, in every cell that shows it: the
  // picture is small, so round them all. The preview keeps the order of the canvas's columns and
  // rows, so the round of the cells shows as the round of what they show.
  if (object) {
    if (!cellsRound.isNull()) {
      Image3->update(CanvasPreviewRect(canvas.Width(), canvas.Height(), cellsRound));
    }
  } else {
    SendPicture(PictureRepaint(QRectOf(kPreviewView.CellsRect(cells))));
  }
  Image1->update(editor);
}

namespace {
constexpr std::size_t kPicturesKept = 8;
}  // namespace

bool TForm1::SentCellsReady() {
  const SpriteCanvas& canvas = document_.Canvas();
  if (sentCells_.Width() != canvas.Width() || sentCells_.Height() != canvas.Height()) {
    sentCells_ = CanvasRegion(canvas.Width(), canvas.Height());
    cellsSent_ = false;
  }
  return cellsSent_;
}

void TForm1::SendPicture(const QRect& part) {
  if (std::ranges::any_of(picturesSent_, [&](const QRect& sent) { return sent.contains(part); })) {
    return;
  }
  Image3->update(part);
  // A few: the picture hidden behind another page keeps none of them long.
  if (picturesSent_.size() < kPicturesKept) picturesSent_.push_back(part);
}

void TForm1::ShowToolPreview() {
  ShowSelectionState();
  // The preview shown is kept in the order of its rows, as the grid draws it.
  Preview& after = previewScratch_.next;
  const Preview& current = tools_->CurrentPreview();
  after.assign(current.begin(), current.end());
  if (!std::ranges::is_sorted(after, ByRowsOfPixels)) std::ranges::sort(after, ByRowsOfPixels);
  const std::optional<CanvasFrame> frame = tools_->Frame();
  if (after == shownPreview_ && frame == shownFrame_) return;
  // What was shown and what is shown now are both sent to the screen again: the pixels, and
  // the edges of the frames.
  const SpriteCanvas& canvas = document_.Canvas();
  const Zoom zoom = editorView_.CellZoom();
  const ViewPixel origin = editorView_.Origin();
  const Zoom small = kPreviewView.CellZoom();
  const auto [pictureLeft, pictureTop] = kPreviewView.Origin();
  // Only the pixels shown differently: those of one preview and not the other, in its pen.
  Preview& changed = previewScratch_.changed;
  changed.clear();
  std::ranges::set_symmetric_difference(shownPreview_, after, std::back_inserter(changed),
                                        ByRowsOfPixels);
  const CanvasPixels pixels = document_.Pixels();
  // Gathered first: each update() of a widget finds its place in the window again. The small
  // picture is repainted round them all: fewer rectangles cost Qt less than the pixels. Cells
  // sent to the grid since its last paint are drawn with the preview as it is then: a tool that
  // puts down what it showed sends its pixels once.
  const bool sent = SentCellsReady();
  std::vector<QRect>& pixelRects = previewScratch_.rects;
  pixelRects.clear();
  // The canvas columns and rows of the changed pixels, for the small picture.
  int left = std::numeric_limits<int>::max();
  int top = left;
  int right = std::numeric_limits<int>::min();
  int bottom = right;
  // A pixel is as wide as the others of its sprite: the width is found once a sprite.
  std::optional<std::pair<int, int>> widthCell;
  int cellWidth = 1;
  const auto widthAt = [&](CanvasPoint p) {
    if (!canvas.Contains(p)) return pixels.PixelWidthAt(p);
    const std::pair cell(p.x / kHiresColumns, p.y / kSpriteRows);
    if (widthCell != cell) {
      widthCell = cell;
      cellWidth = pixels.PixelWidthAt(p);
    }
    return cellWidth;
  };
  for (const PreviewPixel& p : changed) {
    const int width = widthAt(p.point);
    left = std::min(left, p.point.x);
    right = std::max(right, p.point.x + width);
    top = std::min(top, p.point.y);
    bottom = std::max(bottom, p.point.y + 1);
    const int bit = canvas.Width() - p.point.x - width;  // the pixel's columns, rightmost first
    const bool onCanvas = canvas.Contains(p.point) && p.point.x + width <= canvas.Width();
    if (sent && onCanvas &&
        CanvasRegion::NextClear(sentCells_.Row(p.point.y), bit, bit + width) == bit + width) {
      continue;
    }
    pixelRects.emplace_back(origin.x + p.point.x * zoom.x, origin.y + p.point.y * zoom.y,
                            width * zoom.x, zoom.y);
    if (onCanvas) {
      CanvasRegion::SetBits(sentCells_.Row(p.point.y), bit, bit + width, true);
      cellsSent_ = true;
    }
  }
  QRegion editor = RegionOf(pixelRects);
  if (frame != shownFrame_) {
    for (const auto& f : {shownFrame_, frame}) {
      if (!f) continue;
      const QRect r(origin.x + f->topLeft.x * zoom.x, origin.y + f->topLeft.y * zoom.y,
                    f->width * zoom.x, f->height * zoom.y);
      editor += QRegion(r).subtracted(r.adjusted(1, 1, -1, -1));
    }
  }
  if (!editor.isEmpty()) Image1->update(editor);
  if (left < right) {
    SendPicture(PictureRepaint(QRect(pictureLeft + left * small.x, pictureTop + top * small.y,
                                     (right - left) * small.x, (bottom - top) * small.y)));
  }
  std::swap(shownPreview_, after);
  shownFrame_ = frame;
}

namespace {

// A dash of the selection's frame: black and white by turns, to show on any colour.
QRgb FrameDash(int along) {
  return (along / 2) % 2 ? 0xFFFFFFFF : 0xFF000000;
}

}  // namespace

void TForm1::DrawToolPreview(QImage& band, int row, Zoom zoom, int firstLine, int shift,
                             BandColumns columns) const {
  if (const auto pixelsOfRow = PreviewRow(shownPreview_, row); !pixelsOfRow.empty()) {
    const int gap = showGrid_ ? 1 : 0;  // the grid lines stay in view over the preview
    const CanvasPixels pixels = document_.Pixels();
    for (const PreviewPixel& p : pixelsOfRow) {
      // Nothing shows where the pen writes no sprite: it would paint nothing there.
      if (!pixels.Writes(p.point, p.pen)) continue;
      const std::uint8_t colour = PenColourAt(document_, p);
      const int width = pixels.PixelWidthAt(p.point) * zoom.x;
      const int left = p.point.x / (width / zoom.x) * width - shift;
      // The part of the pixel among the columns drawn.
      const int from = std::max(left, columns.left);
      const int to = std::min(left + width - gap, columns.right);
      if (from >= to) continue;
      for (int y = 0; y < zoom.y - gap; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(band.scanLine(firstLine + y));
        std::fill(line + from, line + to, PaletteRgb(colour));
      }
    }
  }
  if (!shownFrame_) return;
  const QRect frame(shownFrame_->topLeft.x * zoom.x - shift, shownFrame_->topLeft.y * zoom.y,
                    shownFrame_->width * zoom.x, shownFrame_->height * zoom.y);
  const QRect bandRect(columns.left, row * zoom.y, columns.right - columns.left, zoom.y);
  const QRect shown = frame.intersected(bandRect);
  if (shown.isEmpty()) return;
  for (int y = shown.top(); y <= shown.bottom(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(band.scanLine(firstLine + y - bandRect.top()));
    if (y == frame.top() || y == frame.bottom()) {
      for (int x = shown.left(); x <= shown.right(); ++x) line[x] = FrameDash(x + shift);
      continue;
    }
    for (const int x : {frame.left(), frame.right()}) {
      if (x >= shown.left() && x <= shown.right()) line[x] = FrameDash(y);
    }
  }
}

void TForm1::DrawToolPreviewOnPicture(QImage& band, int top) const {
  const Zoom zoom = kPreviewView.CellZoom();
  const auto [left, pictureTop] = kPreviewView.Origin();
  if (shownPreview_.empty()) return;
  const CanvasPixels pixels = document_.Pixels();
  // The band's rows of the picture, those above it left out.
  for (int line = std::max(0, pictureTop - top); line + zoom.y <= band.height(); line += zoom.y) {
    const int row = (top + line - pictureTop) / zoom.y;
    if (row >= kSpriteRows) break;
    for (const PreviewPixel& p : PreviewRow(shownPreview_, row)) {
      // The picture shows the canvas's first sprite.
      if (p.point.x >= kHiresColumns) continue;
      if (!pixels.Writes(p.point, p.pen)) continue;
      const std::uint8_t colour = PenColourAt(document_, p);
      const int width = pixels.PixelWidthAt(p.point) * zoom.x;
      const int x = left + p.point.x * zoom.x;
      for (int y = line; y < line + zoom.y; ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(band.scanLine(y));
        std::fill(out + x, out + x + width, PaletteRgb(colour));
      }
    }
  }
}

void TForm1::DrawBrowserSheet() {
  if (!Image2->PictureMade()) {
    Image2->Picture();  // made, and drawn whole through here
    return;
  }
  sheetStale_ = false;
  staleThumbnails_.reset();
  sheetNumbered_ = document_.CurrentSprite();
  if (drawTrace_) drawTrace_("sheet");
  if (thumbnailImage_.isNull()) {
    thumbnailImage_ = MakeWorkImage(kHiresColumns, kSpriteRows, PaletteRgb(0));
  }
  kelvane::DrawBrowserSheet(Image2->Picture(), thumbnailImage_, document_.Bank(), document_.State(),
                            sheetTopRow_, sheetLeftColumn_, sheetWindow_,
                            {document_.OverlayDistance()});
  Image2->update();
}

void TForm1::DrawStaleThumbnails() {
  if (drawTrace_) drawTrace_("sheet");
  for (int k = 0; k < sheetWindow_.Cells(); ++k) {
    if (!staleThumbnails_.test(k)) continue;
    const SheetCell cell = sheetWindow_.CellOf(k);
    DrawThumbnail(Image2->Picture(), thumbnailImage_, document_.Bank(), document_.State(),
                  sheetTopRow_, sheetLeftColumn_, cell, {document_.OverlayDistance()});
    Image2->update(QRectOf(kSheetGeometry.Thumbnail(cell).CellsRect(CellArea::Whole())));
  }
  staleThumbnails_.reset();
}

void TForm1::ShowSheetFromTheTop() {
  const QSignalBlocker vertical(ScrollBar2), horizontal(ScrollBar3);
  ScrollBar2->setValue(0);
  ScrollBar3->setValue(0);
  sheetTopRow_ = sheetLeftColumn_ = 0;
  sheetStale_ = true;
}

void TForm1::ShowGrid(bool on) {
  const QSignalBlocker quiet(GridToggle);
  GridToggle->setChecked(on);
  editorStale_ = editorStale_ || showGrid_ != on;
  showGrid_ = on;
}

}  // namespace kelvane
