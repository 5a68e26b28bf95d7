// A run of a SpritePad file's sprites as a file of its own, in the same version. The blocks after
// the records name sprites by number: an animation is kept when all its sprites are in the run,
// a tile when every one of its cells is, a tile animation when all its tiles are kept. What is
// kept is renumbered from the run's first sprite (and first kept tile), and the header's counts
// and flags follow; the rest is dropped, since in the part it would show other sprites.
#pragma once

#include <cstddef>
#include <optional>

#include "files/SpriteFormat.h"

namespace kelvane {

// nullopt when set does not hold the header and blocks of a SpritePad file as read.
// ASSUMPTION: first + count <= set.records.size().
std::optional<SpriteSet> SpritePadPartOf(const SpriteSet& set, std::size_t first,
                                         std::size_t count);

}  // namespace kelvane
