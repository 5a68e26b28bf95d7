#include "render/C64Palette.h"

namespace kelvane {

int ActivePalette() {
  for (int k = 0; k < kPaletteCount; ++k) {
    if (kPalettes[k].rgb == activePalette) return k;
  }
  return 0;
}

void SetActivePalette(int palette) {
  if (palette >= 0 && palette < kPaletteCount) activePalette = kPalettes[palette].rgb;
}

std::optional<int> PaletteNamed(std::string_view name) {
  for (int k = 0; k < kPaletteCount; ++k) {
    if (kPalettes[k].name == name) return k;
  }
  return std::nullopt;
}

}  // namespace kelvane
