// SpritePad's tiles as the document's objects: read from the blocks after a file's records, and
// written back into them with every other block kept byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/FileError.h"
#include "files/SpritePadLayout.h"
#include "model/SpriteObject.h"

namespace kelvane {

// Header fields of version 2 on: one tile size for the whole file.
inline constexpr std::size_t kSpritePadTileWidthOffset = 11;
inline constexpr std::size_t kSpritePadTileHeightOffset = 12;
// Version 4 on: how far the sprite drawn over an overlaid one is, then the same for tiles.
inline constexpr std::size_t kSpritePadOverlayDistanceOffset = 16;
inline constexpr int kSpritePadFirstTilesVersion = 2;
inline constexpr int kSpritePadFirstOverlayDistanceVersion = 4;
inline constexpr std::size_t kSpritePadMaxTiles = 0xFFFF;  // a 16-bit count

// The tiles of bytes, a whole file laid out as layout. Refused, naming path and the tile, when a
// tile is not 1 to 8 sprites across and down or names a sprite the file does not hold.
Result<std::vector<SpriteObject>> ReadSpritePadTiles(std::span<const std::uint8_t> bytes,
                                                     const SpritePadLayout& layout,
                                                     const std::string& path);

// Why objects cannot be the tiles of a file of the version holding spriteCount sprites: "" when
// they can.
std::string SpritePadTilesProblem(const std::vector<SpriteObject>& objects, int version,
                                  std::size_t spriteCount);

// bytes, a whole file laid out as layout, with objects as its tiles: the header's tile flag,
// count and size follow, and every other block stays as it was.
// ASSUMPTION: SpritePadTilesProblem found nothing.
std::vector<std::uint8_t> WithSpritePadTiles(std::span<const std::uint8_t> bytes,
                                             const SpritePadLayout& layout,
                                             const std::vector<SpriteObject>& objects);

// The block of kind (tile data, attributes, tags or names) for objects, appended to out.
void AppendSpritePadTileBlock(std::vector<std::uint8_t>& out, SpritePadBlockKind kind,
                              const std::vector<SpriteObject>& objects);

// The sprite overlay distance of a header, 1 for versions without one. It is signed: a
// negative one counts back.
int SpritePadOverlayDistance(std::span<const std::uint8_t> header, int version);

}  // namespace kelvane
