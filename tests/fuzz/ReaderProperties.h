// What every codec's reader must hold to for any bytes at all, checked by the fuzz targets.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "files/SpriteFormat.h"

namespace kelvane::fuzz {

// What a file that is read gives when written back unchanged: its very bytes, or, for a format
// of text whose spacing is its writer's choice, a file that reads the same and writes itself.
enum class WriteBack { SameBytes, SameSet };

// Recognising and reading bytes never crashes or reads past them; a refusal names the file and
// says why; a file that is read is recognised, and written back it gives what writeBack says.
// Aborts with a message when a property fails, which libFuzzer reports as a crash with its input.
void CheckReader(const SpriteFormat& codec, std::span<const std::uint8_t> bytes,
                 const std::string& path, WriteBack writeBack = WriteBack::SameBytes);

}  // namespace kelvane::fuzz
