// The headerless .spr sprite file and its three-byte .inf colour sidecar: a run of whole 64-byte
// records exactly as they lie in the bank, and beside it, under the sprite file's whole name
// plus ".inf", the background, multi-colour 1 and multi-colour 2 colours.
#pragma once

#include "files/RawFormat.h"
#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kSprId = "spr";
// Records of any count, as raw data; the window opens one bank's worth.
inline constexpr std::size_t kMaxSpriteFileBytes = kMaxRawFileBytes;
inline constexpr int kSidecarBytes = kSharedColourCount;

class SprFormat final : public SpriteFormat {
 public:
  std::string_view Id() const override { return kSprId; }
  std::string_view Name() const override { return "C64 sprite file"; }
  std::string_view SaveName() const override { return "C64 sprite files"; }
  std::vector<std::string> Patterns() const override { return {"*.spr"}; }
  std::size_t MaxFileBytes() const override { return kMaxSpriteFileBytes; }

  // Any whole number of records: the content cannot tell a .spr from other headerless sprites,
  // so the name settles it. Past one bank, only a .spr name makes them a sprite file.
  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override;
  // The sidecar: the whole name plus ".inf" (ship.spr -> ship.spr.inf).
  std::vector<std::string> Companions(const std::string& path) const override;
  // The shared colours come from the sidecar only when it is exactly 3 bytes; otherwise the set
  // carries none. The bytes are kept as they are.
  Result<SpriteSet> Read(const FileImage& file,
                         std::span<const std::optional<FileImage>> companions) const override;
  // The records and the sidecar; a set without colours gets those a new bank starts with.
  Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                       const std::string& path) const override;
};

}  // namespace kelvane
