#include "files/RecordBytes.h"

#include <algorithm>
#include <cassert>

namespace kelvane {

std::vector<SpriteRecord> SplitRecords(std::span<const std::uint8_t> bytes) {
  assert(bytes.size() % kSpriteBytes == 0);
  std::vector<SpriteRecord> records(bytes.size() / kSpriteBytes);
  for (std::size_t n = 0; n < records.size(); ++n) {
    std::ranges::copy(bytes.subspan(n * kSpriteBytes, kSpriteBytes), records[n].begin());
  }
  return records;
}

void AppendRecords(std::vector<std::uint8_t>& out, std::span<const SpriteRecord> records) {
  out.reserve(out.size() + records.size() * kSpriteBytes);
  for (const auto& record : records) out.insert(out.end(), record.begin(), record.end());
}

}  // namespace kelvane
