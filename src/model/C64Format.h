// The Commodore 64 sprite format as the VIC-II reads it, and the editor's fixed sizes.
#pragma once

#include <cstdint>

namespace kelvane {

inline constexpr int kSpriteCount = 256;
inline constexpr int kSpriteBytes = 64;  // one record: 63 pixel bytes and the attribute byte
inline constexpr int kPixelBytes = 63;   // 21 rows of 3 bytes
inline constexpr int kAttributeOffset = 63;
inline constexpr int kBankBytes = kSpriteCount * kSpriteBytes;  // 16384

inline constexpr int kSpriteRows = 21;
inline constexpr int kRowBytes = 3;
inline constexpr int kHiresColumns = 24;  // one bit a pixel
inline constexpr int kMultiColumns = 12;  // two bits a double-wide pixel
inline constexpr int kBitsPerByte = 8;

// Attribute byte: bit 7 multi-colour, bits 0-3 sprite colour, bits 4-6 carried along untouched.
inline constexpr std::uint8_t kMultiColourFlag = 0x80;
inline constexpr std::uint8_t kSpriteColourMask = 0x0F;
inline constexpr std::uint8_t kDefaultAttribute = 0x8C;  // multi-colour, grey (12)
// What the other tools keep in bits 4-6 for the program that shows the sprites: the next sprite
// is drawn over this one, and the VIC-II's double width and height.
// ASSUMPTION: the bits as the community's formats describe them; the editor only carries them.
inline constexpr std::uint8_t kOverlayFlag = 0x10;
inline constexpr std::uint8_t kExpandXFlag = 0x20;
inline constexpr std::uint8_t kExpandYFlag = 0x40;

inline constexpr int kColourCount = 16;
inline constexpr std::uint8_t kColourIndexMask = 0x0F;

// The editor scroll bar addresses one half of the bank; "Upper 128" picks which.
inline constexpr int kHalfBankSprites = 128;
inline constexpr int kLastSprite = kSpriteCount - 1;

inline constexpr bool IsMultiColour(std::uint8_t attribute) {
  return (attribute & kMultiColourFlag) != 0;
}
// How many times its width and height the machine shows a sprite: 2 on an expanded axis.
inline constexpr int WidthFactor(std::uint8_t attribute) {
  return (attribute & kExpandXFlag) != 0 ? 2 : 1;
}
inline constexpr int HeightFactor(std::uint8_t attribute) {
  return (attribute & kExpandYFlag) != 0 ? 2 : 1;
}
inline constexpr int SpriteColour(std::uint8_t attribute) {
  return attribute & kSpriteColourMask;
}

}  // namespace kelvane
