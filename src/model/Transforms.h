// The eight whole-sprite transforms: nudges, flips and symmetrizes.
#pragma once

#include <cstdint>
#include <span>

#include "model/C64Format.h"

namespace kelvane {

enum class Transform {
  NudgeUp,
  NudgeDown,
  NudgeLeft,
  NudgeRight,
  FlipTopToBottom,
  FlipLeftToRight,
  SymmetrizeTopToBottom,
  SymmetrizeLeftToRight,
};

// Reverses the pixel order of one byte: single bits in hi-res, whole bit pairs in multi-colour,
// so a pair keeps its pen value.
std::uint8_t MirrorByte(std::uint8_t v, bool multiColour);

// Rewrites the 63 pixel bytes; the attribute byte is never touched. multiColour picks whether
// horizontal moves work on single bits or on bit pairs.
void ApplyTransform(std::span<std::uint8_t, kSpriteBytes> sprite, Transform t, bool multiColour);

}  // namespace kelvane
