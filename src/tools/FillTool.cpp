#include "tools/FillTool.h"

#include <bit>
#include <vector>

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

// The flood of a canvas whose rows are one word each: sweeps down and up the rows, each row
// growing from the one it was reached from, until a pair of sweeps adds nothing. A region that
// does not wind back on itself is whole after one pair.
void FloodNarrow(CanvasRegion& region, const CanvasRegion& open, int height, CanvasPoint start,
                 int bit) {
  Word* const part = region.Row(0);
  const Word* const pen = open.Row(0);
  part[start.y] = RunsOf(Word{1} << bit, pen[start.y]);
  for (bool grew = true; grew;) {
    grew = false;
    for (int y = 1; y < height; ++y) grew |= GrowFrom(part, pen, y, y - 1);
    for (int y = height - 2; y >= 0; --y) grew |= GrowFrom(part, pen, y, y + 1);
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
  if (width <= CanvasRegion::kWordBits) {
    CanvasRegion open = pixels.ColumnsOfPen(*pen);
    FloodNarrow(region, open, height, start, width - 1 - start.x);
    return region;
  }
  // A run at a time: from a seed, as far left and right as the pen goes, then a seed for every
  // run of the pen above and below it. The flood takes columns out of `open` as it goes, so each
  // is taken once. It works on the rows' bits, where left and right are swapped.
  CanvasRegion open = pixels.ColumnsOfPen(*pen);
  struct Seed {
    int bit;
    int y;
  };
  std::vector<Seed> seeds{{width - 1 - start.x, start.y}};
  seeds.reserve(static_cast<std::size_t>(height));
  while (!seeds.empty()) {
    const auto [bit, y] = seeds.back();
    seeds.pop_back();
    CanvasRegion::Word* row = open.Row(y);
    if (!CanvasRegion::IsSet(row, bit)) continue;
    const int low = CanvasRegion::RunStart(row, bit);
    const int high = CanvasRegion::NextClear(row, bit, width);
    CanvasRegion::SetBits(row, low, high, false);
    CanvasRegion::SetBits(region.Row(y), low, high, true);
    for (const int next : {y - 1, y + 1}) {
      if (next < 0 || next >= height) continue;
      const CanvasRegion::Word* line = open.Row(next);
      for (int b = CanvasRegion::NextSet(line, low, high); b < high;
           b = CanvasRegion::NextSet(line, CanvasRegion::NextClear(line, b, high), high)) {
        seeds.push_back({b, next});
      }
    }
  }
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
