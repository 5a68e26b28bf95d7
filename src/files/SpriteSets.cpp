#include "files/SpriteSets.h"

#include <algorithm>

#include "files/SafeFiles.h"

namespace kelvane {

Result<SpriteSet> ReadSpriteSet(const FormatRegistry& formats, const std::string& path) {
  Result<FileImage> file = ReadWholeFile(path, formats.MaxFileBytes());
  if (!file) return file.error();
  const SpriteFormat* format = formats.Recognise(file->bytes, path);
  if (format == nullptr) return FileError{path, FileProblem::Size, "Invalid file size"};
  std::vector<std::optional<FileImage>> companions;
  // Companions sit beside the real file, where saving through a link puts them.
  for (const std::string& companion : format->Companions(FileBehindLinks(path))) {
    Result<FileImage> read = ReadWholeFile(companion, formats.MaxFileBytes());
    companions.push_back(read ? std::optional(std::move(*read)) : std::nullopt);
  }
  return format->Read(*file, companions);
}

SpriteSet SpriteSetOf(const SpriteDocument& document, int recordCount) {
  SpriteSet set;
  const int count = std::clamp(recordCount, 0, kSpriteCount);
  for (int n = 0; n < count; ++n) set.records.push_back(document.Bank().Record(n));
  set.colours = document.Colours();
  return set;
}

std::optional<FileError> SaveSpriteSet(const SpriteFormat& format, const SpriteSet& set,
                                       const std::string& path) {
  Result<std::vector<FileImage>> files = format.Write(set, path);
  if (!files) return files.error();
  return SaveFiles(*files);
}

}  // namespace kelvane
