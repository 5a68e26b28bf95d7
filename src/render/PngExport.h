// Sprites as a PNG picture: one sprite, or a sheet of them in rows of cells, in the palette's
// colours. The export dialog and the converter both write through ExportPng.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/SpriteFormat.h"
#include "model/OverlayPairs.h"
#include "model/SpriteBank.h"

namespace kelvane {

inline constexpr int kMaxPngScale = 16;
inline constexpr int kDefaultSheetColumns = 16;  // a whole bank is a square of 16 x 16 cells

struct PngExportOptions {
  int scale = 1;                       // every hi-res pixel becomes scale x scale
  int columns = kDefaultSheetColumns;  // cells a row; a sheet is never wider than its sprites
  bool expand = false;                 // draw expanded sprites twice as wide or tall
  // A sprite with the overlay bit shows the sprite this many places on (among those exported)
  // over it; a partner past the last exported sprite is not drawn, and 0 draws every one alone.
  int overlayDistance = kDefaultOverlayDistance;
  bool objects = false;  // a sheet of the objects composed, not of the sprites
};

// The largest sheet written, checked before anything is drawn. PNG records a side of up to
// 2^31 - 1 pixels, libpng writes one of up to 1,000,000 unless told otherwise, and QImage's own
// limits lie beyond both; the memory bound keeps a huge sheet from taking the machine's memory.
inline constexpr std::int64_t kPngMaxSide = 0x7FFFFFFF;
inline constexpr std::int64_t kPngWriterMaxSide = 1000000;
inline constexpr std::int64_t kMaxPngSheetBytes = std::int64_t{512} << 20;

// Why these options cannot export sprites, or "" when they can: options out of their range, or
// a sheet larger than a side PNG writers take or than the memory bound.
std::string PngExportProblem(const PngExportOptions& options,
                             std::span<const SpriteRecord> sprites);

// The sheet: cells left to right, then top to bottom, with no gap, sprite k in cell k. A cell is
// 24 x 21 pixels times the scale; with expand on, cells are twice as wide when any sprite of the
// sheet expands in X and twice as tall when any expands in Y, and each sprite sits at its
// cell's top left. Whatever a sprite does not cover, and cells past the last sprite, are
// transparent, so a reader can tell them from the background. Pixels are palette entries of
// an indexed picture: 0-15 the C64 colours, 16 transparent.
// ASSUMPTION: PngExportProblem is empty for these arguments.
QImage RenderSpriteSheet(std::span<const SpriteRecord> sprites, const SharedColours& colours,
                         const PngExportOptions& options);

// A sheet of width x height pixels in the palette, every pixel transparent, at the resolution
// every sheet records; null when there is no memory for it.
QImage NewSheet(int width, int height);
// sprite at (left, top) of sheet, in the options' scale (and expansion), with upper, when there
// is one, drawn over it.
void DrawSheetSprite(QImage& sheet, int left, int top, const SpriteRecord& sprite,
                     const SpriteRecord* upper, const SharedColours& colours,
                     const PngExportOptions& options);
// sheet as PNG bytes; empty if the encoder fails.
std::vector<std::uint8_t> EncodePng(const QImage& sheet);

// The sheet encoded as PNG, ready for the safe write; empty if the encoder fails (no memory).
// Needs no display: Qt's PNG codec is part
// of its GUI library's image code, not a platform plugin.
std::vector<std::uint8_t> ExportPng(std::span<const SpriteRecord> sprites,
                                    const SharedColours& colours, const PngExportOptions& options);

}  // namespace kelvane
