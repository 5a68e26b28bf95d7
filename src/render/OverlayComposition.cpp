#include "render/OverlayComposition.h"

#include "render/C64Palette.h"

namespace kelvane {
namespace {

// The pen of each hi-res column of row r: a multi-colour pixel's pen in both its columns.
std::array<std::uint8_t, kHiresColumns> RowPens(SpriteBytes sprite, int r) {
  std::array<std::uint8_t, kHiresColumns> pens{};
  const bool multiColour = IsMultiColour(sprite[kAttributeOffset]);
  for (int x = 0; x < kHiresColumns; ++x) {
    const unsigned byte = sprite[r * kRowBytes + x / kBitsPerByte];
    const int bit = x % kBitsPerByte;
    if (multiColour) {
      pens[x] = static_cast<std::uint8_t>((byte >> (6 - bit / 2 * 2)) & 3u);
    } else {
      pens[x] = (byte >> (7 - bit)) & 1u ? kSpriteColourPen : kTransparentPen;
    }
  }
  return pens;
}

std::array<std::uint8_t, kPenCount> PenColours(SpriteBytes sprite, const SharedColours& colours) {
  return {colours[0], colours[1], static_cast<std::uint8_t>(SpriteColour(sprite[kAttributeOffset])),
          colours[2]};
}

QRgb Halfway(QRgb a, QRgb b) {
  // Per channel, without carries from one into the next.
  return 0xFF000000u | (((a & 0xFEFEFEu) >> 1) + ((b & 0xFEFEFEu) >> 1));
}

}  // namespace

ComposedSprite ComposePair(SpriteBytes lower, SpriteBytes upper, const SharedColours& colours) {
  const auto lowerColours = PenColours(lower, colours);
  const auto upperColours = PenColours(upper, colours);
  ComposedSprite composed{};
  for (int r = 0; r < kSpriteRows; ++r) {
    const auto below = RowPens(lower, r);
    const auto above = RowPens(upper, r);
    for (int x = 0; x < kHiresColumns; ++x) {
      composed[r][x] =
          above[x] != kTransparentPen
              ? ShownPixel{static_cast<std::uint8_t>(upperColours[above[x]] & kColourIndexMask),
                           ShownLayer::Upper}
              : ShownPixel{static_cast<std::uint8_t>(lowerColours[below[x]] & kColourIndexMask),
                           ShownLayer::Lower};
    }
  }
  return composed;
}

void DrawComposedPair(QImage& image, int left, int top, const SpriteBank& bank,
                      const EditorState& state, int lower, int upper, FaintLayer faint) {
  const SharedColours colours{state.PenColours[kTransparentPen], state.PenColours[kMultiColour1Pen],
                              state.PenColours[kMultiColour2Pen]};
  const ComposedSprite composed = ComposePair(bank.Sprite(lower), bank.Sprite(upper), colours);
  const QRgb background = PaletteRgb(colours[0]);
  const ShownLayer faintLayer = faint == FaintLayer::Upper ? ShownLayer::Upper : ShownLayer::Lower;
  for (int r = 0; r < kSpriteRows; ++r) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(top + r)) + left;
    for (int x = 0; x < kHiresColumns; ++x) {
      const ShownPixel pixel = composed[r][x];
      const QRgb rgb = PaletteRgb(pixel.colour);
      out[x] =
          faint != FaintLayer::None && pixel.layer == faintLayer ? Halfway(rgb, background) : rgb;
    }
  }
}

}  // namespace kelvane
