#include "files/SpritePadAnimations.h"

#include <algorithm>

#include "files/LittleEndian.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"

namespace kelvane {
namespace {

constexpr int kV2 = 2;
constexpr std::size_t kMostCountedLessOne = 256;  // a count less one in a byte
constexpr int kMostNarrowNumber = 0xFF;
constexpr int kMostWideNumber = 0xFFFF;

struct Kinds {
  std::vector<SpriteAnimation> sprites;
  std::vector<SpriteAnimation> objects;
};

Kinds Split(const std::vector<SpriteAnimation>& animations) {
  Kinds kinds;
  for (const SpriteAnimation& a : animations) {
    (a.overObjects ? kinds.objects : kinds.sprites).push_back(a);
  }
  return kinds;
}

std::size_t TileCount(const SpritePadLayout& layout) {
  for (const SpritePadBlock& block : layout.blocks) {
    if (block.kind == SpritePadBlockKind::TileData) return static_cast<std::size_t>(block.count);
  }
  return 0;
}

std::string NumberProblem(const std::vector<SpriteAnimation>& list, int most,
                          const std::string& what) {
  for (const SpriteAnimation& a : list) {
    if (a.first < 0 || a.last < 0 || a.first > most || a.last > most) {
      return what + std::to_string(most);
    }
  }
  return "";
}

std::string Problem(const SpritePadLayout& layout, const Kinds& now, const Kinds& held) {
  const std::string version = "a SpritePad file of version " + std::to_string(layout.version);
  if (layout.version == kSpritePadHeaderless) {
    return now.sprites.empty() && now.objects.empty()
               ? ""
               : "the old headerless SpritePad layout holds no animations";
  }
  if (layout.version == kSpritePadV1 && !now.objects.empty()) {
    return version + " holds no objects, so no animations over them";
  }
  if (layout.version != kV2 &&
      (now.sprites.size() > kMostCountedLessOne || now.objects.size() > kMostCountedLessOne)) {
    return version + " holds at most 256 animations of each kind";
  }
  const int most = layout.version == kSpritePadV1 ? kMostNarrowNumber : kMostWideNumber;
  if (auto p =
          NumberProblem(now.sprites, most, version + " numbers the sprites of an animation up to ");
      !p.empty()) {
    return p;
  }
  if (layout.version == kV2 && !now.sprites.empty() && !now.objects.empty() &&
      now.sprites.size() != now.objects.size()) {
    return version + " counts sprite and tile animations together: it cannot keep " +
           std::to_string(now.sprites.size()) + " animations of sprites beside " +
           std::to_string(now.objects.size()) + " over objects";
  }
  if (now.objects != held.objects && !now.objects.empty()) {
    const std::size_t tiles = TileCount(layout);
    if (tiles == 0) return "an animation over objects needs objects to play";
    if (auto p = NumberProblem(now.objects, static_cast<int>(tiles) - 1,
                               "an animation over objects names an object past the last one, ");
        !p.empty()) {
      return p;
    }
  }
  return "";
}

void PutCountLessOne(std::uint8_t& byte, std::size_t count) {
  byte = static_cast<std::uint8_t>(count == 0 ? 0 : count - 1);
}

void PutFlag(std::uint8_t& flags, std::uint8_t flag, bool on) {
  flags = static_cast<std::uint8_t>(on ? flags | flag : flags & ~flag);
}

// The header's flags and counts of the kinds that changed.
void PatchHeader(std::vector<std::uint8_t>& out, int version, const Kinds& now, bool spritesChanged,
                 bool objectsChanged) {
  if (version == kSpritePadV1) {
    if (spritesChanged) {
      PutCountLessOne(out[kSpritePadV1AnimationCountOffset],
                      std::max<std::size_t>(now.sprites.size(), 1));
    }
    return;
  }
  std::uint8_t& flags = out[kSpritePadFlagsOffset];
  if (spritesChanged) PutFlag(flags, kSpritePadSpriteAnimationsFlag, !now.sprites.empty());
  if (objectsChanged) PutFlag(flags, kSpritePadTileAnimationsFlag, !now.objects.empty());
  if (version == kV2) {
    if (!spritesChanged && !objectsChanged) return;
    const auto count = static_cast<std::uint16_t>(std::max(now.sprites.size(), now.objects.size()));
    out[kSpritePadAnimationCountOffset] = LowByte(count);
    out[kSpritePadAnimationCountOffset + 1] = HighByte(count);
    return;
  }
  if (spritesChanged) PutCountLessOne(out[kSpritePadAnimationCountOffset], now.sprites.size());
  if (objectsChanged) {
    PutCountLessOne(out[kSpritePadTileAnimationCountOffset], now.objects.size());
  }
}

}  // namespace

std::vector<SpriteAnimation> ReadSpritePadAnimations(std::span<const std::uint8_t> block,
                                                     std::size_t count, bool wideNumbers,
                                                     bool overObjects) {
  const std::size_t width = wideNumbers ? 2 : 1;
  const auto number = [&](std::size_t at) {
    return wideNumbers ? LittleEndian16(block[at], block[at + 1]) : block[at];
  };
  const std::size_t timers = 2 * count * width;
  std::vector<SpriteAnimation> animations;
  for (std::size_t i = 0; i < count; ++i) {
    animations.push_back({number(i * width), number((count + i) * width), block[timers + i],
                          block[timers + count + i], overObjects});
  }
  return animations;
}

void AppendSpritePadAnimations(std::vector<std::uint8_t>& out,
                               const std::vector<SpriteAnimation>& animations, bool wideNumbers) {
  const auto put = [&](int n) {
    if (wideNumbers) {
      AppendLittleEndian16(out, static_cast<std::uint16_t>(n));
    } else {
      out.push_back(static_cast<std::uint8_t>(n));
    }
  };
  for (const SpriteAnimation& a : animations) put(a.first);
  for (const SpriteAnimation& a : animations) put(a.last);
  for (const SpriteAnimation& a : animations) out.push_back(static_cast<std::uint8_t>(a.speed));
  for (const SpriteAnimation& a : animations) out.push_back(a.flags);
}

std::vector<SpriteAnimation> ReadSpritePadFileAnimations(std::span<const std::uint8_t> bytes,
                                                         const SpritePadLayout& layout) {
  std::vector<SpriteAnimation> sprites;
  std::vector<SpriteAnimation> objects;
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    const auto count = static_cast<std::size_t>(block.count);
    if (block.kind == SpritePadBlockKind::SpriteAnimations) {
      sprites = ReadSpritePadAnimations(data, count, layout.version > kSpritePadV1);
    } else if (block.kind == SpritePadBlockKind::TileAnimations) {
      objects = ReadSpritePadAnimations(data, count, true, true);
    }
    offset += data.size();
  }
  sprites.insert(sprites.end(), objects.begin(), objects.end());
  return sprites;
}

