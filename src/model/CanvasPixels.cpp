#include "model/CanvasPixels.h"

#include <algorithm>

#include "model/EditorState.h"
#include "model/PlotPixel.h"

namespace kelvane {
namespace {

constexpr int kLowerLayer = 0;
constexpr int kUpperLayer = 1;

}  // namespace

CanvasPixels::CanvasPixels(const SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), canvas_(canvas) {}

CanvasPixels::CanvasPixels(SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), writable_(&bank), canvas_(canvas) {}

int CanvasPixels::PixelWidthInLayer(CanvasPoint p, int layer) const {
  const auto place = canvas_.Locate(p, layer);
  return place && IsMultiColour(bank_.Attribute(place->sprite)) ? 2 : 1;
}

std::optional<std::uint8_t> CanvasPixels::PenInLayer(CanvasPoint p, int layer) const {
  const auto place = canvas_.Locate(p, layer);
  if (!place) return std::nullopt;
  const auto sprite = bank_.Sprite(place->sprite);
  const std::uint8_t byte = sprite[kRowBytes * place->cell.row + place->cell.column / kBitsPerByte];
  const int column = place->cell.column % kBitsPerByte;
  if (IsMultiColour(sprite[kAttributeOffset])) {
    return static_cast<std::uint8_t>((byte >> ((3 - column / 2) * 2)) & 3u);
  }
  return (byte >> (7 - column)) & 1u ? kSpriteColourPen : kTransparentPen;
}

void CanvasPixels::PlotInLayer(CanvasPoint p, std::uint8_t pen, bool erase, int layer) {
  const auto place = canvas_.Locate(p, layer);
  if (!place) return;
  PlotPixel(writable_->Sprite(place->sprite), place->cell, pen, erase);
}

int CanvasPixels::PixelWidthAt(CanvasPoint p) const {
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) {
    return PixelWidthInLayer(p, kLowerLayer);
  }
  if (editLayer_ == EditLayer::Upper) return PixelWidthInLayer(p, kUpperLayer);
  return std::min(PixelWidthInLayer(p, kLowerLayer), PixelWidthInLayer(p, kUpperLayer));
}

std::optional<std::uint8_t> CanvasPixels::PenAt(CanvasPoint p) const {
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) return PenInLayer(p, kLowerLayer);
  const auto upper = PenInLayer(p, kUpperLayer);
  // The upper sprite's own colour is a pen of its own beside the lower sprite's.
  const auto upperPen = [&] {
    return *upper == kSpriteColourPen ? kUpperColourPen : std::uint8_t{*upper};
  };
  if (!upper) return upper;
  if (editLayer_ == EditLayer::Upper || *upper != kTransparentPen) return upperPen();
  return PenInLayer(p, kLowerLayer);
}

void CanvasPixels::Plot(CanvasPoint p, std::uint8_t pen, bool erase) {
  // A sprite has pens 0-3; the upper one's own colour is its sprite colour pen.
  const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) {
    PlotInLayer(p, own, erase, kLowerLayer);
    return;
  }
  if (editLayer_ == EditLayer::Upper) {
    PlotInLayer(p, own, erase, kUpperLayer);
    return;
  }
  if (erase || pen == kTransparentPen) {
    PlotInLayer(p, kTransparentPen, true, kLowerLayer);
    PlotInLayer(p, kTransparentPen, true, kUpperLayer);
    return;
  }
  const auto lower = canvas_.Locate(p, kLowerLayer);
  if (!lower) return;
  if (PenWritesUpper(pen, IsMultiColour(bank_.Attribute(lower->sprite)))) {
    PlotInLayer(p, own, false, kUpperLayer);
    return;
  }
  PlotInLayer(p, own, false, kLowerLayer);
  // The whole of the lower pixel shows: the upper pixels over any of its columns go.
  const int width = PixelWidthInLayer(p, kLowerLayer);
  const int left = p.x - p.x % width;
  for (int x = left; x < left + width; ++x)
    PlotInLayer({x, p.y}, kTransparentPen, true, kUpperLayer);
}

void CanvasPixels::RowPens(int y, std::span<std::uint8_t> pens) const {
  // Two layers by colour mix both sprites pixel by pixel; they are seldom large.
  if (canvas_.Layers() > 1 && editLayer_ != EditLayer::Lower) {
    for (int x = 0; x < canvas_.Width(); ++x) pens[static_cast<std::size_t>(x)] = *PenAt({x, y});
    return;
  }
  const int row = y % kSpriteRows;
  for (int column = 0; column < canvas_.Columns(); ++column) {
    const auto sprite = bank_.Sprite(canvas_.SpriteAt(kLowerLayer, column, y / kSpriteRows));
    const std::uint32_t bits = static_cast<std::uint32_t>(sprite[kRowBytes * row] << 16) |
                               static_cast<std::uint32_t>(sprite[kRowBytes * row + 1] << 8) |
                               sprite[kRowBytes * row + 2];
    std::uint8_t* out = pens.data() + static_cast<std::ptrdiff_t>(column) * kHiresColumns;
    if (IsMultiColour(sprite[kAttributeOffset])) {
      for (int x = 0; x < kHiresColumns; x += 2) {
        out[x] = out[x + 1] = static_cast<std::uint8_t>((bits >> (kHiresColumns - 2 - x)) & 3u);
      }
    } else {
      for (int x = 0; x < kHiresColumns; ++x) {
        out[x] = (bits >> (kHiresColumns - 1 - x)) & 1u ? kSpriteColourPen : kTransparentPen;
      }
    }
  }
}

void CanvasPixels::PlotRun(CanvasRun run, std::uint8_t pen, bool erase) {
  // The sprite and its mode are found once for each sprite the run crosses.
  for (int x = std::max(run.left, 0); x < std::min(run.right, canvas_.Width());) {
    const int spriteEnd = std::min(run.right, (x / kHiresColumns + 1) * kHiresColumns);
    const int width = PixelWidthAt({x, run.y});
    if (canvas_.Layers() > 1 && editLayer_ != EditLayer::Lower) {
      for (; x < spriteEnd; ++x) {
        if (x % width == 0) Plot({x, run.y}, pen, erase);
      }
      continue;
    }
    const auto place = canvas_.Locate({x, run.y}, kLowerLayer);
    if (!place) return;
    const auto sprite = writable_->Sprite(place->sprite);
    const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
    for (; x < spriteEnd; ++x) {
      if (x % width == 0) PlotPixel(sprite, {x % kHiresColumns, place->cell.row}, own, erase);
    }
  }
}

}  // namespace kelvane
