#include "model/CanvasPixels.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/EditorState.h"
#include "model/PlotPixel.h"

namespace kelvane {
namespace {

constexpr int kLowerLayer = 0;
constexpr int kUpperLayer = 1;

}  // namespace

CanvasPixels::CanvasPixels(const SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), canvas_(canvas) {}

CanvasPixels::CanvasPixels(SpriteBank& bank, const SpriteCanvas& canvas)
    : bank_(bank), writable_(&bank), canvas_(canvas) {}

std::span<std::uint8_t, kSpriteBytes> CanvasPixels::Writable(int n) {
  if (originals_ && !kept_[static_cast<std::size_t>(n)]) {
    kept_.set(static_cast<std::size_t>(n));
    originals_->push_back({n, bank_.Record(n)});
  }
  return writable_->Sprite(n);
}

bool CanvasPixels::EditsLowerLayer() const {
  return canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower;
}

int CanvasPixels::PixelWidthInLayer(CanvasPoint p, int layer) const {
  // As Locate finds the sprite, without the cell: the tools and the grid ask this of each pixel.
  if (!canvas_.Contains(p) || layer < 0 || layer >= canvas_.Layers()) return 1;
  const int sprite = canvas_.SpriteAt(layer, p.x / kHiresColumns, p.y / kSpriteRows);
  return sprite != kNoSprite && IsMultiColour(bank_.Attribute(sprite)) ? 2 : 1;
}

std::optional<std::uint8_t> CanvasPixels::PenInLayer(CanvasPoint p, int layer) const {
  const auto place = canvas_.Locate(p, layer);
  if (!place) return std::nullopt;
  const auto sprite = bank_.Sprite(place->sprite);
  const std::uint8_t byte = sprite[kRowBytes * place->cell.row + place->cell.column / kBitsPerByte];
  const int column = place->cell.column % kBitsPerByte;
  if (IsMultiColour(sprite[kAttributeOffset])) {
    return static_cast<std::uint8_t>((byte >> ((3 - column / 2) * 2)) & 3u);
  }
  return (byte >> (7 - column)) & 1u ? kSpriteColourPen : kTransparentPen;
}

void CanvasPixels::PlotInLayer(CanvasPoint p, std::uint8_t pen, bool erase, int layer) {
  const auto place = canvas_.Locate(p, layer);
  if (!place) return;
  PlotPixel(Writable(place->sprite), place->cell, pen, erase);
}

int CanvasPixels::PixelWidthAt(CanvasPoint p) const {
  if (EditsLowerLayer()) {
    return PixelWidthInLayer(p, kLowerLayer);
  }
  if (editLayer_ == EditLayer::Upper) return PixelWidthInLayer(p, kUpperLayer);
  // A cell of an object with nothing over it has only its own pixels.
  if (!canvas_.Locate(p, kUpperLayer)) return PixelWidthInLayer(p, kLowerLayer);
  return std::min(PixelWidthInLayer(p, kLowerLayer), PixelWidthInLayer(p, kUpperLayer));
}

std::optional<std::uint8_t> CanvasPixels::PenAt(CanvasPoint p) const {
  if (EditsLowerLayer()) return PenInLayer(p, kLowerLayer);
  const auto upper = PenInLayer(p, kUpperLayer);
  // The upper sprite's own colour is a pen of its own beside the lower sprite's.
  const auto upperPen = [&] {
    return *upper == kSpriteColourPen ? kUpperColourPen : std::uint8_t{*upper};
  };
  // Off the canvas, or a cell with nothing over it: there the upper layer has no pixels to
  // edit, and by colour the lower sprite's show.
  if (!upper) return editLayer_ == EditLayer::Upper ? upper : PenInLayer(p, kLowerLayer);
  if (editLayer_ == EditLayer::Upper || *upper != kTransparentPen) return upperPen();
  return PenInLayer(p, kLowerLayer);
}

bool CanvasPixels::Writes(CanvasPoint p, std::uint8_t pen) const {
  const auto lower = canvas_.Locate(p, kLowerLayer);
  if (!lower) return false;
  if (EditsLowerLayer()) return true;
  const bool upper = canvas_.Locate(p, kUpperLayer).has_value();
  if (editLayer_ == EditLayer::Upper) return upper;
  if (upper || pen == kTransparentPen) return true;
  return !PenWritesUpper(pen, IsMultiColour(bank_.Attribute(lower->sprite)));
}

void CanvasPixels::Plot(CanvasPoint p, std::uint8_t pen, bool erase) {
  // A sprite has pens 0-3; the upper one's own colour is its sprite colour pen.
  const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
  if (EditsLowerLayer()) {
    PlotInLayer(p, own, erase, kLowerLayer);
    return;
  }
  if (editLayer_ == EditLayer::Upper) {
    PlotInLayer(p, own, erase, kUpperLayer);
    return;
  }
  if (erase || pen == kTransparentPen) {
    PlotInLayer(p, kTransparentPen, true, kLowerLayer);
    PlotInLayer(p, kTransparentPen, true, kUpperLayer);
    return;
  }
  const auto lower = canvas_.Locate(p, kLowerLayer);
  if (!lower) return;
  if (PenWritesUpper(pen, IsMultiColour(bank_.Attribute(lower->sprite)))) {
    PlotInLayer(p, own, false, kUpperLayer);
    return;
  }
  PlotInLayer(p, own, false, kLowerLayer);
  // The whole of the lower pixel shows: the upper pixels over any of its columns go.
  const int width = PixelWidthInLayer(p, kLowerLayer);
  const int left = p.x - p.x % width;
  for (int x = left; x < left + width; ++x)
    PlotInLayer({x, p.y}, kTransparentPen, true, kUpperLayer);
}

namespace {

// A multi-colour pixel's left column: the higher bit of each pair.
constexpr RowColumns kEveryLeftColumn = kEveryPairLowBit << 1;

// The columns of a sprite's rows whose pixels have one pen: those whose bits equal the pen's
// (for pen 0 of a hi-res sprite, the clear bits), and in multi-colour both bits of a pixel.
class PenColumns {
 public:
  PenColumns(std::uint8_t pen, bool multiColour) : multiColour_(multiColour) {
    if (multiColour) {
      none_ = pen > kMultiColour2Pen;
      pattern_ = pen * kEveryPairLowBit;
    } else {
      none_ = pen != kSpriteColourPen && pen != kTransparentPen;
      pattern_ = pen == kSpriteColourPen ? kEveryColumn : 0;
    }
  }
  RowColumns Of(std::uint32_t bits) const {
    if (none_) return 0;
    const std::uint32_t alike = ~(bits ^ pattern_) & kEveryColumn;
    if (!multiColour_) return alike;
    const std::uint32_t pixels = alike & (alike >> 1) & kEveryPairLowBit;
    return pixels | pixels << 1;
  }

