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
  // A cell of an object with nothing over it has only its own pixels.
  if (!canvas_.Locate(p, kUpperLayer)) return PixelWidthInLayer(p, kLowerLayer);
  return std::min(PixelWidthInLayer(p, kLowerLayer), PixelWidthInLayer(p, kUpperLayer));
}

std::optional<std::uint8_t> CanvasPixels::PenAt(CanvasPoint p) const {
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) return PenInLayer(p, kLowerLayer);
  const auto upper = PenInLayer(p, kUpperLayer);
  // The upper sprite's own colour is a pen of its own beside the lower sprite's.
  const auto upperPen = [&] {
    return *upper == kSpriteColourPen ? kUpperColourPen : std::uint8_t{*upper};
  };
  // Off the canvas, or a cell with nothing over it: there the upper layer has no pixels to
  // edit, and by colour the lower sprite's show.
  if (!upper) return editLayer_ == EditLayer::Upper ? upper : PenInLayer(p, kLowerLayer);
  if (editLayer_ == EditLayer::Upper || *upper != kTransparentPen) return upperPen();
  return PenInLayer(p, kLowerLayer);
}

bool CanvasPixels::Writes(CanvasPoint p, std::uint8_t pen) const {
  const auto lower = canvas_.Locate(p, kLowerLayer);
  if (!lower) return false;
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) return true;
  const bool upper = canvas_.Locate(p, kUpperLayer).has_value();
  if (editLayer_ == EditLayer::Upper) return upper;
  if (upper || pen == kTransparentPen) return true;
  return !PenWritesUpper(pen, IsMultiColour(bank_.Attribute(lower->sprite)));
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

}  // namespace kelvane
