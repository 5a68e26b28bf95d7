#include "files/SpritePadAnimations.h"

#include "files/LittleEndian.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"

namespace kelvane {
namespace {

constexpr int kV1 = 1;
constexpr int kV2 = 2;
constexpr std::size_t kMostCountedLessOne = 256;  // a count less one in a byte
constexpr int kMostNarrowSprite = 0xFF;
constexpr int kMostWideSprite = 0xFFFF;
// Version 1 always announces an animation: without one it keeps the unused slot others write.
constexpr SpriteAnimation kUnusedV1Animation{0, 0, 1, 0};

void AppendAnimations(std::vector<std::uint8_t>& out, const std::vector<SpriteAnimation>& list,
                      bool wide) {
  const auto put = [&](int n) {
    if (wide) {
      AppendLittleEndian16(out, static_cast<std::uint16_t>(n));
    } else {
      out.push_back(static_cast<std::uint8_t>(n));
    }
  };
  for (const SpriteAnimation& a : list) put(a.first);
  for (const SpriteAnimation& a : list) put(a.last);
  for (const SpriteAnimation& a : list) out.push_back(static_cast<std::uint8_t>(a.speed));
  for (const SpriteAnimation& a : list) out.push_back(a.flags);
}

std::string Problem(const SpritePadLayout& layout, const std::vector<SpriteAnimation>& list) {
  const std::string version = "a SpritePad file of version " + std::to_string(layout.version);
  if (layout.version == kSpritePadHeaderless) {
    return list.empty() ? "" : "the old headerless SpritePad layout holds no animations";
  }
  if (layout.version != kV2 && list.size() > kMostCountedLessOne) {
    return version + " holds at most 256 animations";
  }
  const int most = layout.version == kV1 ? kMostNarrowSprite : kMostWideSprite;
  for (const SpriteAnimation& a : list) {
    if (a.first < 0 || a.last < 0 || a.first > most || a.last > most) {
      return version + " numbers the sprites of an animation up to " + std::to_string(most);
    }
  }
  if (layout.version == kV2) {
    for (const SpritePadBlock& block : layout.blocks) {
      if (block.kind == SpritePadBlockKind::TileAnimations && block.count != list.size()) {
        return version + " counts sprite and tile animations together: it keeps " +
               std::to_string(block.count) + " animations";
      }
    }
  }
  return "";
}

}  // namespace

std::vector<SpriteAnimation> ReadSpritePadAnimations(std::span<const std::uint8_t> block,
                                                     std::size_t count, bool wideNumbers) {
  const std::size_t width = wideNumbers ? 2 : 1;
  const auto number = [&](std::size_t at) {
    return wideNumbers ? LittleEndian16(block[at], block[at + 1]) : block[at];
  };
  const std::size_t timers = 2 * count * width;
  std::vector<SpriteAnimation> animations;
  for (std::size_t i = 0; i < count; ++i) {
    animations.push_back({number(i * width), number((count + i) * width), block[timers + i],
                          block[timers + count + i]});
  }
  return animations;
}

std::vector<SpriteAnimation> SpritePadSpriteAnimations(const SpriteSet& set) {
  if (set.format != kSpritePadId || set.details.header.empty()) return {};
  const std::vector<std::uint8_t> bytes = SpritePadFileAgain(set);
  const Result<SpritePadLayout> layout = ParseSpritePadLayout(bytes, "");
  if (!layout) return {};
  std::size_t offset = layout->RecordsEnd();
  for (const SpritePadBlock& block : layout->blocks) {
    const auto size = static_cast<std::size_t>(block.bytes);
    if (block.kind == SpritePadBlockKind::SpriteAnimations) {
      return ReadSpritePadAnimations(std::span(bytes).subspan(offset, size),
                                     static_cast<std::size_t>(block.count), layout->version > 1);
    }
    offset += size;
  }
  return {};
}

Result<std::vector<std::uint8_t>> WithSpritePadAnimations(
    std::span<const std::uint8_t> bytes, const SpritePadLayout& layout,
    const std::vector<SpriteAnimation>& animations, const std::string& path) {
  if (const std::string problem = Problem(layout, animations); !problem.empty()) {
    return FileError{path, FileProblem::Format, "cannot be saved: " + problem};
  }
  std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + layout.RecordsEnd());
  if (layout.version == kSpritePadHeaderless) {
    out.assign(bytes.begin(), bytes.end());
    return out;
  }
  std::vector<SpriteAnimation> stored = animations;
  if (layout.version == kV1 && stored.empty()) stored.push_back(kUnusedV1Animation);
  const auto count = stored.size();
  if (layout.version == kV1) {
    out[kSpritePadV1AnimationCountOffset] = static_cast<std::uint8_t>(count - 1);
  } else {
    std::uint8_t& flags = out[kSpritePadFlagsOffset];
    flags = static_cast<std::uint8_t>(count == 0 ? flags & ~kSpritePadSpriteAnimationsFlag
                                                 : flags | kSpritePadSpriteAnimationsFlag);
    if (layout.version == kV2) {
      out[kSpritePadAnimationCountOffset] = LowByte(static_cast<std::uint16_t>(count));
      out[kSpritePadAnimationCountOffset + 1] = HighByte(static_cast<std::uint16_t>(count));
    } else {
      out[kSpritePadAnimationCountOffset] = static_cast<std::uint8_t>(count == 0 ? 0 : count - 1);
    }
  }
  // The sprite animations lie after the tile blocks and before the tile animations.
  bool written = false;
  const auto writeAnimations = [&] {
    if (!written && count > 0) AppendAnimations(out, stored, layout.version > kV1);
    written = true;
  };
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    offset += data.size();
    if (block.kind == SpritePadBlockKind::SpriteAnimations) {
      writeAnimations();
      continue;
    }
    if (block.kind == SpritePadBlockKind::TileAnimations) writeAnimations();
    out.insert(out.end(), data.begin(), data.end());
  }
  writeAnimations();
  return out;
}

}  // namespace kelvane