 private:
  bool multiColour_;
  bool none_;
  std::uint32_t pattern_;
};

// How a pen writes a sprite's rows, in the sprite's own mode, as Plot does: the pixels whose
// left columns are among a row's columns take the pen's bits, or are cleared when erasing.
class RowWriter {
 public:
  RowWriter(std::span<std::uint8_t, kSpriteBytes> sprite, std::uint8_t pen, bool erase)
      : sprite_(sprite), multiColour_(IsMultiColour(sprite[kAttributeOffset])) {
    // A sprite has pens 0-3; the upper one's own colour is its sprite colour pen.
    const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
    if (!erase) {
      if (multiColour_)
        pattern_ = own * kEveryPairLowBit;
      else if (own != kTransparentPen)
        pattern_ = kEveryColumn;
    }
  }
  // Every pixel of the sprite, as a fill of a whole sprite writes it: the pattern row by row,
  // without reading the rows first.
  void WriteAll() const {
    for (int i = 0; i < kPixelBytes; i += kRowBytes) {
      sprite_[i] = static_cast<std::uint8_t>(pattern_ >> (2 * kBitsPerByte));
      sprite_[i + 1] = static_cast<std::uint8_t>(pattern_ >> kBitsPerByte);
      sprite_[i + 2] = static_cast<std::uint8_t>(pattern_);
    }
  }
  void Write(int row, RowColumns columns) const {
    // A multi-colour pixel's left column is the higher bit of its pair.
    const RowColumns mask =
        multiColour_ ? (columns & kEveryLeftColumn) | (columns & kEveryLeftColumn) >> 1 : columns;
    if (mask == 0) return;
    const std::uint32_t bits = (SpriteRowColumns(sprite_, row) & ~mask) | (pattern_ & mask);
    const int i = kRowBytes * row;
    sprite_[i] = static_cast<std::uint8_t>(bits >> (2 * kBitsPerByte));
    sprite_[i + 1] = static_cast<std::uint8_t>(bits >> kBitsPerByte);
    sprite_[i + 2] = static_cast<std::uint8_t>(bits);
  }

