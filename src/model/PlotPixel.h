#pragma once

#include <cstdint>
#include <span>

#include "model/C64Format.h"
#include "model/SpriteCell.h"

namespace kelvane {

// Writes pen into the pixel of sprite under cell, in the mode the sprite's attribute byte names:
// one bit in hi-res (any pen but the transparent one sets it), a bit pair in multi-colour.
// erase clears the pixel whatever the pen. ASSUMPTION: IsInSprite(cell); callers bound it, so
// the attribute byte is never reached.
void PlotPixel(std::span<std::uint8_t, kSpriteBytes> sprite, SpriteCell cell, std::uint8_t pen,
               bool erase);

}  // namespace kelvane
