#include "model/PlotPixel.h"

namespace kelvane {

void PlotPixel(SpriteBank& bank, const EditorState& state, bool multiColour, int x, int y,
               bool erase) {
  const int column = x >> 3;
  const int row = y >> 3;
  std::uint8_t& byte = bank.Sprite(state.CurrentSprite)[kRowBytes * row + column / kBitsPerByte];
  if (multiColour) {
    const int shift = (3 - (column % kBitsPerByte) / 2) * 2;
    byte &= static_cast<std::uint8_t>(~(3u << shift));
    if (!erase) byte |= static_cast<std::uint8_t>(state.CurrentPen << shift);
    return;
  }
  const auto bit = static_cast<std::uint8_t>(1u << (7 - column % kBitsPerByte));
  if (state.CurrentPen != kTransparentPen && !erase) {
    byte |= bit;
  } else {
    byte &= static_cast<std::uint8_t>(~bit);
  }
}

}  // namespace kelvane
