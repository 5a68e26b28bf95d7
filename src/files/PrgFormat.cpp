#include "files/PrgFormat.h"

#include <algorithm>
#include <cstdio>

#include "files/FileExtension.h"
#include "files/LittleEndian.h"
#include "files/RecordBytes.h"

namespace kelvane {
namespace {

// What is left after the load address, as whole records and a possible 63-byte last one.
bool FitsRecords(std::size_t bodyBytes) {
  const std::size_t rest = bodyBytes % kSpriteBytes;
  return rest == 0 || rest == kPixelBytes;
}

}  // namespace

PrgFormat::PrgFormat(std::uint16_t newFileLoadAddress) : newFileLoadAddress_(newFileLoadAddress) {}

Recognition PrgFormat::Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const {
  if (bytes.size() < kPrgLoadAddressBytes || !FitsRecords(bytes.size() - kPrgLoadAddressBytes)) {
    return Recognition::No;
  }
  return HasExtension(path, ".prg") ? Recognition::BySizeAndName : Recognition::BySize;
}

Result<SpriteSet> PrgFormat::Read(const FileImage& file,
                                  std::span<const std::optional<FileImage>>) const {
  return ReadPrg(file.bytes, file.path);
}

Result<std::vector<FileImage>> PrgFormat::Write(const SpriteSet& set,
                                                const std::string& path) const {
  return std::vector<FileImage>{{path, WritePrg(set, newFileLoadAddress_)}};
}

std::string PrgPastMemoryProblem(std::size_t address, std::size_t count, std::size_t bytes) {
  if (address + bytes <= kPrgAddressSpace) return "";
  char at[8];
  std::snprintf(at, sizeof at, "$%04X", static_cast<unsigned>(address));
  return "a PRG of " + std::to_string(count) + " sprites (" + std::to_string(bytes) +
         " bytes) loaded at " + at + " would run past $FFFF, the top of memory";
}

Result<SpriteSet> ReadPrg(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (bytes.size() < kPrgLoadAddressBytes) {
    return FileError{path, FileProblem::Format,
                     "is too short for a PRG file: it has no 2-byte load address"};
  }
  const auto body = bytes.subspan(kPrgLoadAddressBytes);
  if (!FitsRecords(body.size())) {
    return FileError{path, FileProblem::Format,
                     "is not a PRG file of sprites: the " + std::to_string(body.size()) +
                         " bytes after its load address are not whole 64-byte sprites (" +
                         std::to_string(body.size() % kSpriteBytes) + " left over)"};
  }
  SpriteSet set;
  set.format = std::string(kPrgId);
  const std::size_t whole = body.size() - body.size() % kSpriteBytes;
  set.records = SplitRecords(body.first(whole));
  set.details.version = kPrgWholeRecords;
  if (whole != body.size()) {
    SpriteRecord last{};
    std::ranges::copy(body.subspan(whole), last.begin());
    last[kAttributeOffset] = kPrgPaddedAttribute;
    set.records.push_back(last);
    set.details.version = kPrgShortLastRecord;
  }
  set.details.loadAddress = LittleEndian16(bytes[0], bytes[1]);
  return set;
}

std::size_t PrgBodyBytes(const SpriteSet& set) {
  const bool keepShort = set.format == kPrgId && set.details.version == kPrgShortLastRecord &&
                         !set.records.empty() &&
                         set.records.back()[kAttributeOffset] == kPrgPaddedAttribute;
  return set.records.size() * kSpriteBytes - (keepShort ? 1 : 0);
}

std::vector<std::uint8_t> WritePrg(const SpriteSet& set, std::uint16_t newFileLoadAddress) {
  std::vector<std::uint8_t> out;
  AppendLittleEndian16(out, set.details.loadAddress.value_or(newFileLoadAddress));
  AppendRecords(out, set.records);
  out.resize(kPrgLoadAddressBytes + PrgBodyBytes(set));
  return out;
}

}  // namespace kelvane
