// Reads a file's bytes front to back without ever stepping past their end: every read says
// whether the bytes were there, so a short or hostile file is refused, never overrun.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kelvane {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return offset_; }
  std::size_t Remaining() const { return bytes_.size() - offset_; }

  std::optional<std::uint8_t> U8();
  std::optional<std::uint16_t> U16();  // little-endian

  // Moves past count bytes when that many remain; otherwise stays put and says no. The count
  // is 64 bits wide because sizes computed from a header's fields can exceed any real file.
  bool Skip(std::uint64_t count);

  // Moves past the next NUL byte and everything before it; stays put when there is none.
  bool SkipPastNul();

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
};

}  // namespace kelvane
