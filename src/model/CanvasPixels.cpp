#include "model/CanvasPixels.h"

#include "model/EditorState.h"
#include "model/PlotPixel.h"

namespace kelvane {

CanvasPixels::CanvasPixels(const SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), canvas_(canvas) {}

CanvasPixels::CanvasPixels(SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), writable_(&bank), canvas_(canvas) {}

int CanvasPixels::PixelWidthAt(CanvasPoint p, int layer) const {
  const auto place = canvas_.Locate(p, layer);
  return place && IsMultiColour(bank_.Attribute(place->sprite)) ? 2 : 1;
}

std::optional<std::uint8_t> CanvasPixels::PenAt(CanvasPoint p, int layer) const {
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

void CanvasPixels::Plot(CanvasPoint p, std::uint8_t pen, bool erase, int layer) {
  const auto place = canvas_.Locate(p, layer);
  if (!place) return;
  PlotPixel(writable_->Sprite(place->sprite), place->cell, pen, erase);
}

}  // namespace kelvane
