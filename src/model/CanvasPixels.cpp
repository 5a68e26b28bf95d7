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

int CanvasPixels::PixelWidthInLayer(CanvasPoint p, int layer) const {
  const auto place = canvas_.Locate(p, layer);
  return place && IsMultiColour(bank_.Attribute(place->sprite)) ? 2 : 1;
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
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) {
    return PixelWidthInLayer(p, kLowerLayer);
  }
  if (editLayer_ == EditLayer::Upper) return PixelWidthInLayer(p, kUpperLayer);
  // A cell of an object with nothing over it has only its own pixels.
  if (!canvas_.Locate(p, kUpperLayer)) return PixelWidthInLayer(p, kLowerLayer);
  return std::min(PixelWidthInLayer(p, kLowerLayer), PixelWidthInLayer(p, kUpperLayer));
}

std::optional<std::uint8_t> CanvasPixels::PenAt(CanvasPoint p) const {
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) return PenInLayer(p, kLowerLayer);
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
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) return true;
  const bool upper = canvas_.Locate(p, kUpperLayer).has_value();
  if (editLayer_ == EditLayer::Upper) return upper;
  if (upper || pen == kTransparentPen) return true;
  return !PenWritesUpper(pen, IsMultiColour(bank_.Attribute(lower->sprite)));
}

void CanvasPixels::Plot(CanvasPoint p, std::uint8_t pen, bool erase) {
  // A sprite has pens 0-3; the upper one's own colour is its sprite colour pen.
  const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
  if (canvas_.Layers() < 2 || editLayer_ == EditLayer::Lower) {
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

// Sprite row `row` as one word, its leftmost column in bit kHiresColumns - 1.
std::uint32_t RowBits(std::span<const std::uint8_t, kSpriteBytes> sprite, int row) {
  const int i = kRowBytes * row;
  return static_cast<std::uint32_t>(sprite[i] << (2 * kBitsPerByte) |
                                    sprite[i + 1] << kBitsPerByte | sprite[i + 2]);
}

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
  if (canvas_.Layers() > 1 && editLayer_ != EditLayer::Lower) {
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
    if (canvas_.Layers() > 1 && editLayer_ != EditLayer::Lower) {
      const int width = PixelWidthAt({x, run.y});
      for (; x < spriteEnd; ++x) {
        if (x % width == 0) Plot({x, run.y}, pen, erase);
      }
      continue;
    }
    const auto sprite =
        Writable(canvas_.SpriteAt(kLowerLayer, spriteLeft / kHiresColumns, run.y / kSpriteRows));
    const int width = IsMultiColour(sprite[kAttributeOffset]) ? 2 : 1;
    // The pixels whose left columns lie in the run, in the sprite's own columns.
    const int pixel = ~(width - 1);  // a column to the left column of its pixel
    const int first = (x - spriteLeft + width - 1) & pixel;
    const int lastLeft = (spriteEnd - spriteLeft - 1) & pixel;
    x = spriteEnd;
    if (first > lastLeft) continue;
    const int row = run.y % kSpriteRows;
    const int covered = lastLeft + width - first;
    const std::uint32_t mask = ((1u << covered) - 1) << (kHiresColumns - lastLeft - width);
    // Every pixel the pen's bits (a bit pair repeated in multi-colour), or clear.
    constexpr std::uint32_t kEveryPair = 0x555555;
    constexpr std::uint32_t kEveryBit = 0xFFFFFF;
    const std::uint8_t own = pen == kUpperColourPen ? std::uint8_t{kSpriteColourPen} : pen;
    std::uint32_t pattern = 0;
    if (!erase) {
      if (width == 2)
        pattern = own * kEveryPair;
      else if (own != kTransparentPen)
        pattern = kEveryBit;
    }
    const std::uint32_t bits = (RowBits(sprite, row) & ~mask) | (pattern & mask);
    const int i = kRowBytes * row;
    sprite[i] = static_cast<std::uint8_t>(bits >> (2 * kBitsPerByte));
    sprite[i + 1] = static_cast<std::uint8_t>(bits >> kBitsPerByte);
    sprite[i + 2] = static_cast<std::uint8_t>(bits);
  }
}

}  // namespace kelvane
