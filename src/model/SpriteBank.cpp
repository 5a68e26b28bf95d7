#include "model/SpriteBank.h"

#include <algorithm>

namespace kelvane {

SpriteBank::SpriteBank() {
  SetDefaultAttributes();
}

std::span<std::uint8_t, kSpriteBytes> SpriteBank::Sprite(int n) {
  return std::span<std::uint8_t, kSpriteBytes>(bytes_.data() + n * kSpriteBytes, kSpriteBytes);
}

std::span<const std::uint8_t, kSpriteBytes> SpriteBank::Sprite(int n) const {
  return std::span<const std::uint8_t, kSpriteBytes>(bytes_.data() + n * kSpriteBytes,
                                                     kSpriteBytes);
}

SpriteRecord SpriteBank::Record(int n) const {
  SpriteRecord record;
  std::ranges::copy(Sprite(n), record.begin());
  return record;
}

void SpriteBank::SetRecord(int n, const SpriteRecord& record) {
  std::ranges::copy(record, Sprite(n).begin());
}

void SpriteBank::Clear() {
  bytes_.fill(0);
}

void SpriteBank::SetDefaultAttributes() {
  for (int n = 0; n < kSpriteCount; ++n) Attribute(n) = kDefaultAttribute;
}

}  // namespace kelvane
