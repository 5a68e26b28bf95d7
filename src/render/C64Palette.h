// The 16 colours of the VIC-II.
#pragma once

#include <QRgb>
#include <array>
#include <cstdint>

#include "model/C64Format.h"

namespace kelvane {

// Stored as the values were first measured and written down: red in bits 0-7, green in 8-15,
// blue in 16-23. Qt wants 0xAARRGGBB, so every use goes through ToQRgb.
inline constexpr std::array<std::uint32_t, kColourCount> C64Palette{
    0x000000,  // black
    0xFFFFFF,  // white
    0x0F2999,  // red
    0xB2C557,  // cyan
    0xC11D8D,  // purple
    0x22CA52,  // green
    0xB8001E,  // blue
    0x6AF6DD,  // yellow
    0x116FB7,  // orange
    0x00404C,  // brown
    0x4D67C9,  // light red
    0x4D4D4D,  // dark grey
    0x7B7B7B,  // grey
    0x89FBA9,  // light green
    0xE6546C,  // light blue
    0xA9A9A9,  // light grey
};

// Converts a stored red-in-low-bits value to an opaque Qt colour.
constexpr QRgb ToQRgb(std::uint32_t stored) {
  const std::uint32_t red = stored & 0xFF;
  const std::uint32_t green = (stored >> 8) & 0xFF;
  const std::uint32_t blue = (stored >> 16) & 0xFF;
  return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// The palette in Qt colours, converted once when compiling: the drawing looks colours up on
// every sprite it renders.
inline constexpr std::array<QRgb, kColourCount> kPaletteRgb = [] {
  std::array<QRgb, kColourCount> rgb{};
  for (int i = 0; i < kColourCount; ++i) rgb[i] = ToQRgb(C64Palette[i]);
  return rgb;
}();

// The Qt colour of palette entry index; only the low four bits are used, as the VIC-II does.
constexpr QRgb PaletteRgb(int index) {
  return kPaletteRgb[index & kColourIndexMask];
}

}  // namespace kelvane
