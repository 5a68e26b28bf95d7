// The one way sprites leave the program in a chosen format: the window's Export and the converter
// both turn their sprites and options into files here, so they write the same bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileError.h"
#include "files/SpriteFormat.h"
#include "files/TextExport.h"
#include "model/SpriteAnimation.h"
#include "render/PngExport.h"

namespace kelvane {

// The output formats by the names the converter's --to takes. "spd" keeps a SpritePad file's own
// version; "spd1" and "spd5" ask for that version.
inline constexpr std::array<std::string_view, 16> kExportFormatIds{
    "spr",  "spd",  "spd1",    "spd5",   "spm", "prg", "bin",   "png",
    "acme", "ca65", "kickass", "64tass", "xa",  "c",   "basic", "gif"};

struct ExportRequest {
  std::string format = "acme";  // one of kExportFormatIds
  TextExportOptions text;       // its dialect is the format's
  PngExportOptions png;
  // An animation of the sprites: "gif" needs one, and "png" then draws its frames as a strip.
  std::optional<SpriteAnimation> animation;
  // A PRG's load address; absent: the sprites' own when they were read from a PRG, else $2000.
  std::optional<std::uint16_t> loadAddress;
};

bool IsExportFormat(std::string_view format);
bool IsTextFormat(std::string_view format);  // the assembler dialects, C and BASIC

// The format a file name asks for by its extension, in any letter case: .spr, .spd, .spm, .prg,
// .bin, .png, .gif, .asm (ACME), .s (ca65), .c and .h, .bas; nullopt for any other.
std::optional<std::string> ExportFormatForPath(std::string_view path);
// The extension an output of format is named with: ".asm", ".s" for ca65, ".spd" for every
// SpritePad version, and so on.
std::string_view ExportExtension(std::string_view format);

// Why request cannot export sprites (numbered from firstSprite), or "" when it can: options that
// do not fit together, a PRG that would run past the top of memory. A fault of the request, not
// of any file: the converter reports it as a usage error, the Export dialog before it writes.
std::string ExportProblem(const ExportRequest& request, const SpriteSet& sprites, int firstSprite);

// The files that hold sprites (numbered from firstSprite, for labels) in the requested format
// under path: one file, or a .spr and its .inf. A set read whole from a file in the same format
// keeps what that file held beyond its records (a SpritePad file's version and blocks, a PRG's
// load address), so writing it back reproduces the file. Shared colours: the set's, else those a
// new bank starts with. Refused, naming path, when ExportProblem is not empty or the format
// cannot hold the sprites.
Result<std::vector<FileImage>> ExportSprites(const SpriteSet& sprites, int firstSprite,
                                             const ExportRequest& request, const std::string& path);

}  // namespace kelvane
