// Moving whole 64-byte sprite records between a file's bytes and a SpriteSet, attribute byte
// included, so that no codec can drop or reorder a byte of a record.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/SpriteBank.h"

namespace kelvane {

// The records in bytes, whose size must be a whole number of records.
std::vector<SpriteRecord> SplitRecords(std::span<const std::uint8_t> bytes);

void AppendRecords(std::vector<std::uint8_t>& out, std::span<const SpriteRecord> records);

}  // namespace kelvane
