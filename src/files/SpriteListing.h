// A plain-text account of what a sprite file holds, for the converter's --list: enough to check a
// file before converting it, or to compare two, without opening the editor.
#pragma once

#include <string>
#include <string_view>

#include "files/SpriteFormat.h"

namespace kelvane {

// Lines ending in '\n': the format (formatName) with its version or load address and the sprite
// count; the shared colours; a SpritePad file's animations and other blocks; then one line a
// sprite with its attribute byte, mode, colour and the bits 4-6 other tools use.
std::string ListSpriteSet(const SpriteSet& set, std::string_view formatName);

}  // namespace kelvane
