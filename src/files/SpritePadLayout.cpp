#include "files/SpritePadLayout.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "files/ByteReader.h"
#include "model/C64Format.h"

namespace kelvane {
namespace {

// The versions that added blocks after the records.
constexpr int kFirstTileAttributesVersion = 3;
constexpr int kFirstTileNamesVersion = 5;  // tags and names

std::string Count(std::uint64_t n, const std::string& thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

FileError Refusal(const std::string& path, std::string reason) {
  return FileError{path, FileProblem::Format, std::move(reason)};
}

std::uint64_t ExpectedBytes(const SpritePadLayout& layout) {
  return std::accumulate(layout.blocks.begin(), layout.blocks.end(),
                         std::uint64_t{layout.RecordsEnd()},
                         [](std::uint64_t sum, const SpritePadBlock& b) { return sum + b.bytes; });
}

// Spells out the sum so that the user, or whoever wrote the file, can see which count is off.
FileError Mismatch(const std::string& path, const SpritePadLayout& layout, std::size_t fileBytes,
                   const std::string& unmeasured = "") {
  const std::uint64_t expected = ExpectedBytes(layout);
  std::string reason = "does not add up as a SpritePad version " + std::to_string(layout.version) +
                       " file: " + std::to_string(layout.headerBytes) + " (header) + " +
                       std::to_string(layout.spriteCount * kSpriteBytes) + " (" +
                       Count(layout.spriteCount, "sprite") + ")";
  for (const auto& block : layout.blocks) {
    reason += " + " + std::to_string(block.bytes) + " (" + block.what + ")";
  }
  reason += " = " + std::to_string(expected) + " bytes";
  if (!unmeasured.empty()) reason += " before the " + unmeasured;
  reason += ", but the file has " + std::to_string(fileBytes);
  if (unmeasured.empty() && expected != fileBytes) {
    const auto difference = expected > fileBytes ? expected - fileBytes : fileBytes - expected;
    reason += " (" + Count(difference, "byte") + (expected > fileBytes ? " short)" : " too many)");
  }
  return Refusal(path, std::move(reason));
}

Result<SpritePadLayout> Headerless(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (bytes.size() % kSpriteBytes != kSpritePadHeaderlessBytes) {
    return Refusal(path, "is not a SpritePad file: it has no \"SPD\" mark, and its " +
                             Count(bytes.size(), "byte") +
                             " are not 3 colour bytes followed by whole 64-byte sprites");
  }
  SpritePadLayout layout;
  layout.version = kSpritePadHeaderless;
  layout.headerBytes = kSpritePadHeaderlessBytes;
  layout.spriteCount = bytes.size() / kSpriteBytes;
  layout.colourOffset = 0;
  return layout;
}

// Version 1: sprites - 1 and animations - 1 in one byte each, then the colours.
void ReadV1Header(ByteReader& in, SpritePadLayout& layout) {
  layout.spriteCount = std::size_t{*in.U8()} + 1;
  const std::uint64_t animations = std::uint64_t{*in.U8()} + 1;
  layout.colourOffset = kSpritePadV1ColourOffset;
  layout.blocks.push_back({SpritePadBlockKind::SpriteAnimations, Count(animations, "animation"),
                           animations * kSpritePadV1AnimationBytes, animations});
}

struct TileCounts {
  std::uint64_t tiles = 0;
  std::uint64_t width = 0;
  std::uint64_t height = 0;
};

}  // namespace

std::size_t SpritePadLayout::RecordsEnd() const {
  return headerBytes + spriteCount * kSpriteBytes;
}

bool HasSpritePadMark(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSpritePadMark.size() &&
         std::ranges::equal(bytes.first(kSpritePadMark.size()), kSpritePadMark);
}

std::size_t SpritePadHeaderBytes(int version) {
  switch (version) {
    case kSpritePadHeaderless:
      return kSpritePadHeaderlessBytes;
    case 1:
      return kSpritePadV1HeaderBytes;
    case 2:
    case 3:
      return kSpritePadV2HeaderBytes;
    case 4:
    case 5:
      return kSpritePadV4HeaderBytes;
    default:
      return 0;
  }
}

Result<SpritePadLayout> ParseSpritePadLayout(std::span<const std::uint8_t> bytes,
                                             const std::string& path) {
  if (!HasSpritePadMark(bytes)) return Headerless(bytes, path);

  ByteReader in(bytes);
  in.Skip(kSpritePadMark.size());
  const auto version = in.U8();
  if (!version) return Refusal(path, "ends right after its \"SPD\" mark, before the version");
  SpritePadLayout layout;
  layout.version = *version;
  layout.headerBytes = SpritePadHeaderBytes(layout.version);
  if (layout.version == kSpritePadHeaderless || layout.headerBytes == 0) {
    return Refusal(path, "is SpritePad version " + std::to_string(layout.version) +
                             ", which this program does not read (it reads versions 1 to " +
                             std::to_string(kSpritePadNewestVersion) + ")");
  }
  if (bytes.size() < layout.headerBytes) {
    return Refusal(path, "is too short for a SpritePad version " + std::to_string(*version) +
                             " header: that takes " + Count(layout.headerBytes, "byte") +
                             ", the file has " + std::to_string(bytes.size()));
  }

  if (layout.version == 1) {
    ReadV1Header(in, layout);
  } else {
    // The header is known to be all there, so the reads below cannot fail.
    const std::uint8_t flags = *in.U8();
    layout.spriteCount = *in.U16();
    TileCounts tiles;
    tiles.tiles = *in.U16();
    std::uint64_t spriteAnimations = 0;
    std::uint64_t tileAnimations = 0;
    if (layout.version == 2) {
      spriteAnimations = tileAnimations = *in.U16();  // true counts from version 2 on
    } else {
      spriteAnimations = std::uint64_t{*in.U8()} + 1;  // counts less one from version 3 on
      tileAnimations = std::uint64_t{*in.U8()} + 1;
    }
    tiles.width = *in.U8();
    tiles.height = *in.U8();
    layout.colourOffset = kSpritePadColourOffset;

    if (flags & kSpritePadTilesFlag) {
      layout.blocks.push_back(
          {SpritePadBlockKind::TileData,
           "tile data: " + Count(tiles.tiles, "tile") + " of " + std::to_string(tiles.width) +
               " x " + std::to_string(tiles.height) + " sprites",
           tiles.tiles * tiles.width * tiles.height * kSpritePadTileCellBytes, tiles.tiles});
      if (layout.version >= kFirstTileAttributesVersion) {
        layout.blocks.push_back(
            {SpritePadBlockKind::TileAttributes, "tile attributes", tiles.tiles, tiles.tiles});
      }
      if (layout.version >= kFirstTileNamesVersion) {
        layout.blocks.push_back(
            {SpritePadBlockKind::TileTags, "tile tags", tiles.tiles, tiles.tiles});
        // Names are NUL-terminated, so their size is found by reading them.
        const std::uint64_t namesStart = ExpectedBytes(layout);
        const std::string names = Count(tiles.tiles, "tile name");
        if (namesStart + tiles.tiles > bytes.size()) {
          return Mismatch(path, layout, bytes.size(), names);
        }
        ByteReader nameReader(bytes.subspan(static_cast<std::size_t>(namesStart)));
        for (std::uint64_t n = 0; n < tiles.tiles; ++n) {
          if (!nameReader.SkipPastNul()) {
            return Refusal(path, "ends inside tile name " + std::to_string(n + 1) + " of " +
                                     std::to_string(tiles.tiles) +
                                     ": a SpritePad tile name ends with a zero byte");
          }
        }
        layout.blocks.push_back(
            {SpritePadBlockKind::TileNames, names, nameReader.Offset(), tiles.tiles});
      }
    }
    if (flags & kSpritePadSpriteAnimationsFlag) {
      layout.blocks.push_back({SpritePadBlockKind::SpriteAnimations,
                               Count(spriteAnimations, "sprite animation"),
                               spriteAnimations * kSpritePadAnimationBytes, spriteAnimations});
    }
    if (flags & kSpritePadTileAnimationsFlag) {
      layout.blocks.push_back({SpritePadBlockKind::TileAnimations,
                               Count(tileAnimations, "tile animation"),
                               tileAnimations * kSpritePadAnimationBytes, tileAnimations});
    }
  }

  if (ExpectedBytes(layout) != bytes.size()) return Mismatch(path, layout, bytes.size());
  return layout;
}

}  // namespace kelvane
