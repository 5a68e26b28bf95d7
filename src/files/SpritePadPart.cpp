#include "files/SpritePadPart.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "files/LittleEndian.h"
#include "files/RecordBytes.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"
#include "files/SpritePadTiles.h"

namespace kelvane {
namespace {

constexpr int kV1 = 1;
constexpr int kV2 = 2;

struct Animation {
  std::uint16_t start = 0;
  std::uint16_t end = 0;
  std::uint8_t timer = 0;
  std::uint8_t flags = 0;
};

// A version 1 file announces at least one animation; without one it keeps the unused slot
// other tools write.
constexpr Animation kUnusedV1Animation{0, 0, 1, 0};

struct Blocks {
  std::vector<Animation> spriteAnimations;
  std::vector<SpriteObject> tiles;
  std::vector<Animation> tileAnimations;
};

// Animations lie as parallel arrays: every start, every end, every timer, every flag byte.
std::vector<Animation> ReadAnimations(std::span<const std::uint8_t> block, std::size_t count,
                                      bool wide) {
  const std::size_t width = wide ? 2 : 1;
  const auto number = [&](std::size_t at) -> std::uint16_t {
    return wide ? LittleEndian16(block[at], block[at + 1]) : block[at];
  };
  const std::size_t timers = 2 * count * width;
  std::vector<Animation> animations(count);
  for (std::size_t i = 0; i < count; ++i) {
    animations[i] = {number(i * width), number((count + i) * width), block[timers + i],
                     block[timers + count + i]};
  }
  return animations;
}

void AppendAnimations(std::vector<std::uint8_t>& out, const std::vector<Animation>& animations,
                      bool wide) {
  const auto put = [&](std::uint16_t n) {
    if (wide) {
      AppendLittleEndian16(out, n);
    } else {
      out.push_back(static_cast<std::uint8_t>(n));
    }
  };
  for (const Animation& a : animations) put(a.start);
  for (const Animation& a : animations) put(a.end);
  for (const Animation& a : animations) out.push_back(a.timer);
  for (const Animation& a : animations) out.push_back(a.flags);
}

// Nothing when the tiles name sprites the file does not hold.
std::optional<Blocks> ReadBlocks(std::span<const std::uint8_t> bytes,
                                 const SpritePadLayout& layout) {
  Blocks blocks;
  auto tiles = ReadSpritePadTiles(bytes, layout, "");
  if (!tiles) return std::nullopt;
  blocks.tiles = std::move(*tiles);
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    const auto count = static_cast<std::size_t>(block.count);
    if (block.kind == SpritePadBlockKind::SpriteAnimations) {
      blocks.spriteAnimations = ReadAnimations(data, count, layout.version > kV1);
    } else if (block.kind == SpritePadBlockKind::TileAnimations) {
      blocks.tileAnimations = ReadAnimations(data, count, true);
    }
    offset += data.size();
  }
  return blocks;
}

// The blocks as they are in the part: tiles are numbered anew as some drop out.
Blocks PartOfBlocks(const Blocks& whole, const SpritePadLayout& layout, std::size_t first,
                    std::size_t count) {
  const auto inPart = [&](std::size_t n) { return n >= first && n - first < count; };
  const auto renumber = [&](std::uint16_t n) { return static_cast<std::uint16_t>(n - first); };
  const auto renumberCell = [&](int n) { return n - static_cast<int>(first); };
  Blocks part;
  std::vector<std::optional<std::uint16_t>> newTile(whole.tiles.size());
  for (std::size_t t = 0; t < whole.tiles.size(); ++t) {
    const SpriteObject& tile = whole.tiles[t];
    if (!std::ranges::all_of(tile.cells, inPart)) continue;
    newTile[t] = static_cast<std::uint16_t>(part.tiles.size());
    SpriteObject kept = tile;
    std::ranges::transform(kept.cells, kept.cells.begin(), renumberCell);
    part.tiles.push_back(std::move(kept));
  }
  const auto tilesKept = [&](const Animation& a) {
    const std::size_t low = std::min(a.start, a.end);
    const std::size_t high = std::max(a.start, a.end);
    if (high >= newTile.size()) return false;
    return std::all_of(newTile.begin() + low, newTile.begin() + high + 1,
                       [](const auto& n) { return n.has_value(); });
  };
  std::vector<bool> keepSprite(whole.spriteAnimations.size());
  std::vector<bool> keepTile(whole.tileAnimations.size());
  for (std::size_t i = 0; i < keepSprite.size(); ++i) {
    keepSprite[i] =
        inPart(whole.spriteAnimations[i].start) && inPart(whole.spriteAnimations[i].end);
  }
  for (std::size_t i = 0; i < keepTile.size(); ++i)
    keepTile[i] = tilesKept(whole.tileAnimations[i]);
  // Version 2 counts both kinds of animation at once: an entry stays only where both do.
  if (layout.version == kV2 && !keepSprite.empty() && !keepTile.empty()) {
    for (std::size_t i = 0; i < keepSprite.size(); ++i) {
      keepSprite[i] = keepTile[i] = keepSprite[i] && keepTile[i];
    }
  }
  for (std::size_t i = 0; i < keepSprite.size(); ++i) {
    if (!keepSprite[i]) continue;
    Animation a = whole.spriteAnimations[i];
    a.start = renumber(a.start);
    a.end = renumber(a.end);
    part.spriteAnimations.push_back(a);
  }
  for (std::size_t i = 0; i < keepTile.size(); ++i) {
    if (!keepTile[i]) continue;
    Animation a = whole.tileAnimations[i];
    a.start = *newTile[a.start];
    a.end = *newTile[a.end];
    part.tileAnimations.push_back(a);
  }
  if (layout.version == kV1 && part.spriteAnimations.empty()) {
    part.spriteAnimations.push_back(kUnusedV1Animation);
  }
  return part;
}

bool Has(const SpritePadLayout& layout, SpritePadBlockKind kind) {
  return std::ranges::any_of(layout.blocks,
                             [kind](const SpritePadBlock& block) { return block.kind == kind; });
}

// The counts and flags of the blocks the file had; a block left empty is announced no more.
void PatchHeader(std::vector<std::uint8_t>& header, const SpritePadLayout& layout,
                 const Blocks& part) {
  const auto lessOne = [](std::size_t n) { return static_cast<std::uint8_t>(n == 0 ? 0 : n - 1); };
  if (layout.version == kV1) {
    header[kSpritePadV1AnimationCountOffset] = lessOne(part.spriteAnimations.size());
    return;
  }
  const auto put16 = [&](std::size_t at, std::size_t n) {
    header[at] = LowByte(static_cast<std::uint16_t>(n));
    header[at + 1] = HighByte(static_cast<std::uint16_t>(n));
  };
  const auto announce = [&](SpritePadBlockKind kind, std::uint8_t flag, std::size_t count,
                            std::size_t countOffset) {
    if (!Has(layout, kind)) return;
    if (count == 0) header[kSpritePadFlagsOffset] &= static_cast<std::uint8_t>(~flag);
    if (layout.version == kV2 || kind == SpritePadBlockKind::TileData) {
      put16(countOffset, count);
    } else {
      header[countOffset] = lessOne(count);
    }
  };
  announce(SpritePadBlockKind::TileData, kSpritePadTilesFlag, part.tiles.size(),
           kSpritePadTileCountOffset);
  announce(SpritePadBlockKind::SpriteAnimations, kSpritePadSpriteAnimationsFlag,
           part.spriteAnimations.size(), kSpritePadAnimationCountOffset);
  announce(
      SpritePadBlockKind::TileAnimations, kSpritePadTileAnimationsFlag, part.tileAnimations.size(),
      layout.version == kV2 ? kSpritePadAnimationCountOffset : kSpritePadTileAnimationCountOffset);
}

std::vector<std::uint8_t> Trailer(const SpritePadLayout& layout, const Blocks& part) {
  std::vector<std::uint8_t> out;
  for (const SpritePadBlock& block : layout.blocks) {
    switch (block.kind) {
      case SpritePadBlockKind::SpriteAnimations:
        AppendAnimations(out, part.spriteAnimations, layout.version > kV1);
        break;
      case SpritePadBlockKind::TileAnimations:
        AppendAnimations(out, part.tileAnimations, true);
        break;
      default:  // the tile blocks
        AppendSpritePadTileBlock(out, block.kind, part.tiles);
        break;
    }
  }
  return out;
}

}  // namespace

