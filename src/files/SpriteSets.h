// Reading and saving sprite files through their formats, the way the window and the converter
// both do it.
#pragma once

#include <optional>
#include <string>

#include "files/FileError.h"
#include "files/FormatRegistry.h"
#include "files/SafeFiles.h"
#include "model/SpriteDocument.h"

namespace kelvane {

// Reads path whole, and then each companion file its format names (a companion that is missing
// or cannot be read counts as absent), through the format that recognises the bytes. Refuses a
// file no format takes: one named as a format's with FileProblem::Size, since its size does not
// add up, any other with UnknownFileError. Shared colours keep their low four bits, all the
// machine reads of them, as the editor takes them.
Result<SpriteSet> ReadSpriteSet(const FormatRegistry& formats, const std::string& path);
// The same for a file already read whole; alsoRead as for UnknownFileError.
Result<SpriteSet> ReadSpriteFile(const FormatRegistry& formats, const FileImage& file,
                                 const std::vector<std::string>& alsoRead = {});

// A file that none of the formats takes: its path and every format the reader knows, by name
// and patterns, with alsoRead ("PNG sprite sheet (*.png)") after them.
FileError UnknownFileError(const FormatRegistry& formats, const std::string& path,
                           const std::vector<std::string>& alsoRead = {});
// The same for a file already read, in the given format whatever its bytes look like.
Result<SpriteSet> ReadSpriteSetAs(const SpriteFormat& format, const FileImage& file,
                                  std::size_t maxCompanionBytes);

// count records of set from record first on. The whole set stays as it is. A SpritePad file's
// part keeps its version and those animations and tiles that lie inside it (SpritePadPartOf);
// a part of any other file is a new set with the same colours, since what the file held beyond
// the records (a short last record) belongs to the whole. A PRG's part keeps the address its
// first record loaded at.
// ASSUMPTION: 0 <= first, count and first + count <= set.records.size().
SpriteSet PartOf(const SpriteSet& set, std::size_t first, std::size_t count);

// The first recordCount sprites of the document, its shared colours and its objects.
SpriteSet SpriteSetOf(const SpriteDocument& document, int recordCount);

// What a file of recordCount records could not keep of the bank now: the first sprite past them
// that differs from saved, the bank as the file was last opened or saved; none if none does.
std::optional<int> FirstChangedPast(const SpriteBank& now, const SpriteBank& saved,
                                    int recordCount);

// Writes set under path in format: every file it makes is replaced, or none.
std::optional<FileError> SaveSpriteSet(const SpriteFormat& format, const SpriteSet& set,
                                       const std::string& path, const ReplaceCheck& check = {});

}  // namespace kelvane
