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

// The flood of a canvas whose rows are one word each: a row at a time. A row's part of the
// region grows by whole runs of the pen from the bits of its neighbours' parts; a row that grew
// is looked at again, so each row is read about once per run it gains.
void FloodNarrow(CanvasRegion& region, CanvasRegion& open, int height, CanvasPoint start, int bit) {
  const auto at = [&](CanvasRegion& rows, int y) -> Word& { return *rows.Row(y); };
  at(region, start.y) = RunsOf(Word{1} << bit, at(open, start.y));
  std::vector<int> grown{start.y};
  grown.reserve(static_cast<std::size_t>(height));
  while (!grown.empty()) {
    const int y = grown.back();
    grown.pop_back();
    for (const int next : {y - 1, y + 1}) {
      if (next < 0 || next >= height) continue;
      Word& part = at(region, next);
      const Word seeds = at(region, y) & at(open, next) & ~part;
      if (seeds == 0) continue;
      part |= RunsOf(seeds, at(open, next));
      grown.push_back(next);
    }
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