 private:
  std::span<std::uint8_t, kSpriteBytes> sprite_;
  bool multiColour_;
  std::uint32_t pattern_ = 0;
};

// The pens of the eight columns of every pixel byte, in both modes: a byte becomes one copy.
using BytePens = std::array<std::array<std::uint8_t, kBitsPerByte>, 1 << kBitsPerByte>;
BytePens PensOfBytes(bool multiColour) {
  BytePens table{};
  for (unsigned byte = 0; byte < table.size(); ++byte) {
    for (int x = 0; x < kBitsPerByte; ++x) {
      table[byte][x] = multiColour ? static_cast<std::uint8_t>((byte >> (6 - x / 2 * 2)) & 3u)
                       : (byte >> (7 - x)) & 1u ? std::uint8_t{kSpriteColourPen}
                                                : std::uint8_t{kTransparentPen};
    }
  }
  return table;
}

}  // namespace

void CanvasPixels::RowPens(int y, std::span<std::uint8_t> pens) const {
  // Two layers by colour mix both sprites pixel by pixel; they are seldom large.
  if (!EditsLowerLayer()) {
    for (int x = 0; x < canvas_.Width(); ++x) {
      pens[static_cast<std::size_t>(x)] = PenAt({x, y}).value_or(kNoPixelPen);
    }
    return;
  }
  static const BytePens kHires = PensOfBytes(false);
  static const BytePens kMulti = PensOfBytes(true);
  const int row = kRowBytes * (y % kSpriteRows);
  std::uint8_t* out = pens.data();
  for (int column = 0; column < canvas_.Columns(); ++column) {
    const auto sprite = bank_.Sprite(canvas_.SpriteAt(kLowerLayer, column, y / kSpriteRows));
    const BytePens& table = IsMultiColour(sprite[kAttributeOffset]) ? kMulti : kHires;
    for (int b = 0; b < kRowBytes; ++b, out += kBitsPerByte) {
      std::memcpy(out, table[sprite[row + b]].data(), kBitsPerByte);
    }
  }
}

void CanvasPixels::PlotRun(CanvasRun run, std::uint8_t pen, bool erase) {
  const int right = std::min(run.right, canvas_.Width());
  // Sprite by sprite: each sprite's pixels of the run are written as one masked row.
  for (int x = std::max(run.left, 0); x < right;) {
    const int spriteLeft = x - x % kHiresColumns;
    const int spriteEnd = std::min(right, spriteLeft + kHiresColumns);
    if (!EditsLowerLayer()) {
      const int width = PixelWidthAt({x, run.y});
      for (; x < spriteEnd; ++x) {
        if (x % width == 0) Plot({x, run.y}, pen, erase);
      }
      continue;
    }
    const auto sprite =
        Writable(canvas_.SpriteAt(kLowerLayer, spriteLeft / kHiresColumns, run.y / kSpriteRows));
    const RowColumns columns =
        (kEveryColumn >> (x - spriteLeft)) & ~(kEveryColumn >> (spriteEnd - spriteLeft));
    x = spriteEnd;
    RowWriter(sprite, pen, erase).Write(run.y % kSpriteRows, columns);
  }
}

CanvasRegion CanvasPixels::ColumnsOfPen(std::uint8_t pen) const {
  CanvasRegion columns(canvas_.Width(), canvas_.Height());
  if (!EditsLowerLayer()) {
    std::vector<std::uint8_t> pens(static_cast<std::size_t>(canvas_.Width()));
    for (int y = 0; y < canvas_.Height(); ++y) {
      RowPens(y, pens);
      for (int x = 0; x < canvas_.Width(); ++x) {
        if (pens[static_cast<std::size_t>(x)] == pen) {
          CanvasRegion::SetBits(columns.Row(y), canvas_.Width() - 1 - x, canvas_.Width() - x, true);
        }
      }
    }
    return columns;
  }
  for (int row = 0; row < canvas_.Rows(); ++row) {
    for (int column = 0; column < canvas_.Columns(); ++column) {
      const auto sprite = bank_.Sprite(canvas_.SpriteAt(kLowerLayer, column, row));
      const PenColumns of(pen, IsMultiColour(sprite[kAttributeOffset]));
      columns.AddSpriteRows(row * kSpriteRows, column, kSpriteRows,
                            [&](int r) { return of.Of(SpriteRowColumns(sprite, r)); });
    }
  }
  return columns;
}

void CanvasPixels::PlotRegion(const CanvasRegion& region, std::uint8_t pen, bool erase) {
  if (!EditsLowerLayer()) {
    region.ForEachRun([&](CanvasRun run) { PlotRun(run, pen, erase); });
    return;
  }
  for (int row = 0; row < canvas_.Rows(); ++row) {
    for (int column = 0; column < canvas_.Columns(); ++column) {
      std::array<RowColumns, kSpriteRows> rows{};
      region.SpriteRows(row * kSpriteRows, column, rows);
      // A sprite the region misses is not written, nor kept as it was.
      if (std::ranges::all_of(rows, [](RowColumns columns) { return columns == 0; })) continue;
      const RowWriter writer(Writable(canvas_.SpriteAt(kLowerLayer, column, row)), pen, erase);
      if (std::ranges::all_of(rows, [](RowColumns columns) { return columns == kEveryColumn; })) {
        writer.WriteAll();
        continue;
      }
      for (int r = 0; r < kSpriteRows; ++r) writer.Write(r, rows[static_cast<std::size_t>(r)]);
    }
  }
}

}  // namespace kelvane
