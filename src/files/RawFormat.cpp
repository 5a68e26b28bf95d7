#include "files/RawFormat.h"

#include "files/FileExtension.h"
#include "files/RecordBytes.h"

namespace kelvane {

Recognition RawFormat::Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const {
  if (bytes.size() % kSpriteBytes != 0) return Recognition::No;
  return HasExtension(path, ".bin") ? Recognition::BySizeAndName : Recognition::BySize;
}

Result<SpriteSet> RawFormat::Read(const FileImage& file,
                                  std::span<const std::optional<FileImage>>) const {
  return ReadRaw(file.bytes, file.path);
}

Result<std::vector<FileImage>> RawFormat::Write(const SpriteSet& set,
                                                const std::string& path) const {
  return std::vector<FileImage>{{path, WriteRaw(set)}};
}

Result<SpriteSet> ReadRaw(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (bytes.size() % kSpriteBytes != 0) {
    return FileError{path, FileProblem::Format,
                     "is not raw sprite data: its " + std::to_string(bytes.size()) +
                         " bytes are not whole 64-byte sprites (" +
                         std::to_string(bytes.size() % kSpriteBytes) + " left over)"};
  }
  SpriteSet set;
  set.format = std::string(kRawId);
  set.records = SplitRecords(bytes);
  return set;
}

std::vector<std::uint8_t> WriteRaw(const SpriteSet& set) {
  std::vector<std::uint8_t> out;
  AppendRecords(out, set.records);
  return out;
}

}  // namespace kelvane
