// The text export of one sprite: its pixel bytes as comma-separated decimals on one line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/C64Format.h"

namespace kelvane {

inline constexpr const char* kTextDataFileName = "spritedata.txt";

// The 63 pixel bytes, "%d," for all but the last; no blank, no line end, no attribute byte.
std::string SpriteTextData(std::span<const std::uint8_t, kSpriteBytes> sprite);

// Creates or empties path and writes text. Refuses to follow a symbolic link or to write into
// anything but a regular file, so a planted link or FIFO is never written through. The caller
// keeps the file in a folder only this user can write.
bool WriteTextDataFile(const std::string& path, std::string_view text);

}  // namespace kelvane
