// The 16 colours of the VIC-II.
#pragma once

#include <QRgb>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

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

// Colours written as 0xRRGGBB, as their sources print them.
constexpr std::array<QRgb, kColourCount> Opaque(std::array<std::uint32_t, kColourCount> rgb) {
  std::array<QRgb, kColourCount> opaque{};
  for (int i = 0; i < kColourCount; ++i) opaque[i] = 0xFF000000u | rgb[i];
  return opaque;
}

// The community's measured palettes, for a screen closer to the machine's.
// Pepto's PAL palette: "Calculating the color palette of the VIC II", Philip Timmermann,
// www.pepto.de/projects/colorvic/2001/ (also VICE's pepto-pal.vpl).
inline constexpr std::array<QRgb, kColourCount> kPeptoPalRgb =
    Opaque({0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43, 0x352879, 0xB8C76F,
            0x6F4F25, 0x433900, 0x9A6759, 0x444444, 0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595});
// Colodore: www.colodore.com at its default settings (brightness 50, contrast 100, saturation 50),
// as www.pepto.de/projects/colorvic/ lists it (also VICE's colodore.vpl).
inline constexpr std::array<QRgb, kColourCount> kColodoreRgb =
    Opaque({0x000000, 0xFFFFFF, 0x813338, 0x75CEC8, 0x8E3C97, 0x56AC4D, 0x2E2C9B, 0xEDF171,
            0x8E5029, 0x553800, 0xC46C71, 0x4A4A4A, 0x7B7B7B, 0xA9FF9F, 0x706DEB, 0xB2B2B2});
// VICE's own default palette: vice.vpl of the VICE emulator's data/C64 folder.
inline constexpr std::array<QRgb, kColourCount> kViceRgb =
    Opaque({0x000000, 0xFDFEFC, 0xBE1A24, 0x30E6C6, 0xB41AE2, 0x1FD21E, 0x211BAE, 0xDFF60A,
            0xB84104, 0x6A3304, 0xFE4A57, 0x424540, 0x70746F, 0x59FE59, 0x5F53FE, 0xA4A7A2});

// The palettes to choose from, the first the default; name is what the converter takes.
struct NamedPalette {
  std::string_view name;
  const char* caption;
  const std::array<QRgb, kColourCount>* rgb;
};
inline constexpr NamedPalette kPalettes[] = {
    {"default", "Default", &kPaletteRgb},
    {"pepto-pal", "Pepto (PAL)", &kPeptoPalRgb},
    {"colodore", "Colodore", &kColodoreRgb},
    {"vice", "VICE Default", &kViceRgb},
};
inline constexpr int kPaletteCount = static_cast<int>(std::size(kPalettes));

// The palette every picture and PNG export of the process is drawn in: what is shown, never
// what the bank holds.
inline const std::array<QRgb, kColourCount>* activePalette = &kPaletteRgb;

// Which of kPalettes is in use, and the one called name (nothing for an unknown name).
int ActivePalette();
void SetActivePalette(int palette);
std::optional<int> PaletteNamed(std::string_view name);

// The Qt colour of palette entry index; only the low four bits are used, as the VIC-II does.
inline QRgb PaletteRgb(int index) {
  return (*activePalette)[index & kColourIndexMask];
}

}  // namespace kelvane
