// Raw sprite data (.bin): whole 64-byte records and nothing else, as assemblers include them.
// The same bytes as a .spr without its colour sidecar; the name tells the two apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kRawId = "bin";
// Raw data has no count of its own; larger than this is not sprite data a user would keep.
inline constexpr std::size_t kMaxRawFileBytes = std::size_t{16} << 20;

class RawFormat final : public SpriteFormat {
 public:
  std::string_view Id() const override { return kRawId; }
  std::string_view Name() const override { return "Raw sprite data"; }
  std::vector<std::string> Patterns() const override { return {"*.bin"}; }
  std::size_t MaxFileBytes() const override { return kMaxRawFileBytes; }

  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override;
  Result<SpriteSet> Read(const FileImage& file,
                         std::span<const std::optional<FileImage>> companions) const override;
  Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                       const std::string& path) const override;
};

Result<SpriteSet> ReadRaw(std::span<const std::uint8_t> bytes, const std::string& path);
std::vector<std::uint8_t> WriteRaw(const SpriteSet& set);

}  // namespace kelvane
