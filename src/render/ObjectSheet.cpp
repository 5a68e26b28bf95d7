#include "render/ObjectSheet.h"

#include <algorithm>
#include <cstring>

#include "model/OverlayPairs.h"

namespace kelvane {
namespace {

struct ObjectLayout {
  std::int64_t columns = 1;
  std::int64_t rows = 1;
  std::int64_t cellWidth = 0;   // the widest object's pixels
  std::int64_t cellHeight = 0;  // the tallest's

  std::int64_t Width() const { return columns * (cellWidth + kObjectSheetGap) - kObjectSheetGap; }
  std::int64_t Height() const { return rows * (cellHeight + kObjectSheetGap) - kObjectSheetGap; }
  std::int64_t Bytes() const { return (Width() + 3) / 4 * 4 * Height(); }  // lines of 4 bytes
};

ObjectLayout LayoutOf(const std::vector<SpriteObject>& objects, const PngExportOptions& options) {
  ObjectLayout layout;
  const auto count = static_cast<std::int64_t>(objects.size());
  layout.columns = std::min<std::int64_t>(options.columns, count);
  layout.rows = (count + layout.columns - 1) / layout.columns;
  for (const SpriteObject& object : objects) {
    layout.cellWidth =
        std::max<std::int64_t>(layout.cellWidth, std::int64_t{object.columns} * kHiresColumns);
    layout.cellHeight =
        std::max<std::int64_t>(layout.cellHeight, std::int64_t{object.rows} * kSpriteRows);
  }
  layout.cellWidth *= options.scale;
  layout.cellHeight *= options.scale;
  return layout;
}

PngExportOptions Unexpanded(PngExportOptions options) {
  options.expand = false;
  return options;
}

}  // namespace

std::string ObjectSheetProblem(const std::vector<SpriteObject>& objects,
                               std::span<const SpriteRecord> sprites,
                               const PngExportOptions& options) {
  if (objects.empty()) return "there are no objects to draw";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const SpriteObject& object = objects[i];
    if (object.columns < 1 || object.rows < 1 ||
        object.cells.size() != static_cast<std::size_t>(object.columns * object.rows)) {
      return "object " + std::to_string(i) + " is not a grid of sprites";
    }
    for (const int cell : object.cells) {
      if (cell < 0 || static_cast<std::size_t>(cell) >= sprites.size()) {
        return "object " + std::to_string(i) + " holds sprite " + std::to_string(cell) +
               ", which is not among the " + std::to_string(sprites.size()) + " sprites drawn";
      }
    }
  }
  if (options.scale < 1 || options.scale > kMaxPngScale) {
    return "the scale must be from 1 to " + std::to_string(kMaxPngScale);
  }
  if (options.columns < 1 || options.columns > kSpriteCount) {
    return "the columns must be from 1 to " + std::to_string(kSpriteCount);
  }
  const ObjectLayout layout = LayoutOf(objects, options);
  const std::int64_t maxSide = std::min(kPngMaxSide, kPngWriterMaxSide);
  if (layout.Width() > maxSide || layout.Height() > maxSide || layout.Bytes() > kMaxPngSheetBytes) {
    return "a sheet of " + std::to_string(layout.Width()) + " x " +
           std::to_string(layout.Height()) + " pixels is more than a picture may take";
  }
  return "";
}

void DrawObjectCell(QImage& sheet, int left, int top, const SpriteObject& object, int column,
                    int row, std::span<const SpriteRecord> sprites, const SharedColours& colours,
                    const PngExportOptions& options) {
  const int n = object.SpriteAt(column, row);
  const auto& record = sprites[static_cast<std::size_t>(n)];
  // A sprite with the overlay bit shows its partner over it, as on screen.
  const auto upper = OverlayPartner(n, record[kAttributeOffset], static_cast<int>(sprites.size()),
                                    options.overlayDistance);
  DrawSheetSprite(sheet, left, top, record,
                  upper ? &sprites[static_cast<std::size_t>(*upper)] : nullptr, colours, options);
}

QImage RenderObjectSheet(const std::vector<SpriteObject>& objects,
                         std::span<const SpriteRecord> sprites, const SharedColours& colours,
                         const PngExportOptions& options) {
  const ObjectLayout layout = LayoutOf(objects, options);
  QImage sheet = NewSheet(static_cast<int>(layout.Width()), static_cast<int>(layout.Height()));
  if (sheet.isNull()) return sheet;
  // The gaps between the cells, in the background colour.
  const int cellWidth = static_cast<int>(layout.cellWidth);
  const int cellHeight = static_cast<int>(layout.cellHeight);
  const auto background = static_cast<uchar>(colours[0] & kColourIndexMask);
  for (int y = 0; y < sheet.height(); ++y) {
    uchar* line = sheet.scanLine(y);
    if (y % (cellHeight + kObjectSheetGap) == cellHeight) {
      std::memset(line, background, static_cast<std::size_t>(sheet.width()));
      continue;
    }
    for (int x = cellWidth; x < sheet.width(); x += cellWidth + kObjectSheetGap) {
      line[x] = background;
    }
  }
  const PngExportOptions drawn = Unexpanded(options);
  const int spriteWidth = kHiresColumns * options.scale;
  const int spriteHeight = kSpriteRows * options.scale;
  const auto columns = static_cast<std::size_t>(layout.columns);
  for (std::size_t k = 0; k < objects.size(); ++k) {
    const int left = static_cast<int>(k % columns) * (cellWidth + kObjectSheetGap);
    const int top = static_cast<int>(k / columns) * (cellHeight + kObjectSheetGap);
    const SpriteObject& object = objects[k];
    for (int row = 0; row < object.rows; ++row) {
      for (int column = 0; column < object.columns; ++column) {
        DrawObjectCell(sheet, left + column * spriteWidth, top + row * spriteHeight, object, column,
                       row, sprites, colours, drawn);
      }
    }
  }
  return sheet;
}

std::vector<std::uint8_t> ExportObjectPng(const std::vector<SpriteObject>& objects,
                                          std::span<const SpriteRecord> sprites,
                                          const SharedColours& colours,
                                          const PngExportOptions& options) {
  return EncodePng(RenderObjectSheet(objects, sprites, colours, options));
}

}  // namespace kelvane
