// Where everything lies in a SpritePad file, found from its header's counts and flags. Every
// version since the old headerless layout is understood; the file is accepted only when its
// header, its records and every block the header announces add up to its size exactly.
//
// ASSUMPTION: the blocks after the records follow the publicly described layout, checked
// against real files of versions 1, 3 and 5. No version 2 file was at hand: its one animation
// count is taken to size each animation block its flags announce.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/FileError.h"

namespace kelvane {

inline constexpr std::array<std::uint8_t, 3> kSpritePadMark{'S', 'P', 'D'};
inline constexpr int kSpritePadHeaderless = 0;  // the version given to the old layout
inline constexpr int kSpritePadNewestVersion = 5;

// Header sizes: the old layout is just the three shared colours.
inline constexpr std::size_t kSpritePadHeaderlessBytes = 3;
inline constexpr std::size_t kSpritePadV1HeaderBytes = 9;
inline constexpr std::size_t kSpritePadV2HeaderBytes = 16;  // also version 3
inline constexpr std::size_t kSpritePadV4HeaderBytes = 20;  // also version 5: overlay distances

// Header fields the program edits; the rest is kept as read.
inline constexpr std::size_t kSpritePadVersionOffset = 3;
inline constexpr std::size_t kSpritePadV1CountOffset = 4;           // sprites - 1, one byte
inline constexpr std::size_t kSpritePadV1AnimationCountOffset = 5;  // animations - 1
inline constexpr std::size_t kSpritePadV1ColourOffset = 6;
inline constexpr std::size_t kSpritePadFlagsOffset = 4;  // version 2 on, as the rest
inline constexpr std::size_t kSpritePadCountOffset = 5;  // sprites, 16 bits
inline constexpr std::size_t kSpritePadTileCountOffset = 7;
// Version 2: one 16-bit count of both kinds of animation. Version 3 on: sprite animations - 1,
// then tile animations - 1, a byte each.
inline constexpr std::size_t kSpritePadAnimationCountOffset = 9;
inline constexpr std::size_t kSpritePadTileAnimationCountOffset = 10;
inline constexpr std::size_t kSpritePadColourOffset = 13;

// Flags of versions 2 on: which blocks follow the records.
inline constexpr std::uint8_t kSpritePadTilesFlag = 0x01;
inline constexpr std::uint8_t kSpritePadSpriteAnimationsFlag = 0x02;
inline constexpr std::uint8_t kSpritePadTileAnimationsFlag = 0x04;

// Animations: version 1 keeps start, end, timer and flags in one byte each; later versions
// widen start and end to 16 bits. Either way as parallel arrays, one entry an animation.
inline constexpr std::size_t kSpritePadV1AnimationBytes = 4;
inline constexpr std::size_t kSpritePadAnimationBytes = 6;
inline constexpr std::size_t kSpritePadTileCellBytes = 2;  // a 16-bit sprite number

enum class SpritePadBlockKind {
  SpriteAnimations,  // version 1's animations are its sprites'
  TileData,
  TileAttributes,
  TileTags,
  TileNames,
  TileAnimations,
};

struct SpritePadBlock {
  SpritePadBlockKind kind{};
  std::string what;  // for messages: "17 animations"
  std::uint64_t bytes = 0;
  std::uint64_t count = 0;  // animations, or tiles
};

struct SpritePadLayout {
  int version = kSpritePadHeaderless;
  std::size_t headerBytes = 0;
  std::size_t spriteCount = 0;
  std::size_t colourOffset = 0;        // of background, multi-colour 1, multi-colour 2
  std::vector<SpritePadBlock> blocks;  // after the records, in file order

  std::size_t RecordsEnd() const;
};

bool HasSpritePadMark(std::span<const std::uint8_t> bytes);

// The header size of version, or 0 for a version this program does not know.
std::size_t SpritePadHeaderBytes(int version);

// The layout of bytes, or FileProblem::Format naming path and saying what did not add up.
Result<SpritePadLayout> ParseSpritePadLayout(std::span<const std::uint8_t> bytes,
                                             const std::string& path);

}  // namespace kelvane
