// The animations a SpritePad file holds, of sprites and over tiles (the document's objects): read
// from a whole file, and written back into one with every other block kept byte for byte.
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

// Version 1 always announces an animation: without one it keeps the unused slot others write.
inline constexpr SpriteAnimation kSpritePadUnusedV1Animation{0, 0, 1, 0};

// An animation block of count entries: parallel arrays of every first sprite, every last one,
// every timer and every flag byte; numbers are 16 bits wide after version 1, and always for
// tiles. overObjects marks what is read.
// ASSUMPTION: block holds count entries of that width.
std::vector<SpriteAnimation> ReadSpritePadAnimations(std::span<const std::uint8_t> block,
                                                     std::size_t count, bool wideNumbers,
                                                     bool overObjects = false);
// The block of animations as ReadSpritePadAnimations reads it, appended to out.
void AppendSpritePadAnimations(std::vector<std::uint8_t>& out,
                               const std::vector<SpriteAnimation>& animations, bool wideNumbers);

// Both kinds in bytes, a whole file laid out as layout: the sprite animations, then those over
// tiles.
std::vector<SpriteAnimation> ReadSpritePadFileAnimations(std::span<const std::uint8_t> bytes,
                                                         const SpritePadLayout& layout);
// The same of a set as read; none for a set that is not a whole SpritePad file as read.
std::vector<SpriteAnimation> SpritePadAnimationsOf(const SpriteSet& set);

// bytes, a whole file laid out as layout, with animations as its animations of both kinds: the
// header's flags and counts of a kind that changed follow, and every other byte stays as it was.
// Refused, naming path, where the version cannot hold them: more than 256 of a kind, sprite
// numbers past 255 in version 1, animations over tiles before version 2, any at all in the old
// headerless layout, sprite and tile animations of different numbers in version 2, which counts
// them together, or a changed animation over tiles that names a tile the file does not hold.
Result<std::vector<std::uint8_t>> WithSpritePadAnimations(
    std::span<const std::uint8_t> bytes, const SpritePadLayout& layout,
    const std::vector<SpriteAnimation>& animations, const std::string& path);

}  // namespace kelvane
