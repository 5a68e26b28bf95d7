// Objects as a PNG picture: each object's sprites composed into one figure, the figures in rows
// with a pixel of the background colour between them. The export dialog and the converter both
// write through ExportObjectPng.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "model/SpriteObject.h"
#include "render/PngExport.h"

namespace kelvane {

inline constexpr int kObjectSheetGap = 1;  // pixels of background between objects

// Why objects cannot be drawn from sprites with these options, or "" when they can: no objects,
// an object naming a sprite that is not there, options out of range, or too large a sheet.
std::string ObjectSheetProblem(const std::vector<SpriteObject>& objects,
                               std::span<const SpriteRecord> sprites,
                               const PngExportOptions& options);

// Cell (column, row) of object, drawn with its top-left corner at (left, top) of sheet. Every
// cell of every object is drawn here and nowhere else.
void DrawObjectCell(QImage& sheet, int left, int top, const SpriteObject& object, int column,
                    int row, std::span<const SpriteRecord> sprites, const SharedColours& colours,
                    const PngExportOptions& options);

// The sheet: objects left to right in rows of options.columns, each at the top left of a cell
// as large as the largest object, cells kObjectSheetGap apart in the background colour. What no
// object covers inside a cell is transparent. Multi-colour pixels are two pixels wide, as the
// machine shows them; expansion is not drawn. Palette as RenderSpriteSheet's.
// ASSUMPTION: ObjectSheetProblem is empty for these arguments.
QImage RenderObjectSheet(const std::vector<SpriteObject>& objects,
                         std::span<const SpriteRecord> sprites, const SharedColours& colours,
                         const PngExportOptions& options);

// The sheet encoded as PNG; empty if the encoder fails.
std::vector<std::uint8_t> ExportObjectPng(const std::vector<SpriteObject>& objects,
                                          std::span<const SpriteRecord> sprites,
                                          const SharedColours& colours,
                                          const PngExportOptions& options);

}  // namespace kelvane
