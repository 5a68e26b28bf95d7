// The sprite animations a SpritePad file holds, read from what its codec kept of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/SpriteFormat.h"
#include "files/SpritePadLayout.h"
#include "model/SpriteAnimation.h"

namespace kelvane {

// An animation block of count entries: parallel arrays of every first sprite, every last one,
// every timer and every flag byte; sprite numbers are 16 bits wide after version 1.
// ASSUMPTION: block holds count entries of that width.
std::vector<SpriteAnimation> ReadSpritePadAnimations(std::span<const std::uint8_t> block,
                                                     std::size_t count, bool wideNumbers);

// In the file's order; none for a set that is not a whole SpritePad file as read.
std::vector<SpriteAnimation> SpritePadSpriteAnimations(const SpriteSet& set);

// bytes, a whole file laid out as layout, with animations as its sprite animations: the
// header's flag and count follow, and every other block stays as it was. Refused, naming path,
// where the version cannot hold them: more than 256, sprite numbers past 255 in version 1, none
// at all in the old headerless layout, or another number of them in version 2, which counts
// sprite and tile animations together.
Result<std::vector<std::uint8_t>> WithSpritePadAnimations(
    std::span<const std::uint8_t> bytes, const SpritePadLayout& layout,
    const std::vector<SpriteAnimation>& animations, const std::string& path);

}  // namespace kelvane
