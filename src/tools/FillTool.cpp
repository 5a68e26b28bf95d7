#include "tools/FillTool.h"

#include <vector>

#include "tools/PixelGrid.h"

namespace kelvane {

CanvasRegion FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const int width = canvas.Width();
  const int height = canvas.Height();
  CanvasRegion region(width, height);
  const auto pen = pixels.PenAt(start);
  if (!pen) return region;
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
