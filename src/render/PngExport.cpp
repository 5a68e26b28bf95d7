#include "render/PngExport.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cstring>

#include "model/EditorState.h"
#include "render/C64Palette.h"
#include "render/OverlayComposition.h"
#include "render/SheetScaleMark.h"

namespace kelvane {
namespace {

constexpr int kTransparentEntry = kColourCount;  // the entry after the 16 colours
// A new QImage takes its resolution from the screen, or a guess where there is none; the file
// records it. A fixed 72 dots per inch keeps the bytes the same with a display and without.
constexpr int kDotsPerMeter = 2835;

QList<QRgb> SheetColourTable() {
  QList<QRgb> table;
  for (int i = 0; i < kColourCount; ++i) table.append(PaletteRgb(i));
  table.append(qRgba(0, 0, 0, 0));
  return table;
}

// The palette index of each pen of sprite, as the VIC-II shows it.
std::array<std::uint8_t, kPenCount> SpritePens(std::uint8_t attribute,
                                               const SharedColours& colours) {
  const std::array<std::uint8_t, kPenCount> pens{
      colours[0], colours[1], static_cast<std::uint8_t>(SpriteColour(attribute)), colours[2]};
  std::array<std::uint8_t, kPenCount> indices{};
  for (int pen = 0; pen < kPenCount; ++pen) indices[pen] = pens[pen] & kColourIndexMask;
  return indices;
}

int XFactor(std::uint8_t attribute, const PngExportOptions& options) {
  return options.expand && (attribute & kExpandXFlag) ? 2 : 1;
}
int YFactor(std::uint8_t attribute, const PngExportOptions& options) {
  return options.expand && (attribute & kExpandYFlag) ? 2 : 1;
}

// The palette indices of row r of sprite, one a hi-res column: in multi-colour each bit pair
// covers two columns and picks a pen, in hi-res each bit picks the sprite's colour or none.
std::array<uchar, kHiresColumns> RowIndices(const SpriteRecord& sprite, int r,
                                            const std::array<std::uint8_t, kPenCount>& pens) {
  std::array<uchar, kHiresColumns> row{};
  const std::uint8_t* bytes = &sprite[r * kRowBytes];
  uchar* out = row.data();
  if (IsMultiColour(sprite[kAttributeOffset])) {
    for (int b = 0; b < kRowBytes; ++b) {
      for (int shift = kBitsPerByte - 2; shift >= 0; shift -= 2) {
        out[0] = out[1] = pens[(bytes[b] >> shift) & 3];
        out += 2;
      }
    }
  } else {
    const std::array<uchar, 2> hires{pens[kTransparentPen], pens[kSpriteColourPen]};
    for (int b = 0; b < kRowBytes; ++b) {
      for (int shift = kBitsPerByte - 1; shift >= 0; --shift)
        *out++ = hires[(bytes[b] >> shift) & 1];
    }
  }
  return row;
}

// Draws sprite at (left, top), with upper over it when there is one, in the sprite's size: each
// row is written into its first line and copied to the lines below it that it covers.
void DrawSprite(QImage& sheet, int left, int top, const SpriteRecord& sprite,
                const SpriteRecord* upper, const SharedColours& colours,
                const PngExportOptions& options) {
  const std::uint8_t attribute = sprite[kAttributeOffset];
  const std::array<std::uint8_t, kPenCount> pens = SpritePens(attribute, colours);
  const int width = options.scale * XFactor(attribute, options);
  const int height = options.scale * YFactor(attribute, options);
  const std::size_t lineBytes = static_cast<std::size_t>(kHiresColumns * width);
  ComposedSprite composed{};
  if (upper) composed = ComposePair(sprite, *upper, colours);
  for (int r = 0; r < kSpriteRows; ++r) {
    std::array<uchar, kHiresColumns> row = RowIndices(sprite, r, pens);
    if (upper) {
      for (int c = 0; c < kHiresColumns; ++c) row[c] = composed[r][c].colour;
    }
    uchar* const first = sheet.scanLine(top + r * height) + left;
    if (width == 1) {
      std::memcpy(first, row.data(), row.size());
    } else {
      for (int c = 0; c < kHiresColumns; ++c) std::fill_n(first + c * width, width, row[c]);
    }
    for (int y = 1; y < height; ++y) {
      std::memcpy(sheet.scanLine(top + r * height + y) + left, first, lineBytes);
    }
  }
}

// Cells and their size, in wide enough numbers for any count of sprites.
struct SheetLayout {
  std::int64_t columns = 1;
  std::int64_t rows = 1;
  std::int64_t cellWidth = 0;
  std::int64_t cellHeight = 0;
  bool expanded = false;

