#include "tools/SelectTool.h"

#include <algorithm>

namespace kelvane {
namespace {

void ForEachPixel(const PixelRect& rect, const std::function<void(int, int)>& visit) {
  for (int row = 0; row < rect.height; ++row) {
    for (int column = 0; column < rect.width; ++column) visit(column, row);
  }
}

// The planes of a block lifted from both layers: the pens the tools see, then the lower and the
// upper layer's.
constexpr int kSeenPlane = 0;
constexpr int kLayerPlanes = 2;
constexpr int PlaneOfLayer(int layer) {
  return kSeenPlane + 1 + layer;
}

// Puts block's pixels down at rect: each layer's own where the block holds them and the tools
// still see both, else the pens the tools see, as painting writes them.
void Write(CanvasPixels& pixels, const PixelGrid& grid, const PixelRect& rect,
           const PixelBlock& block) {
  const bool layers = block.Planes() > 1 && pixels.SeesBothLayers();
  ForEachPixel(rect, [&](int c, int r) {
    const CanvasPoint point = grid.PointOf({rect.left + c, rect.top + r});
    if (!layers) {
      const std::uint8_t pen = block.At(c, r);
      pixels.Plot(point, pen, pen == kTransparentPen);
      return;
    }
    for (int layer = 0; layer < kLayerPlanes; ++layer) {
      const std::uint8_t pen = block.At(c, r, PlaneOfLayer(layer));
      if (pen != kNoPixelPen) pixels.PlotInLayer(point, pen, pen == kTransparentPen, layer);
    }
  });
}

}  // namespace

PixelRect SelectTool::CanvasGrid() const {
  return {0, 0, document_.Canvas().Width() / grid_.width, document_.Canvas().Height()};
}

void SelectTool::Press(const ToolEvent& event) {
  if (event.button != kLeftButton || event.buttons != kLeftButton || !event.point) return;
  const SpriteCell held = grid_.CellOf(*event.point);
  if (selection_ && selection_->Contains(held.column, held.row)) {
    // Ctrl on floating pixels puts them down and goes on with a copy of them.
    if (floating_ && event.modifiers.control) PutDown();
    if (!floating_) Lift(event.modifiers.control);
    drag_ = Drag::Moving;
    anchor_ = held;
    return;
  }
  PutDown();
  grid_ = {document_.Pixels().PixelWidthAt(*event.point)};
  anchor_ = grid_.CellOf(*event.point);
  drag_ = Drag::Marking;
  selection_ = PixelRect{anchor_.column, anchor_.row, 1, 1};
  Show();
}

void SelectTool::Move(const ToolEvent& event) {
  if (drag_ == Drag::None || !event.point) return;
  const SpriteCell pixel = grid_.CellOf(*event.point);
  if (drag_ == Drag::Moving) {
    selection_->left += pixel.column - anchor_.column;
    selection_->top += pixel.row - anchor_.row;
    anchor_ = pixel;
  } else {
    const PixelRect canvas = CanvasGrid();
    const int column = std::clamp(pixel.column, 0, canvas.width - 1);
    const int row = std::clamp(pixel.row, 0, canvas.height - 1);
    selection_ = PixelRect{std::min(column, anchor_.column), std::min(row, anchor_.row),
                           std::abs(column - anchor_.column) + 1, std::abs(row - anchor_.row) + 1};
  }
  Show();
}

void SelectTool::Release(const ToolEvent&) {
  drag_ = Drag::None;
}

void SelectTool::Cancel() {
  if (floating_ && drag_ != Drag::Marking) {
    selection_ = origin_;
  } else {
    selection_.reset();
  }
  floating_ = false;
  block_ = {};
  drag_ = Drag::None;
  Show();
}

void SelectTool::Leave() {
  PutDown();
  selection_.reset();
  drag_ = Drag::None;
  Show();
}

void SelectTool::CanvasChanged() {
  floating_ = false;
  block_ = {};
  selection_.reset();
  drag_ = Drag::None;
  preview_.clear();
}

std::optional<CanvasFrame> SelectTool::Frame() const {
  if (!selection_) return std::nullopt;
  return CanvasFrame{grid_.PointOf({selection_->left, selection_->top}),
                     selection_->width * grid_.width, selection_->height};
}

void SelectTool::MoveBy(int columns, int rows) {
  if (!selection_) return;
  if (!floating_) Lift(false);
  selection_->left += columns;
  selection_->top += rows;
  Show();
}

void SelectTool::PutDown() {
  if (!floating_) return;
  const PixelRect to = *selection_;
  const PixelBlock block = std::move(block_);
  const std::optional<PixelRect> from = copying_ ? std::nullopt : origin_;
  floating_ = false;
  block_ = {};
  document_.Apply(origin_ ? (copying_ ? "Copy" : "Move") : "Paste", [&](CanvasEdit& edit) {
    if (from) {
      ForEachPixel(*from, [&](int c, int r) {
        edit.pixels.Plot(grid_.PointOf({from->left + c, from->top + r}), kTransparentPen, true);
      });
    }
    Write(edit.pixels, grid_, to, block);
  });
  Show();
}

void SelectTool::Clear() {
  if (!selection_) return;
  // Floating pixels are dropped; the place they were lifted from is left clear.
  const std::optional<PixelRect> rect =
      floating_ ? (copying_ ? std::nullopt : origin_) : selection_;
  floating_ = false;
  block_ = {};
  if (rect) {
    document_.Apply("Clear", [&](CanvasEdit& edit) {
      ForEachPixel(*rect, [&](int c, int r) {
        edit.pixels.Plot(grid_.PointOf({rect->left + c, rect->top + r}), kTransparentPen, true);
      });
    });
  }
  Show();
}

void SelectTool::Copy() {
  if (selection_) clipboard_ = floating_ ? block_ : Read(*selection_);
}

void SelectTool::Paste() {
  if (clipboard_.Empty()) return;
  PutDown();
  if (!selection_) grid_ = {document_.Pixels().PixelWidthAt({0, 0})};
  const int left = selection_ ? selection_->left : 0;
  const int top = selection_ ? selection_->top : 0;
  block_ = clipboard_;
  selection_ = PixelRect{left, top, block_.Width(), block_.Height()};
  origin_.reset();
  copying_ = false;
  floating_ = true;
  Show();
}

void SelectTool::Apply(Transform transform) {
  Rearrange("Transform", [transform](const PixelBlock& b) { return b.Transformed(transform); });
}

bool SelectTool::Rotate(bool right) {
  if (!selection_ || selection_->width != selection_->height) return false;
  Rearrange(right ? "Rotate Right" : "Rotate Left",
            [right](const PixelBlock& b) { return b.Rotated(right); });
  return true;
}

PixelBlock SelectTool::Read(const PixelRect& rect) const {
  const CanvasPixels pixels = document_.Pixels();
  const bool layers = pixels.SeesBothLayers();
  PixelBlock block(rect.width, rect.height, layers ? 1 + kLayerPlanes : 1);
  ForEachPixel(rect, [&](int c, int r) {
    const CanvasPoint point = grid_.PointOf({rect.left + c, rect.top + r});
    block.Set(c, r, pixels.PenAt(point).value_or(0), kSeenPlane);
    if (!layers) return;
    for (int layer = 0; layer < kLayerPlanes; ++layer) {
      block.Set(c, r, pixels.PenInLayer(point, layer).value_or(kNoPixelPen), PlaneOfLayer(layer));
    }
  });
  return block;
}

void SelectTool::Lift(bool copy) {
  block_ = Read(*selection_);
  origin_ = selection_;
  copying_ = copy;
  floating_ = true;
}

void SelectTool::Rearrange(const char* name,
                           const std::function<PixelBlock(const PixelBlock&)>& change) {
  if (!selection_) return;
  if (floating_) {
    block_ = change(block_);
    selection_->width = block_.Width();
    selection_->height = block_.Height();
    Show();
    return;
  }
  const PixelRect rect = *selection_;
  const PixelBlock block = change(Read(rect));
  document_.Apply(name, [&](CanvasEdit& edit) { Write(edit.pixels, grid_, rect, block); });
}

void SelectTool::Show() {
  preview_.clear();
  if (!floating_) return;
  const SpriteCanvas& canvas = document_.Canvas();
  const auto add = [&](SpriteCell pixel, std::uint8_t pen) {
    const CanvasPoint point = grid_.PointOf(pixel);
    if (pixel.column >= 0 && canvas.Contains(point)) preview_.push_back({point, pen});
  };
  if (origin_ && !copying_) {
    ForEachPixel(*origin_, [&](int c, int r) {
      add({origin_->left + c, origin_->top + r}, kTransparentPen);
    });
  }
  ForEachPixel(*selection_, [&](int c, int r) {
    add({selection_->left + c, selection_->top + r}, block_.At(c, r));
  });
}

}  // namespace kelvane
