// The coordinate spaces between the screen and a sprite, and every mapping between them:
//   view pixel   - a pixel of an image control (the editor grid, the preview, the browser
//                  sheet), counted from its top-left corner;
//   sprite cell  - a hi-res column 0..23 and row 0..20 of a sprite (model/SpriteCell.h);
//   sprite pixel - a pixel in the sprite's own mode: the cell in hi-res, a double-wide pixel
//                  (columns 0..11) in multi-colour;
//   canvas point - a cell of the whole canvas the editor shows (model/SpriteCanvas.h).
// A picture of a sprite is a SpriteView: where its first cell starts in the control and how
// many view pixels a cell covers across and down; a picture of a canvas is a CanvasView, the
// same for a grid of sprites. The two zooms are kept apart so that a view may show the
// machine's wide pixels; the views of today are square.
#pragma once

#include <algorithm>
#include <optional>

#include "model/C64Format.h"
#include "model/DocumentChange.h"
#include "model/SpriteCanvas.h"
#include "model/SpriteCell.h"

namespace kelvane {

struct ViewPixel {
  int x = 0;
  int y = 0;
};

struct Zoom {
  int x = 1;
  int y = 1;
};

// A rectangle of view pixels; empty when width or height is 0.
struct ViewRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const ViewRect&) const = default;
};

class SpriteView {
 public:
  constexpr SpriteView(ViewPixel origin, Zoom zoom) : origin_(origin), zoom_(zoom) {}

  constexpr ViewPixel Origin() const { return origin_; }
  constexpr Zoom CellZoom() const { return zoom_; }
  constexpr int Width() const { return kHiresColumns * zoom_.x; }
  constexpr int Height() const { return kSpriteRows * zoom_.y; }

  // The cell under p, or nothing when p is off the sprite.
  constexpr std::optional<SpriteCell> CellAt(ViewPixel p) const {
    const int x = p.x - origin_.x;
    const int y = p.y - origin_.y;
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return std::nullopt;
    return SpriteCell{x / zoom_.x, y / zoom_.y};
  }
  // The view pixel at the top-left corner of cell.
  constexpr ViewPixel CellOrigin(SpriteCell cell) const {
    return {origin_.x + cell.column * zoom_.x, origin_.y + cell.row * zoom_.y};
  }
  // The view pixels that show area, the grid lines drawn inside its cells included.
  constexpr ViewRect CellsRect(const CellArea& area) const {
    if (area.Empty()) return {};
    const ViewPixel corner = CellOrigin(area.first);
    return {corner.x, corner.y, (area.last.column - area.first.column + 1) * zoom_.x,
            (area.last.row - area.first.row + 1) * zoom_.y};
  }

 private:
  ViewPixel origin_;
  Zoom zoom_;
};

class CanvasView {
 public:
  constexpr CanvasView(ViewPixel origin, Zoom zoom, int columns, int rows)
      : origin_(origin), zoom_(zoom), columns_(columns), rows_(rows) {}

  constexpr ViewPixel Origin() const { return origin_; }
  constexpr Zoom CellZoom() const { return zoom_; }
  constexpr int Columns() const { return columns_; }
  constexpr int Rows() const { return rows_; }
  constexpr int Width() const { return columns_ * kHiresColumns * zoom_.x; }
  constexpr int Height() const { return rows_ * kSpriteRows * zoom_.y; }

  // The canvas point under p, or nothing when p is off the canvas.
  constexpr std::optional<CanvasPoint> PointAt(ViewPixel p) const {
    const int x = p.x - origin_.x;
    const int y = p.y - origin_.y;
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return std::nullopt;
    return CanvasPoint{x / zoom_.x, y / zoom_.y};
  }
  // The picture of the sprite whose top-left cell is at canvas point spriteOrigin.
  constexpr SpriteView SpriteAt(CanvasPoint spriteOrigin) const {
    return SpriteView({origin_.x + spriteOrigin.x * zoom_.x, origin_.y + spriteOrigin.y * zoom_.y},
                      zoom_);
  }

 private:
  ViewPixel origin_;
  Zoom zoom_;
  int columns_;
  int rows_;
};

// How many cells one sprite pixel covers across.
constexpr int CellsPerPixel(bool multiColour) {
  return multiColour ? 2 : 1;
}

// The sprite pixel a cell belongs to, as the status bar names it.
constexpr SpriteCell SpritePixelOf(SpriteCell cell, bool multiColour) {
  return {cell.column / CellsPerPixel(multiColour), cell.row};
}

// The editor grid fills its control: every cell an 8 x 8 block, one sprite.
inline constexpr CanvasView kEditorView{{0, 0}, {8, 8}, 1, 1};
inline constexpr int kEditorWidth = kEditorView.Width();    // 192
inline constexpr int kEditorHeight = kEditorView.Height();  // 168

// The editor's cell sizes, in view pixels a side: 8 as laid out, 4 to 48 zoomed.
inline constexpr int kDefaultCellSize = 8;
inline constexpr int kMinCellSize = 4;
inline constexpr int kMaxCellSize = 48;

// The largest whole cell size at which `columns` x `rows` cells, each `stretch` cells wide and
// high (2 on an expanded axis), fit in width x height; never below kMinCellSize.
constexpr int FitCellSize(int width, int height, int columns, int rows, Zoom stretch) {
  const int across = width / (columns * stretch.x);
  const int down = height / (rows * stretch.y);
  return std::clamp(std::min(across, down), kMinCellSize, kMaxCellSize);
}

