// Which sprite, pen and colours the editor works with.
#pragma once

#include <array>
#include <cstdint>

#include "model/C64Format.h"

namespace kelvane {

// The two-bit value a pen writes into a multi-colour pixel; also the index into PenColours.
enum PenSlot : std::uint8_t {
  kTransparentPen = 0,   // background, $D021
  kMultiColour1Pen = 1,  // $D025
  kSpriteColourPen = 2,  // the sprite's own colour
  kMultiColour2Pen = 3,  // $D026
};
inline constexpr int kPenCount = 4;

// Background blue, multi-colour 1 white, sprite colour green, multi-colour 2 black.
inline constexpr std::array<std::uint8_t, kPenCount> kInitialPenColours{6, 1, 5, 0};

// Background ($D021), multi-colour 1 ($D025), multi-colour 2 ($D026): the colours the whole bank
// shares, kept in PenColours 0, 1 and 3 and stored beside the sprites in files.
inline constexpr int kSharedColourCount = 3;
using SharedColours = std::array<std::uint8_t, kSharedColourCount>;
inline constexpr std::array<int, kSharedColourCount> kSharedColourPens{
    kTransparentPen, kMultiColour1Pen, kMultiColour2Pen};

struct EditorState {
  int CurrentSprite = 0;
  bool UpperHalf = false;
  std::uint8_t CurrentPen = kSpriteColourPen;
  // Entries 0, 1 and 3 are the colours shared by the whole bank; entry 2 mirrors the colour
  // of the sprite on display.
  std::array<std::uint8_t, kPenCount> PenColours = kInitialPenColours;
};

}  // namespace kelvane
