// CRC-32 (the polynomial of zip and PNG): tells a file cut short or changed by a stray write
// from the one that was written.
#pragma once

#include <cstdint>
#include <span>

namespace kelvane {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace kelvane
