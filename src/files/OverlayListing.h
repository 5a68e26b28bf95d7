// The overlay pairs of a sprite file, for the converter's --list.
#pragma once

#include <span>
#include <string>

#include "model/SpriteBank.h"

namespace kelvane {

// "overlay pairs (lower/upper, distance D): 0/1, 2/3\n", or "" when the records have none.
std::string OverlayPairLines(std::span<const SpriteRecord> records, int distance);

}  // namespace kelvane
