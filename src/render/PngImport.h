// Sprites read back from a picture laid out as a sheet of 24 x 21 cells, such as ExportPng
// writes or a paint program leaves.
#pragma once

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "files/FileError.h"
#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kPngFormatId = "png";
inline constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P',  'N',  'G',
                                                           '\r', '\n', 0x1A, '\n'};
// Sheets far larger than a bank at the largest scale are not sprite sheets.
inline constexpr std::size_t kMaxPngFileBytes = std::size_t{64} << 20;

// Whether bytes start as every PNG file does: the content, not the name, says it is a picture.
bool HasPngSignature(std::span<const std::uint8_t> bytes);

struct PngImportOptions {
  // The converter's --colours, or the program's current ones; absent: taken from the sheet.
  std::optional<SharedColours> colours;
  // Picture pixels per hi-res pixel; absent: the scale the sheet is marked with where it fits
  // (ExportPng marks its sheets), else the largest scale that divides the sheet into whole cells
  // and at which every scale x scale block is one colour. An unmarked sheet whose drawing is
  // coarser than its scale everywhere (a blank one) reads at the coarser scale: give it.
  std::optional<int> scale;
};

// Cells are read left to right, then top to bottom; cells past the last one that is not wholly
// transparent are not sprites. Each pixel becomes the nearest palette colour (by RGB distance,
// the lower number on a tie); a pixel less than half opaque is background.
//
// The shared colours, when not given: the background is the sheet's most frequent colour, or,
// when transparent pixels outnumber it, blue (6) for a sheet drawn on transparency; multi-colour
// 1 and 2 are the two most frequent other colours in the multi-colour cells, the more frequent
// first (white 1 and black 0 stand in for any not found).
//
// A cell is multi-colour when every row is made of double-wide pixels; its sprite colour is its
// one colour besides the shared ones (grey, 12, when it has none). Otherwise it is hi-res: the
// background and one sprite colour. So a hi-res sprite whose pixels all come in equal pairs
// reads back as multi-colour: the same picture, in other bytes. Bits 4-6 of the attribute byte
// are not in a picture and come back 0.
//
// Refused, naming path and, where it is one cell's fault, the cell and the pixel: not a PNG, a
// size that is not whole cells, blocks of more than one colour at the given scale, a cell with
// more colours than its mode can show, no sprite at all.
Result<SpriteSet> ImportPng(const FileImage& file, const PngImportOptions& options);
Result<SpriteSet> ImportSpriteSheet(const QImage& sheet, const std::string& path,
                                    const PngImportOptions& options);

}  // namespace kelvane
