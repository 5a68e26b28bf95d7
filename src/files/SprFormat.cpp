#include "files/SprFormat.h"

#include <algorithm>

#include "files/FileExtension.h"
#include "files/FileName.h"

namespace kelvane {

namespace {

bool WholeRecords(std::span<const std::uint8_t> bytes) {
  return bytes.size() <= kMaxSpriteFileBytes && bytes.size() % kSpriteBytes == 0;
}

}  // namespace

Recognition SprFormat::Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const {
  if (!WholeRecords(bytes)) return Recognition::No;
  if (HasExtension(path, ".spr")) return Recognition::BySizeAndName;
  return bytes.size() <= static_cast<std::size_t>(kBankBytes) ? Recognition::BySize
                                                              : Recognition::No;
}

std::vector<std::string> SprFormat::Companions(const std::string& path) const {
  return {SidecarPathOf(path)};
}

Result<SpriteSet> SprFormat::Read(const FileImage& file,
                                  std::span<const std::optional<FileImage>> companions) const {
  if (!WholeRecords(file.bytes)) {
    return FileError{file.path, FileProblem::Size, kInvalidFileSizeReason};
  }
  SpriteSet set;
  set.format = std::string(Id());
  set.records.resize(file.bytes.size() / kSpriteBytes);
  for (std::size_t n = 0; n < set.records.size(); ++n) {
    std::copy_n(file.bytes.begin() + static_cast<std::ptrdiff_t>(n * kSpriteBytes), kSpriteBytes,
                set.records[n].begin());
  }
  if (!companions.empty() && companions.front() &&
      companions.front()->bytes.size() == kSidecarBytes) {
    SharedColours colours{};
    std::ranges::copy(companions.front()->bytes, colours.begin());
    set.colours = colours;
  }
  return set;
}

Result<std::vector<FileImage>> SprFormat::Write(const SpriteSet& set,
                                                const std::string& path) const {
  if (set.records.size() > static_cast<std::size_t>(kSpriteCount)) {
    return FileError{path, FileProblem::TooManySprites,
                     "more than " + std::to_string(kSpriteCount) + " sprites"};
  }
  FileImage sprites{path, {}};
  sprites.bytes.reserve(set.records.size() * kSpriteBytes);
  for (const SpriteRecord& record : set.records) {
    sprites.bytes.insert(sprites.bytes.end(), record.begin(), record.end());
  }
  SharedColours colours{};
  for (int i = 0; i < kSharedColourCount; ++i) {
    colours[i] = kInitialPenColours[kSharedColourPens[i]];
  }
  if (set.colours) colours = *set.colours;
  FileImage sidecar{SidecarPathOf(path), {colours.begin(), colours.end()}};
  return std::vector<FileImage>{std::move(sprites), std::move(sidecar)};
}

}  // namespace kelvane