std::vector<SpriteAnimation> SpritePadAnimationsOf(const SpriteSet& set) {
  if (set.format != kSpritePadId || set.details.header.empty()) return {};
  const std::vector<std::uint8_t> bytes = SpritePadFileAgain(set);
  const Result<SpritePadLayout> layout = ParseSpritePadLayout(bytes, "");
  if (!layout) return {};
  return ReadSpritePadFileAnimations(bytes, *layout);
}

Result<std::vector<std::uint8_t>> WithSpritePadAnimations(
    std::span<const std::uint8_t> bytes, const SpritePadLayout& layout,
    const std::vector<SpriteAnimation>& animations, const std::string& path) {
  Kinds now = Split(animations);
  const Kinds held = Split(ReadSpritePadFileAnimations(bytes, layout));
  if (const std::string problem = Problem(layout, now, held); !problem.empty()) {
    return FileError{path, FileProblem::Format, "cannot be saved: " + problem};
  }
  if (layout.version == kSpritePadHeaderless) return std::vector(bytes.begin(), bytes.end());
  if (layout.version == kSpritePadV1 && now.sprites.empty())
    now.sprites.push_back(kSpritePadUnusedV1Animation);
  const bool spritesChanged = now.sprites != held.sprites;
  const bool objectsChanged = now.objects != held.objects;
  std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + layout.RecordsEnd());
  PatchHeader(out, layout.version, now, spritesChanged, objectsChanged);

  // A kind left as it was keeps its bytes; the sprite animations lie after the tile blocks and
  // before the tile animations, which end the file.
  std::vector<std::uint8_t> spriteBlock;
  std::vector<std::uint8_t> objectBlock;
  std::vector<std::uint8_t> tileBlocks;
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    offset += data.size();
    std::vector<std::uint8_t>& into =
        block.kind == SpritePadBlockKind::SpriteAnimations ? spriteBlock
        : block.kind == SpritePadBlockKind::TileAnimations ? objectBlock
                                                           : tileBlocks;
    into.insert(into.end(), data.begin(), data.end());
  }
  if (spritesChanged) {
    spriteBlock.clear();
    AppendSpritePadAnimations(spriteBlock, now.sprites, layout.version > kSpritePadV1);
  }
  if (objectsChanged) {
    objectBlock.clear();
    AppendSpritePadAnimations(objectBlock, now.objects, true);
  }
  for (const auto* block : {&tileBlocks, &spriteBlock, &objectBlock}) {
    out.insert(out.end(), block->begin(), block->end());
  }
  return out;
}

}  // namespace kelvane
