#include "model/Transforms.h"

#include <algorithm>
#include <array>

namespace kelvane {
namespace {

using Sprite = std::span<std::uint8_t, kSpriteBytes>;
using Row = std::array<std::uint8_t, kRowBytes>;

constexpr int kLastRow = kSpriteRows - 1;
constexpr int kMiddleRow = kSpriteRows / 2;  // the row that flips and symmetrizes keep in place
constexpr std::uint8_t kHighNibble = 0xF0;
constexpr std::uint8_t kLowNibble = 0x0F;

Row ReadRow(Sprite s, int r) {
  return {s[kRowBytes * r], s[kRowBytes * r + 1], s[kRowBytes * r + 2]};
}

void WriteRow(Sprite s, int r, const Row& row) {
  std::ranges::copy(row, s.begin() + kRowBytes * r);
}

std::uint8_t U8(unsigned v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}

// One bit of rotation of the 24-bit row; multi-colour runs two passes so pairs stay whole.
void RotateRowsLeftOneBit(Sprite s) {
  for (int r = 0; r < kSpriteRows; ++r) {
    const auto [b0, b1, b2] = ReadRow(s, r);
    WriteRow(s, r, {U8(b0 << 1 | b1 >> 7), U8(b1 << 1 | b2 >> 7), U8(b2 << 1 | b0 >> 7)});
  }
}

void RotateRowsRightOneBit(Sprite s) {
  for (int r = 0; r < kSpriteRows; ++r) {
    const auto [b0, b1, b2] = ReadRow(s, r);
    WriteRow(
        s, r,
        {U8(b0 >> 1 | (b2 & 1) << 7), U8(b1 >> 1 | (b0 & 1) << 7), U8(b2 >> 1 | (b1 & 1) << 7)});
  }
}

void NudgeUp(Sprite s) {
  const Row top = ReadRow(s, 0);
  std::copy(s.begin() + kRowBytes, s.begin() + kPixelBytes, s.begin());
  WriteRow(s, kLastRow, top);
}

void NudgeDown(Sprite s) {
  const Row bottom = ReadRow(s, kLastRow);
  std::copy_backward(s.begin(), s.begin() + kPixelBytes - kRowBytes, s.begin() + kPixelBytes);
  WriteRow(s, 0, bottom);
}

void FlipTopToBottom(Sprite s) {
  std::array<Row, kSpriteRows> rows;
  for (int r = 0; r < kSpriteRows; ++r) rows[r] = ReadRow(s, kLastRow - r);
  for (int r = 0; r < kSpriteRows; ++r) WriteRow(s, r, rows[r]);
}

void FlipLeftToRight(Sprite s, bool multiColour) {
  for (int r = 0; r < kSpriteRows; ++r) {
    const auto [b0, b1, b2] = ReadRow(s, r);
    WriteRow(
        s, r,
        {MirrorByte(b2, multiColour), MirrorByte(b1, multiColour), MirrorByte(b0, multiColour)});
  }
}

void SymmetrizeTopToBottom(Sprite s) {
  for (int r = 0; r < kMiddleRow; ++r) WriteRow(s, kLastRow - r, ReadRow(s, r));
}

void SymmetrizeLeftToRight(Sprite s, bool multiColour) {
  for (int r = 0; r < kSpriteRows; ++r) {
    const auto [b0, b1, b2] = ReadRow(s, r);
    // The middle byte straddles the axis: its left nibble is mirrored onto its right nibble.
    const auto middle =
        static_cast<std::uint8_t>((b1 & kHighNibble) | (MirrorByte(b1, multiColour) & kLowNibble));
    WriteRow(s, r, {b0, middle, MirrorByte(b0, multiColour)});
  }
}

}  // namespace

std::uint8_t MirrorByte(std::uint8_t v, bool multiColour) {
  const int width = multiColour ? 2 : 1;
  const unsigned mask = multiColour ? 3u : 1u;
  unsigned result = 0;
  for (int from = 0; from < kBitsPerByte; from += width) {
    result |= ((v >> from) & mask) << (kBitsPerByte - width - from);
  }
  return static_cast<std::uint8_t>(result);
}

void ApplyTransform(std::span<std::uint8_t, kSpriteBytes> sprite, Transform t, bool multiColour) {
  const int horizontalPasses = multiColour ? 2 : 1;
  switch (t) {
    case Transform::NudgeUp:
      NudgeUp(sprite);
      break;
    case Transform::NudgeDown:
      NudgeDown(sprite);
      break;
    case Transform::NudgeLeft:
      for (int pass = 0; pass < horizontalPasses; ++pass) RotateRowsLeftOneBit(sprite);
      break;
    case Transform::NudgeRight:
      for (int pass = 0; pass < horizontalPasses; ++pass) RotateRowsRightOneBit(sprite);
      break;
    case Transform::FlipTopToBottom:
      FlipTopToBottom(sprite);
      break;
    case Transform::FlipLeftToRight:
      FlipLeftToRight(sprite, multiColour);
      break;
    case Transform::SymmetrizeTopToBottom:
      SymmetrizeTopToBottom(sprite);
      break;
    case Transform::SymmetrizeLeftToRight:
      SymmetrizeLeftToRight(sprite, multiColour);
      break;
  }
}

}  // namespace kelvane
