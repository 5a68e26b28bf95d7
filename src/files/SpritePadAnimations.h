// The sprite animations a SpritePad file holds, read from what its codec kept of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "files/SpriteFormat.h"
#include "model/SpriteAnimation.h"

namespace kelvane {

// An animation block of count entries: parallel arrays of every first sprite, every last one,
// every timer and every flag byte; sprite numbers are 16 bits wide after version 1.
// ASSUMPTION: block holds count entries of that width.
std::vector<SpriteAnimation> ReadSpritePadAnimations(std::span<const std::uint8_t> block,
                                                     std::size_t count, bool wideNumbers);

// In the file's order; none for a set that is not a whole SpritePad file as read.
std::vector<SpriteAnimation> SpritePadSpriteAnimations(const SpriteSet& set);

}  // namespace kelvane
