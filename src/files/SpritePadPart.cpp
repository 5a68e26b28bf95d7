#include "files/SpritePadPart.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "files/LittleEndian.h"
#include "files/RecordBytes.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"
#include "files/SpritePadTiles.h"

namespace kelvane {
namespace {

constexpr int kV2 = 2;

struct Blocks {
  std::vector<SpriteAnimation> spriteAnimations;
  std::vector<SpriteObject> tiles;
  std::vector<SpriteAnimation> tileAnimations;
};

// Nothing when the tiles name sprites the file does not hold.
std::optional<Blocks> ReadBlocks(std::span<const std::uint8_t> bytes,
                                 const SpritePadLayout& layout) {
  Blocks blocks;
  auto tiles = ReadSpritePadTiles(bytes, layout, "");
  if (!tiles) return std::nullopt;
  blocks.tiles = std::move(*tiles);
  for (SpriteAnimation& a : ReadSpritePadFileAnimations(bytes, layout)) {
    (a.overObjects ? blocks.tileAnimations : blocks.spriteAnimations).push_back(a);
  }
  return blocks;
}

// The blocks as they are in the part: tiles are numbered anew as some drop out.
Blocks PartOfBlocks(const Blocks& whole, const SpritePadLayout& layout, std::size_t first,
                    std::size_t count) {
  const auto inPart = [&](std::size_t n) { return n >= first && n - first < count; };
  const auto renumber = [&](int n) { return n - static_cast<int>(first); };
  Blocks part;
  std::vector<std::optional<int>> newTile(whole.tiles.size());
  for (std::size_t t = 0; t < whole.tiles.size(); ++t) {
    const SpriteObject& tile = whole.tiles[t];
    if (!std::ranges::all_of(tile.cells, inPart)) continue;
    newTile[t] = static_cast<int>(part.tiles.size());
    SpriteObject kept = tile;
    std::ranges::transform(kept.cells, kept.cells.begin(), renumber);
    part.tiles.push_back(std::move(kept));
  }
  const auto tilesKept = [&](const SpriteAnimation& a) {
    const auto low = static_cast<std::size_t>(std::min(a.first, a.last));
    const auto high = static_cast<std::size_t>(std::max(a.first, a.last));
    if (high >= newTile.size()) return false;
    return std::all_of(newTile.begin() + low, newTile.begin() + high + 1,
                       [](const auto& n) { return n.has_value(); });
  };
  std::vector<bool> keepSprite(whole.spriteAnimations.size());
  std::vector<bool> keepTile(whole.tileAnimations.size());
  for (std::size_t i = 0; i < keepSprite.size(); ++i) {
    const SpriteAnimation& a = whole.spriteAnimations[i];
    keepSprite[i] = a.first >= 0 && a.last >= 0 && inPart(static_cast<std::size_t>(a.first)) &&
                    inPart(static_cast<std::size_t>(a.last));
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
    SpriteAnimation a = whole.spriteAnimations[i];
    a.first = renumber(a.first);
    a.last = renumber(a.last);
    part.spriteAnimations.push_back(a);
  }
  for (std::size_t i = 0; i < keepTile.size(); ++i) {
    if (!keepTile[i]) continue;
    SpriteAnimation a = whole.tileAnimations[i];
    a.first = *newTile[static_cast<std::size_t>(a.first)];
    a.last = *newTile[static_cast<std::size_t>(a.last)];
    part.tileAnimations.push_back(a);
  }
  if (layout.version == kSpritePadV1 && part.spriteAnimations.empty()) {
    part.spriteAnimations.push_back(kSpritePadUnusedV1Animation);
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
  if (layout.version == kSpritePadV1) {
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
        AppendSpritePadAnimations(out, part.spriteAnimations, layout.version > kSpritePadV1);
        break;
      case SpritePadBlockKind::TileAnimations:
        AppendSpritePadAnimations(out, part.tileAnimations, true);
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
  // And the animations as they are now, where the version can hold them.
  if (set.animations && ReadSpritePadFileAnimations(bytes, *layout) != *set.animations) {
    if (auto with = WithSpritePadAnimations(bytes, *layout, *set.animations, "")) {
      bytes = std::move(*with);
      layout = ParseSpritePadLayout(bytes, "");
      if (!layout) return std::nullopt;
    }
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
