// A pair drawn as the machine shows it: the lower sprite, and over it the upper sprite's pixels
// that are not transparent, in the upper sprite's own pens (a multi-colour upper sprite's pixels
// two columns wide, whatever the lower sprite's mode). Every view of a pair draws through
// ComposePair: the editor grid and preview, the Browser's thumbnails and PNG sheets.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <span>

#include "model/EditorState.h"
#include "model/OverlayPairs.h"
#include "model/SpriteBank.h"

namespace kelvane {

enum class ShownLayer : std::uint8_t { Lower, Upper };  // Lower takes in the background

// A pixel of a composed pair: its palette index and the sprite it shows.
struct ShownPixel {
  std::uint8_t colour = 0;
  ShownLayer layer = ShownLayer::Lower;

  bool operator==(const ShownPixel&) const = default;
};
using ComposedSprite = std::array<std::array<ShownPixel, kHiresColumns>, kSpriteRows>;

using SpriteBytes = std::span<const std::uint8_t, kSpriteBytes>;

// lower with upper drawn over it, in the shared colours and each sprite's own colour.
ComposedSprite ComposePair(SpriteBytes lower, SpriteBytes upper, const SharedColours& colours);

// Which layer of a pair the editor draws faint: the one not being edited, when asked to.
enum class FaintLayer { None, Lower, Upper };

// How a view draws the sprites that have the overlay bit: with the partner distance places on
// over them; 0 draws every sprite alone.
struct PairLook {
  int distance = 0;
  FaintLayer faint = FaintLayer::None;
};

// The composed pair into the 24 x 21 pixels of image from (left, top), in the active palette;
// the faint layer's pixels halfway to the background. ASSUMPTION: image is RGB32 and holds them.
void DrawComposedPair(QImage& image, int left, int top, const SpriteBank& bank,
                      const EditorState& state, int lower, int upper, FaintLayer faint);

}  // namespace kelvane
