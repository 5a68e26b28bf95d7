// What one document operation changed, reported to every view once the operation is done, so
// that a view redraws exactly what it shows of that.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "model/C64Format.h"
#include "model/SpriteCell.h"

namespace kelvane {

enum class Changed : unsigned {
  Nothing = 0,
  Sprites = 1u << 0,        // the bytes of sprites first..last, pixels or attribute byte
  SharedColours = 1u << 1,  // background, multi-colour 1 or multi-colour 2
  Selection = 1u << 2,      // CurrentSprite, and with it UpperHalf
  Pen = 1u << 3,            // CurrentPen
  Undo = 1u << 4,           // what Undo would restore, or whether its button is on
  Clipboard = 1u << 5,      // the sprite clipboard, or whether a range has been taken
  Modified = 1u << 6,       // whether the content differs from what was last loaded or saved
  Animations = 1u << 7,     // the list of animations
  Pairs = 1u << 8,          // the overlay distance: which sprite shows over one with the bit
  Objects = 1u << 9,        // the list of objects: added, renamed or removed
};

constexpr Changed operator|(Changed a, Changed b) {
  return static_cast<Changed>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr Changed& operator|=(Changed& a, Changed b) {
  return a = a | b;
}

// A rectangle of sprite cells, both corners included; empty when last is before first.
struct CellArea {
  SpriteCell first{0, 0};
  SpriteCell last{-1, -1};

  static constexpr CellArea Whole() { return {{0, 0}, {kHiresColumns - 1, kSpriteRows - 1}}; }
  constexpr bool Empty() const { return last.column < first.column || last.row < first.row; }
  constexpr void Add(SpriteCell cell) {
    if (Empty()) {
      first = last = cell;
      return;
    }
    first = {first.column < cell.column ? first.column : cell.column,
             first.row < cell.row ? first.row : cell.row};
    last = {last.column > cell.column ? last.column : cell.column,
            last.row > cell.row ? last.row : cell.row};
  }
  bool operator==(const CellArea&) const = default;
};

// The hi-res columns of a sprite row as its three bytes hold them: column 0 is the highest of 24
// bits.
using RowColumns = std::uint32_t;
constexpr RowColumns kEveryColumn = (RowColumns{1} << kHiresColumns) - 1;
// The lower bit of every bit pair: a multi-colour pixel's right column.
constexpr RowColumns kEveryPairLowBit = 0x555555;

// Sprite row `row` of sprite's pixel bytes, as its columns.
inline RowColumns SpriteRowColumns(std::span<const std::uint8_t, kSpriteBytes> sprite, int row) {
  const int i = kRowBytes * row;
  return static_cast<RowColumns>(sprite[i] << (2 * kBitsPerByte) | sprite[i + 1] << kBitsPerByte |
                                 sprite[i + 2]);
}

// The cells of one sprite that show differently after a change: those of each row, and the
// rectangle round them all.
struct SpriteCells {
  int sprite = 0;
  CellArea cells;
  std::array<RowColumns, kSpriteRows> rows{};

  // Calls f with each rectangle of changed cells, top to bottom and left to right: the runs of
  // columns in a row, as tall as the rows below it that change in the same columns. A line
  // across the sprite is then its own cells, a fill of all of it one rectangle, and the
  // rectangles are the rows of a region (no two of a row touch, and those of a row are as tall).
  template <class F>
  void ForEachRectangle(F&& f) const {
    for (int row = 0; row < kSpriteRows;) {
      const RowColumns columns = rows[static_cast<std::size_t>(row)];
      int last = row;
      while (last + 1 < kSpriteRows && rows[static_cast<std::size_t>(last + 1)] == columns) ++last;
      for (RowColumns left = columns; left != 0;) {
        const int first = std::countl_zero(left) - kSpareBits;
        const int width = std::countl_one(left << (first + kSpareBits));
        left &= kEveryColumn >> (first + width);
        f(CellArea{{first, row}, {first + width - 1, last}});
      }
      row = last + 1;
    }
  }

  bool operator==(const SpriteCells&) const = default;

 private:
  static constexpr int kSpareBits = std::numeric_limits<RowColumns>::digits - kHiresColumns;
};

struct DocumentChange {
  Changed what = Changed::Nothing;
  // With Changed::Sprites, the first and last sprite whose bytes differ; not every sprite between
  // them need have changed.
  int first = 0;
  int last = -1;
  // With Changed::Sprites, for each sprite whose bytes differ, in order, the cells that show
  // differently now: the whole sprite when its attribute byte changed, else the pixels whose
  // bits did.
  std::vector<SpriteCells> cells;

  constexpr bool Has(Changed kind) const {
    return (static_cast<unsigned>(what) & static_cast<unsigned>(kind)) != 0;
  }
  constexpr bool Empty() const { return what == Changed::Nothing; }
  constexpr bool TouchesSprite(int n) const {
    return Has(Changed::Sprites) && first <= n && n <= last;
  }
  // The cells of sprite n that changed; empty when none did.
  CellArea CellsOf(int n) const {
    for (const SpriteCells& entry : cells) {
      if (entry.sprite == n) return entry.cells;
    }
    return {};
  }

  bool operator==(const DocumentChange&) const = default;
};

}  // namespace kelvane
