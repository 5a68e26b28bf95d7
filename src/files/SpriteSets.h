// Reading and saving sprite files through their formats, the way the window and the converter
// both do it.
#pragma once

#include <optional>
#include <string>

#include "files/FileError.h"
#include "files/FormatRegistry.h"
#include "model/SpriteDocument.h"

namespace kelvane {

// Reads path whole, and then each companion file its format names (a companion that is missing
// or cannot be read counts as absent), through the format that recognises the bytes. Refuses a
// file no format takes with FileProblem::Size.
Result<SpriteSet> ReadSpriteSet(const FormatRegistry& formats, const std::string& path);

// The first recordCount sprites of the document and its shared colours.
SpriteSet SpriteSetOf(const SpriteDocument& document, int recordCount);

// Writes set under path in format: every file it makes is replaced, or none.
std::optional<FileError> SaveSpriteSet(const SpriteFormat& format, const SpriteSet& set,
                                       const std::string& path);

}  // namespace kelvane
