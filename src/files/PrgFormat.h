// A PRG chunk: the C64's own file layout, a 16-bit load address followed by the bytes that go
// there, here whole sprite records. Many tools save sprite data that stops after the last
// sprite's pixels, 63 bytes into its record; such a file is read with that record's attribute
// byte padded, and saved back the same way while the pad is all it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kPrgId = "prg";
inline constexpr int kPrgLoadAddressBytes = 2;
// Where new files load: a 64-byte boundary in the VIC-II's first bank, clear of BASIC's start.
inline constexpr std::uint16_t kDefaultPrgLoadAddress = 0x2000;
// FormatDetails::version of a PRG: whether its last record stopped short of the attribute byte.
inline constexpr int kPrgWholeRecords = 0;
inline constexpr int kPrgShortLastRecord = 1;
// The attribute byte given to a short last record: hi-res, colour 0.
inline constexpr std::uint8_t kPrgPaddedAttribute = 0x00;
// A PRG loads into the 64 KiB the processor addresses, and no further.
inline constexpr std::size_t kPrgAddressSpace = 0x10000;
inline constexpr std::size_t kMaxPrgFileBytes = kPrgLoadAddressBytes + kPrgAddressSpace;

class PrgFormat final : public SpriteFormat {
 public:
  // newFileLoadAddress is used for sets that carry no load address of their own.
  explicit PrgFormat(std::uint16_t newFileLoadAddress = kDefaultPrgLoadAddress);

  std::string_view Id() const override { return kPrgId; }
  std::string_view Name() const override { return "PRG file"; }
  std::vector<std::string> Patterns() const override { return {"*.prg"}; }
  std::size_t MaxFileBytes() const override { return kMaxPrgFileBytes; }

  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override;
  Result<SpriteSet> Read(const FileImage& file,
                         std::span<const std::optional<FileImage>> companions) const override;
  Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                       const std::string& path) const override;

 private:
  std::uint16_t newFileLoadAddress_;
};

// The records after the load address; details.loadAddress holds it, details.version the shape.
Result<SpriteSet> ReadPrg(std::span<const std::uint8_t> bytes, const std::string& path);

// Why count sprites in bytes bytes cannot load at address: they would run past $FFFF; or "".
std::string PrgPastMemoryProblem(std::size_t address, std::size_t count, std::size_t bytes);

// The bytes WritePrg puts after the load address.
std::size_t PrgBodyBytes(const SpriteSet& set);

// set's own load address (details.loadAddress) when it has one, else newFileLoadAddress. A set
// read with a short last record is written short again while that record's attribute byte is
// still the pad, so nothing is lost either way.
std::vector<std::uint8_t> WritePrg(const SpriteSet& set, std::uint16_t newFileLoadAddress);

}  // namespace kelvane
