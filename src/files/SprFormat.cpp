#include "files/SprFormat.h"

#include <algorithm>

#include "files/FileExtension.h"
#include "files/FileName.h"

namespace kelvane {

Recognition SprFormat::Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const {
  if (bytes.size() > kMaxSpriteFileBytes || bytes.size() % kSpriteBytes != 0) {
    return Recognition::No;
  }
  return HasExtension(path, ".spr") ? Recognition::BySizeAndName : Recognition::BySize;
}

std::vector<std::string> SprFormat::Companions(const std::string& path) const {
  return {SidecarPathOf(path)};
}

Result<SpriteSet> SprFormat::Read(const FileImage& file,
                                  std::span<const std::optional<FileImage>> companions) const {
  if (Recognise(file.bytes, file.path) == Recognition::No) {
    return FileError{file.path, FileProblem::Size, "Invalid file size"};
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