// The cell size a zoom step in (+1) or out (-1) goes to from size: each a whole size, the steps
// growing with the size so that the range takes few presses.
constexpr int NextCellSize(int size, int direction) {
  constexpr int kSizes[] = {4, 5, 6, 7, 8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48};
  if (direction > 0) {
    for (int s : kSizes) {
      if (s > size) return s;
    }
    return kMaxCellSize;
  }
  for (int i = static_cast<int>(std::size(kSizes)) - 1; i >= 0; --i) {
    if (kSizes[i] < size) return kSizes[i];
  }
  return kMinCellSize;
}

// The preview: the sprite at 2x inside a 10-pixel border of background colour.
inline constexpr int kPreviewBorder = 10;
inline constexpr SpriteView kPreviewView{{kPreviewBorder, kPreviewBorder}, {2, 2}};
inline constexpr int kPreviewWidth = kPreviewView.Width() + 2 * kPreviewBorder;    // 68
inline constexpr int kPreviewHeight = kPreviewView.Height() + 2 * kPreviewBorder;  // 62

// The zoom that shows a sprite of this attribute in the machine's proportions in the room a
// sprite at 2 x 2 takes: an expanded axis at twice the other, scaled to fit.
constexpr Zoom MachineZoom(std::uint8_t attribute) {
  const int x = WidthFactor(attribute);
  const int y = HeightFactor(attribute);
  const int larger = std::max(x, y);
  return {2 * x / larger, 2 * y / larger};
}

// Where a sprite at zoom sits centred in the room of one at 2 x 2 whose corner is at corner.
constexpr SpriteView CentredIn(ViewPixel corner, Zoom zoom) {
  return SpriteView(
      {corner.x + (2 - zoom.x) * kHiresColumns / 2, corner.y + (2 - zoom.y) * kSpriteRows / 2},
      zoom);
}

// The browser shows the bank laid out 16 sprites a row through a window of 5 x 5 thumbnails,
// scrolled by whole rows and columns.
inline constexpr int kSheetColumns = 16;
inline constexpr int kSheetRows = kSpriteCount / kSheetColumns;
inline constexpr int kWindowCells = 5;
inline constexpr int kSheetScrollMax = kSheetColumns - kWindowCells;  // 11

// A thumbnail's place in the window, column and row 0..4 (more in a larger window).
struct SheetCell {
  int column = 0;
  int row = 0;
};

// How many thumbnails the browser's window shows across and down: 5 x 5 as laid out, up to the
// whole sheet in a larger window.
struct SheetWindow {
  int columns = kWindowCells;
  int rows = kWindowCells;

  constexpr int Cells() const { return columns * rows; }
  constexpr SheetCell CellOf(int k) const { return {k % columns, k / columns}; }
  bool operator==(const SheetWindow&) const = default;
};

class SheetGeometry {
 public:
  // Thumbnails at thumbnailZoom, gap view pixels apart.
  constexpr SheetGeometry(Zoom thumbnailZoom, int gap) : zoom_(thumbnailZoom), gap_(gap) {}

  constexpr int StepX() const { return kHiresColumns * zoom_.x + gap_; }
  constexpr int StepY() const { return kSpriteRows * zoom_.y + gap_; }
  // The last gap is not part of the sheet: five thumbnails fill it exactly.
  constexpr int Width() const { return kWindowCells * StepX() - gap_; }
  constexpr int Height() const { return kWindowCells * StepY() - gap_; }
  constexpr int Width(SheetWindow window) const { return window.columns * StepX() - gap_; }
  constexpr int Height(SheetWindow window) const { return window.rows * StepY() - gap_; }
  // The most whole thumbnails that fit in width x height, at least one, at most the sheet.
  constexpr SheetWindow WindowIn(int width, int height) const {
    return {std::clamp((width + gap_) / StepX(), 1, kSheetColumns),
            std::clamp((height + gap_) / StepY(), 1, kSheetColumns)};
  }

  constexpr SpriteView Thumbnail(SheetCell cell) const {
    return SpriteView({cell.column * StepX(), cell.row * StepY()}, zoom_);
  }
  // The thumbnail under p; the gap right of or below a thumbnail belongs to it. The sheet's
  // left and top edges belong to none, so that a hover there leaves the last sprite named.
  constexpr std::optional<SheetCell> ThumbnailAt(ViewPixel p, SheetWindow window = {}) const {
    if (p.x <= 0 || p.y <= 0 || p.x >= Width(window) || p.y >= Height(window)) {
      return std::nullopt;
    }
    return SheetCell{p.x / StepX(), p.y / StepY()};
  }

 private:
  Zoom zoom_;
  int gap_;
};

inline constexpr SheetGeometry kSheetGeometry{{2, 2}, 1};
inline constexpr int kSheetWidth = kSheetGeometry.Width();    // 244
inline constexpr int kSheetHeight = kSheetGeometry.Height();  // 214

// The sprite in window cell with the window's top-left at (topRow, leftColumn) of the bank.
constexpr int BrowserSpriteAt(int topRow, int leftColumn, SheetCell cell) {
  return (topRow + cell.row) * kSheetColumns + leftColumn + cell.column;
}

// Where that window shows sprite, or nothing when the sprite is out of view.
constexpr std::optional<SheetCell> BrowserCellOf(int topRow, int leftColumn, int sprite,
                                                 SheetWindow window = {}) {
  const SheetCell cell{sprite % kSheetColumns - leftColumn, sprite / kSheetColumns - topRow};
  if (cell.column < 0 || cell.column >= window.columns || cell.row < 0 || cell.row >= window.rows) {
    return std::nullopt;
  }
  return cell;
}

}  // namespace kelvane