std::optional<SpriteSet> SpritePadPartOf(const SpriteSet& set, std::size_t first,
                                         std::size_t count) {
  if (set.format != kSpritePadId) return std::nullopt;
  std::vector<std::uint8_t> bytes = SpritePadFileAgain(set);
  auto layout = ParseSpritePadLayout(bytes, "");
  if (!layout || layout->version != set.details.version ||
      layout->headerBytes != set.details.header.size()) {
    return std::nullopt;
  }
  // The objects as they are now, not as the file held them.
  const auto held = ReadSpritePadTiles(bytes, *layout, "");
  if ((!held || *held != set.objects) &&
      SpritePadTilesProblem(set.objects, layout->version, set.records.size()).empty()) {
    bytes = WithSpritePadTiles(bytes, *layout, set.objects);
    layout = ParseSpritePadLayout(bytes, "");
    if (!layout) return std::nullopt;
  }

  const auto whole = ReadBlocks(bytes, *layout);
  if (!whole) return std::nullopt;
  const Blocks part = PartOfBlocks(*whole, *layout, first, count);
  SpriteSet out;
  out.format = set.format;
  const auto from = set.records.begin() + static_cast<std::ptrdiff_t>(first);
  out.records.assign(from, from + static_cast<std::ptrdiff_t>(count));
  out.colours = set.colours;
  out.details.version = set.details.version;
  out.details.header.assign(bytes.begin(),
                            bytes.begin() + static_cast<std::ptrdiff_t>(layout->headerBytes));
  PatchHeader(out.details.header, *layout, part);
  out.details.trailer = Trailer(*layout, part);
  out.overlayDistance = set.overlayDistance;
  out.objects = part.tiles;
  return out;
}

}  // namespace kelvane
