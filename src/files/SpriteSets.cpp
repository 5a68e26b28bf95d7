#include "files/SpriteSets.h"

#include <algorithm>

#include "files/LittleEndian.h"
#include "files/PrgFormat.h"
#include "files/SpritePadPart.h"

namespace kelvane {

Result<SpriteSet> ReadSpriteSet(const FormatRegistry& formats, const std::string& path) {
  Result<FileImage> file = ReadWholeFile(path, formats.MaxFileBytes());
  if (!file) return file.error();
  return ReadSpriteFile(formats, *file);
}

Result<SpriteSet> ReadSpriteFile(const FormatRegistry& formats, const FileImage& file,
                                 const std::vector<std::string>& alsoRead) {
  if (file.bytes.size() > formats.MaxFileBytes()) {
    return FileError{file.path, FileProblem::Size, kInvalidFileSizeReason};
  }
  const SpriteFormat* format = formats.Recognise(file.bytes, file.path);
  if (format == nullptr) return UnknownFileError(formats, file.path, alsoRead);
  return ReadSpriteSetAs(*format, file, formats.MaxFileBytes());
}

FileError UnknownFileError(const FormatRegistry& formats, const std::string& path,
                           const std::vector<std::string>& alsoRead) {
  // A name that promises one of the formats gets the old answer: its size does not add up.
  if (formats.NamedFor(path)) return FileError{path, FileProblem::Size, kInvalidFileSizeReason};
  std::vector<std::string> known = formats.FormatFilters();
  known.insert(known.end(), alsoRead.begin(), alsoRead.end());
  std::string list;
  for (std::size_t i = 0; i < known.size(); ++i) {
    if (i > 0) list += i + 1 == known.size() ? " or " : ", ";
    list += known[i];
  }
  return FileError{path, FileProblem::Format,
                   "is not a sprite file of any format Kelvane reads: " + list};
}

Result<SpriteSet> ReadSpriteSetAs(const SpriteFormat& format, const FileImage& file,
                                  std::size_t maxCompanionBytes) {
  std::vector<std::optional<FileImage>> companions;
  // Companions sit beside the real file, where saving through a link puts them.
  for (const std::string& companion : format.Companions(FileBehindLinks(file.path))) {
    Result<FileImage> read = ReadWholeFile(companion, maxCompanionBytes);
    companions.push_back(read ? std::optional(std::move(*read)) : std::nullopt);
  }
  Result<SpriteSet> set = format.Read(file, companions);
  // The colour registers have four bits; the rest of a stored byte is whatever its writer left.
  if (set && set->colours) {
    for (std::uint8_t& colour : *set->colours) colour &= kColourIndexMask;
  }
  return set;
}

SpriteSet PartOf(const SpriteSet& set, std::size_t first, std::size_t count) {
  if (first == 0 && count == set.records.size()) return set;
  if (auto spritePad = SpritePadPartOf(set, first, count)) return *std::move(spritePad);
  SpriteSet part;
  const auto from = set.records.begin() + static_cast<std::ptrdiff_t>(first);
  part.records.assign(from, from + static_cast<std::ptrdiff_t>(count));
  part.colours = set.colours;
  if (set.format == kPrgId && set.details.loadAddress) {
    const std::size_t address = *set.details.loadAddress + first * kSpriteBytes;
    part.format = set.format;
    if (address < kPrgAddressSpace) {
      part.details.loadAddress = static_cast<std::uint16_t>(address);
    }
  }
  return part;
}

SpriteSet SpriteSetOf(const SpriteDocument& document, int recordCount) {
  SpriteSet set;
  const int count = std::clamp(recordCount, 0, kSpriteCount);
  for (int n = 0; n < count; ++n) set.records.push_back(document.Bank().Record(n));
  set.colours = document.Colours();
  set.objects = document.Objects();
  return set;
}

std::optional<int> FirstChangedPast(const SpriteBank& now, const SpriteBank& saved,
                                    int recordCount) {
  for (int n = std::max(recordCount, 0); n < kSpriteCount; ++n) {
    if (!std::ranges::equal(now.Sprite(n), saved.Sprite(n))) return n;
  }
  return std::nullopt;
}

std::optional<FileError> SaveSpriteSet(const SpriteFormat& format, const SpriteSet& set,
                                       const std::string& path, const ReplaceCheck& check) {
  Result<std::vector<FileImage>> files = format.Write(set, path);
  if (!files) return files.error();
  // Loaded, a PRG past $FFFF would wrap round into zero page and the stack; Export refuses it
  // too. The codec itself still gives back any file it read.
  if (format.Id() == kPrgId) {
    const std::vector<std::uint8_t>& bytes = files->front().bytes;
    const std::string problem =
        PrgPastMemoryProblem(LittleEndian16(bytes[0], bytes[1]), set.records.size(),
                             bytes.size() - kPrgLoadAddressBytes);
    if (!problem.empty()) {
      return FileError{path, FileProblem::Format, "cannot be saved: " + problem};
    }
  }
  return SaveFiles(*files, check);
}

}  // namespace kelvane
