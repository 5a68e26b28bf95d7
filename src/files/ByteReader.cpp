#include "files/ByteReader.h"

#include <algorithm>

#include "files/LittleEndian.h"

namespace kelvane {

std::optional<std::uint8_t> ByteReader::U8() {
  if (Remaining() < 1) return std::nullopt;
  return bytes_[offset_++];
}

std::optional<std::uint16_t> ByteReader::U16() {
  if (Remaining() < 2) return std::nullopt;
  const auto value = LittleEndian16(bytes_[offset_], bytes_[offset_ + 1]);
  offset_ += 2;
  return value;
}

bool ByteReader::Skip(std::uint64_t count) {
  if (count > Remaining()) return false;
  offset_ += static_cast<std::size_t>(count);
  return true;
}

bool ByteReader::SkipPastNul() {
  const auto rest = bytes_.subspan(offset_);
  const auto nul = std::ranges::find(rest, std::uint8_t{0});
  if (nul == rest.end()) return false;
  offset_ += static_cast<std::size_t>(nul - rest.begin()) + 1;
  return true;
}

}  // namespace kelvane
