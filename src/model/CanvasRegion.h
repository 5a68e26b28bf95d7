// A set of canvas columns, row by row, as bits. A row is one wide number whose highest bit is
// the canvas's leftmost column, so that the 24 bits of a sprite's row lie in it as the sprite's
// three bytes hold them: a row of a region is read or written a sprite row at a time.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "model/DocumentChange.h"

namespace kelvane {

// Canvas columns left to right - 1 of canvas row y.
struct CanvasRun {
  int y = 0;
  int left = 0;
  int right = 0;

  bool operator==(const CanvasRun&) const = default;
};

class CanvasRegion {
 public:
  using Word = std::uint64_t;
  static constexpr int kWordBits = 64;

  // Empty, for a canvas of width x height columns and rows.
  CanvasRegion(int width, int height)
      : width_(width),
        height_(height),
        words_((width + kWordBits - 1) / kWordBits),
        bits_(static_cast<std::size_t>(words_) * static_cast<std::size_t>(height)) {}

  // The columns of the sprite in grid column `column` in canvas rows y.. y + rows.size() - 1
  // (as RowColumns), into rows.
  void SpriteRows(int y, int column, std::span<RowColumns> rows) const {
    const auto [word, shift] = SpriteBits(column);
    for (RowColumns& columns : rows) {
      const Word* at = Row(y++) + word;
      Word bits = at[0] >> shift;
      if (shift > kWordBits - kHiresColumns) bits |= at[1] << (kWordBits - shift);
      columns = static_cast<RowColumns>(bits) & kEveryColumn;
    }
  }
  // Adds columnsOf(r) to those columns of canvas row y + r, for r from 0 to rows - 1.
  // ASSUMPTION: the rows lie on the canvas, and no columns have a bit above kEveryColumn.
  template <class ColumnsOf>
  void AddSpriteRows(int y, int column, int rows, ColumnsOf columnsOf) {
    const auto [word, shift] = SpriteBits(column);
    for (int r = 0; r < rows; ++r) {
      Word* at = Row(y + r) + word;
      const Word columns = columnsOf(r);
      at[0] |= columns << shift;
      if (shift > kWordBits - kHiresColumns) at[1] |= columns >> (kWordBits - shift);
    }
  }

  // Calls f with each run of columns of each row, top to bottom and left to right.
  template <class F>
  void ForEachRun(F&& f) const {
    for (int y = 0; y < height_; ++y) {
      const Word* row = Row(y);
      for (int bit = NextSet(row, 0, width_); bit < width_;) {
        const int end = NextClear(row, bit, width_);
        f(CanvasRun{y, width_ - end, width_ - bit});
        bit = NextSet(row, end, width_);
      }
    }
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Empty again.
  void Clear() { std::fill(bits_.begin(), bits_.end(), Word{0}); }

  // The bits of a row, its lowest bit the canvas's rightmost column: a column c is bit
  // Width() - 1 - c. Bits from Width() on are never set.
  Word* Row(int y) { return bits_.data() + static_cast<std::ptrdiff_t>(y) * words_; }
  const Word* Row(int y) const { return bits_.data() + static_cast<std::ptrdiff_t>(y) * words_; }

  static bool IsSet(const Word* row, int bit) {
    return ((row[bit / kWordBits] >> (bit % kWordBits)) & 1u) != 0;
  }
  // The first set or clear bit of row from `from` on, or end when none is before it.
  // ASSUMPTION: from <= end <= Width().
  static int NextSet(const Word* row, int from, int end) { return FirstOf(row, from, end, 0); }
  static int NextClear(const Word* row, int from, int end) {
    return FirstOf(row, from, end, ~Word{0});
  }
  // The lowest bit of the run of set bits that holds bit `bit`. ASSUMPTION: bit is set.
  static int RunStart(const Word* row, int bit) {
    int w = bit / kWordBits;
    // The clear bits below `bit`: the run starts above the highest of them.
    Word clear = ~row[w] & ((Word{1} << (bit % kWordBits)) - 1);
    while (clear == 0) {
      if (w == 0) return 0;
      clear = ~row[--w];
    }
    return w * kWordBits + kWordBits - std::countl_zero(clear);
  }
  // Sets or clears bits from..end - 1.
  static void SetBits(Word* row, int from, int end, bool set) {
    for (int w = from / kWordBits; w * kWordBits < end; ++w) {
      Word mask = ~Word{0};
      if (w == from / kWordBits) mask <<= from % kWordBits;
      if (end < (w + 1) * kWordBits) mask &= (Word{1} << (end % kWordBits)) - 1;
      row[w] = set ? row[w] | mask : row[w] & ~mask;
    }
  }

 private:
  // The word of a row that holds the lowest bit of the sprite in grid column `column`, and that
  // bit in the word.
  std::pair<int, int> SpriteBits(int column) const {
    const int low = width_ - kHiresColumns * (column + 1);
    return {low / kWordBits, low % kWordBits};
  }
  // The first bit from `from` on that is set in row ^ flip, or end.
  static int FirstOf(const Word* row, int from, int end, Word flip) {
    for (int w = from / kWordBits; w * kWordBits < end; ++w) {
      Word bits = row[w] ^ flip;
      if (w == from / kWordBits) bits &= ~Word{0} << (from % kWordBits);
      if (bits != 0) return std::min(end, w * kWordBits + std::countr_zero(bits));
    }
    return end;
  }

  int width_;
  int height_;
  int words_;
  std::vector<Word> bits_;
};

}  // namespace kelvane
