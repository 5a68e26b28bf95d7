// Codecs read files of any number of sprites; the bank holds 256. Whoever applies a SpriteSet
// to the bank asks here first, so that a larger file is refused as a whole and a later save
// can never silently drop the sprites that did not fit.
#pragma once

#include <optional>
#include <string>

#include "files/FileError.h"
#include "files/SpriteFormat.h"

namespace kelvane {

// FileProblem::TooManySprites naming path when set holds more records than the bank; for a
// sprite file, FileProblem::Size, "Invalid file size".
std::optional<FileError> CheckFitsBank(const SpriteSet& set, const std::string& path);

// FileProblem::Format naming path, "holds no sprites", when set holds no record at all: there is
// nothing in it to open or convert.
std::optional<FileError> CheckHoldsSprites(const SpriteSet& set, const std::string& path);

}  // namespace kelvane
