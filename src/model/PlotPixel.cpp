#include "model/PlotPixel.h"

namespace kelvane {

void PlotPixel(std::span<std::uint8_t, kSpriteBytes> sprite, SpriteCell cell, std::uint8_t pen,
               bool erase) {
  std::uint8_t& byte = sprite[kRowBytes * cell.row + cell.column / kBitsPerByte];
  const int column = cell.column % kBitsPerByte;
  if (IsMultiColour(sprite[kAttributeOffset])) {
    const int shift = (3 - column / 2) * 2;
    byte &= static_cast<std::uint8_t>(~(3u << shift));
    if (!erase) byte |= static_cast<std::uint8_t>(pen << shift);
    return;
  }
  const auto bit = static_cast<std::uint8_t>(1u << (7 - column));
  if (pen != 0 && !erase) {
    byte |= bit;
  } else {
    byte &= static_cast<std::uint8_t>(~bit);
  }
}

}  // namespace kelvane
