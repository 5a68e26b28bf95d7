// 16-bit values as the 6502 stores them: low byte first. Every count, sprite number and load
// address in the community's sprite formats is kept this way.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvane {

inline constexpr std::uint16_t LittleEndian16(std::uint8_t low, std::uint8_t high) {
  return static_cast<std::uint16_t>(low | (high << 8));
}

inline constexpr std::uint8_t LowByte(std::uint16_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}
inline constexpr std::uint8_t HighByte(std::uint16_t value) {
  return static_cast<std::uint8_t>(value >> 8);
}

inline void AppendLittleEndian16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(LowByte(value));
  out.push_back(HighByte(value));
}

}  // namespace kelvane
