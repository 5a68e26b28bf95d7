// The bank of 256 sprite records, laid out exactly as they are stored in a .spr file.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/C64Format.h"

namespace kelvane {

using SpriteRecord = std::array<std::uint8_t, kSpriteBytes>;

class SpriteBank {
 public:
  // A fresh bank: every pixel byte 0 and every attribute byte the default.
  SpriteBank();

  std::span<std::uint8_t, kSpriteBytes> Sprite(int n);
  std::span<const std::uint8_t, kSpriteBytes> Sprite(int n) const;
  std::uint8_t& Attribute(int n) { return bytes_[n * kSpriteBytes + kAttributeOffset]; }
  std::uint8_t Attribute(int n) const { return bytes_[n * kSpriteBytes + kAttributeOffset]; }

  SpriteRecord Record(int n) const;
  void SetRecord(int n, const SpriteRecord& record);

  std::span<std::uint8_t, kBankBytes> Bytes() { return bytes_; }
  std::span<const std::uint8_t, kBankBytes> Bytes() const { return bytes_; }

  void Clear();                 // every byte 0, attribute bytes included
  void SetDefaultAttributes();  // every attribute byte to the default, pixels untouched

  bool operator==(const SpriteBank&) const = default;

 private:
  std::array<std::uint8_t, kBankBytes> bytes_{};
};

}  // namespace kelvane
