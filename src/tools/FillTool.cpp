#include "tools/FillTool.h"

#include <bit>

#include "tools/PixelGrid.h"

namespace kelvane {

namespace {

using Word = CanvasRegion::Word;

// The runs of set bits of open that hold a bit of seeds, which open holds too, a run at a time:
// from its lowest seed up to its top by a carry through it, and down to the set bit of ~open
// below the seed.
Word RunsOf(Word seeds, Word open) {
  Word runs = 0;
  while (seeds != 0) {
    const Word seed = seeds & (~seeds + 1);
    const Word up = ((open + seed) ^ open) & open;
    const Word closed = ~open & (seed - 1);
    const Word down = closed == 0 ? seed - 1 : (seed - 1) & ~((std::bit_floor(closed) << 1) - 1);
    runs |= up | down;
    seeds &= ~runs;
  }
  return runs;
}

// Row y's part of the region grows by whole runs of the pen from the bits of the part of the
// row beside it; whether it grew.
bool GrowFrom(Word* region, const Word* open, int y, int beside) {
  const Word seeds = region[beside] & open[y] & ~region[y];
  if (seeds == 0) return false;
  region[y] |= RunsOf(seeds, open[y]);
  return true;
}

// Row y's part of the region grows by the whole runs of the pen, across the words of the row,
// that hold a bit of the part of the row beside it; whether it grew.
bool GrowWideFrom(CanvasRegion& region, const CanvasRegion& open, int y, int beside) {
  const int width = region.Width();
  Word* const part = region.Row(y);
  const Word* const pen = open.Row(y);
  const Word* const from = region.Row(beside);
  bool grew = false;
  for (int w = 0; w * CanvasRegion::kWordBits < width; ++w) {
    // A run taken may reach into the words after this one: their seeds in it are then spent.
    for (Word seeds = from[w] & pen[w] & ~part[w]; seeds != 0; seeds &= ~part[w]) {
      const int bit = w * CanvasRegion::kWordBits + std::countr_zero(seeds);
      CanvasRegion::SetBits(part, CanvasRegion::RunStart(pen, bit),
                            CanvasRegion::NextClear(pen, bit, width), true);
      grew = true;
    }
  }
  return grew;
}

// Sweeps down and up the rows, each row growing from the one it was reached from, until a
// sweep adds nothing. After a sweep down every row holds what the row above gives it, and after
// one up what the row below gives it: when the next sweep adds nothing, both hold. A region that
// does not wind back on itself is whole after one sweep each way.
template <class Grow>
void Sweep(int height, Grow grow) {
  const auto down = [&] {
    bool grew = false;
    for (int y = 1; y < height; ++y) grew |= grow(y, y - 1);
    return grew;
  };
  const auto up = [&] {
    bool grew = false;
    for (int y = height - 2; y >= 0; --y) grew |= grow(y, y + 1);
    return grew;
  };
  down();  // the rows above the start are reached only on the way up
  while (up() && down()) {
  }
}

}  // namespace

CanvasRegion FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const int width = canvas.Width();
  const int height = canvas.Height();
  CanvasRegion region(width, height);
  const auto pen = pixels.PenAt(start);
  if (!pen) return region;
  // The flood works on the rows' bits, where left and right are swapped.
  const int bit = width - 1 - start.x;
  const CanvasRegion open = pixels.ColumnsOfPen(*pen);
  if (width <= CanvasRegion::kWordBits) {
    // Rows of one word: a row's runs are found for all of its seeds at once.
    Word* const part = region.Row(0);
    const Word* const ofPen = open.Row(0);
    part[start.y] = RunsOf(Word{1} << bit, ofPen[start.y]);
    Sweep(height, [&](int y, int beside) { return GrowFrom(part, ofPen, y, beside); });
    return region;
  }
  CanvasRegion::SetBits(region.Row(start.y), CanvasRegion::RunStart(open.Row(start.y), bit),
                        CanvasRegion::NextClear(open.Row(start.y), bit, width), true);
  Sweep(height, [&](int y, int beside) { return GrowWideFrom(region, open, y, beside); });
  return region;
}

void FillTool::Press(const ToolEvent& event) {
  if (!DrawingPress(event)) return;
  const std::uint8_t pen = PenOfButton(event.button, document_.CurrentPen());
  const bool erase = event.button == kRightButton;
  document_.Apply("Fill", [&](CanvasEdit& edit) {
    edit.pixels.PlotRegion(FloodRegion(edit.pixels, *event.point), pen, erase);
  });
}

}  // namespace kelvane