  std::int64_t Width() const { return columns * cellWidth; }
  std::int64_t Height() const { return rows * cellHeight; }
  // An indexed picture's lines start on 4-byte boundaries.
  std::int64_t Bytes() const { return (Width() + 3) / 4 * 4 * Height(); }
};

SheetLayout LayoutOf(std::span<const SpriteRecord> sprites, const PngExportOptions& options) {
  const auto count = static_cast<std::int64_t>(sprites.size());
  int xFactor = 1;
  int yFactor = 1;
  for (const SpriteRecord& sprite : sprites) {
    xFactor = std::max(xFactor, XFactor(sprite[kAttributeOffset], options));
    yFactor = std::max(yFactor, YFactor(sprite[kAttributeOffset], options));
  }
  SheetLayout layout;
  layout.columns = std::min<std::int64_t>(options.columns, count);
  layout.rows = (count + layout.columns - 1) / layout.columns;
  layout.cellWidth = std::int64_t{kHiresColumns} * options.scale * xFactor;
  layout.cellHeight = std::int64_t{kSpriteRows} * options.scale * yFactor;
  layout.expanded = xFactor > 1 || yFactor > 1;
  return layout;
}

}  // namespace

std::string PngExportProblem(const PngExportOptions& options,
                             std::span<const SpriteRecord> sprites) {
  if (sprites.empty()) return "there are no sprites to export";
  if (options.scale < 1 || options.scale > kMaxPngScale) {
    return "the scale must be from 1 to " + std::to_string(kMaxPngScale);
  }
  if (options.columns < 1 || options.columns > kSpriteCount) {
    return "the columns must be from 1 to " + std::to_string(kSpriteCount);
  }
  const SheetLayout layout = LayoutOf(sprites, options);
  const std::string sheet = "a sheet of " + std::to_string(layout.Width()) + " x " +
                            std::to_string(layout.Height()) + " pixels";
  const std::int64_t maxSide = std::min(kPngMaxSide, kPngWriterMaxSide);
  if (layout.Width() > maxSide || layout.Height() > maxSide) {
    return sheet + " is more than a PNG writer takes: at most " + std::to_string(maxSide) +
           " pixels a side";
  }
  constexpr std::int64_t kMiB = std::int64_t{1} << 20;
  if (layout.Bytes() > kMaxPngSheetBytes) {
    return sheet + " would take " + std::to_string((layout.Bytes() + kMiB - 1) / kMiB) +
           " MiB, more than the " + std::to_string(kMaxPngSheetBytes / kMiB) +
           " MiB a picture may take";
  }
  return "";
}

QImage RenderSpriteSheet(std::span<const SpriteRecord> sprites, const SharedColours& colours,
                         const PngExportOptions& options) {
  const int count = static_cast<int>(sprites.size());
  const SheetLayout layout = LayoutOf(sprites, options);
  const int columns = static_cast<int>(layout.columns);
  const int cellWidth = static_cast<int>(layout.cellWidth);
  const int cellHeight = static_cast<int>(layout.cellHeight);

  QImage sheet = NewSheet(static_cast<int>(layout.Width()), static_cast<int>(layout.Height()));
  if (sheet.isNull()) return sheet;  // no memory for it: ExportPng reports the failure
  for (int k = 0; k < count; ++k) {
    const auto upper =
        OverlayPartner(k, sprites[k][kAttributeOffset], count, options.overlayDistance);
    DrawSprite(sheet, (k % columns) * cellWidth, (k / columns) * cellHeight, sprites[k],
               upper ? &sprites[*upper] : nullptr, colours, options);
  }
  // Expanded cells are no sheet of 24 x 21 cells at any one scale: those are left unmarked.
  if (!layout.expanded) MarkSheetScale(sheet, options.scale);
  return sheet;
}

QImage NewSheet(int width, int height) {
  QImage sheet(width, height, QImage::Format_Indexed8);
  if (sheet.isNull()) return sheet;
  sheet.setColorTable(SheetColourTable());
  sheet.setDotsPerMeterX(kDotsPerMeter);
  sheet.setDotsPerMeterY(kDotsPerMeter);
  sheet.fill(kTransparentEntry);  // a new QImage holds whatever memory held
  return sheet;
}

void DrawSheetSprite(QImage& sheet, int left, int top, const SpriteRecord& sprite,
                     const SpriteRecord* upper, const SharedColours& colours,
                     const PngExportOptions& options) {
  DrawSprite(sheet, left, top, sprite, upper, colours, options);
}

std::vector<std::uint8_t> EncodePng(const QImage& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (sheet.isNull() || !writer.write(sheet)) return {};
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> ExportPng(std::span<const SpriteRecord> sprites,
                                    const SharedColours& colours, const PngExportOptions& options) {
  return EncodePng(RenderSpriteSheet(sprites, colours, options));
}

}  // namespace kelvane
