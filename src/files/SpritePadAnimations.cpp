#include "files/SpritePadAnimations.h"

#include "files/LittleEndian.h"
#include "files/RecordBytes.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"

namespace kelvane {

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
  // The file again, as read: its header, its records and the blocks after them.
  std::vector<std::uint8_t> bytes = set.details.header;
  AppendRecords(bytes, set.records);
  bytes.insert(bytes.end(), set.details.trailer.begin(), set.details.trailer.end());
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

}  // namespace kelvane
