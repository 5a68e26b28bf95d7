#include "tools/FillTool.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/PixelGrid.h"

namespace kelvane {
namespace {

// Where the run of pen from x on ends, at end at the latest: eight columns a step while it lasts.
int RunEnd(const std::uint8_t* line, int x, int end, std::uint8_t pen) {
  constexpr std::uint64_t kEveryByte = 0x0101010101010101;
  const std::uint64_t eight = pen * kEveryByte;
  for (; x + static_cast<int>(sizeof eight) <= end; x += static_cast<int>(sizeof eight)) {
    std::uint64_t next;
    std::memcpy(&next, line + x, sizeof next);
    if (next != eight) break;
  }
  while (x < end && line[x] == pen) ++x;
  return x;
}

}  // namespace

std::vector<CanvasRun> FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const auto pen = pixels.PenAt(start);
  if (!pen) return {};
  // The pens are read once, a row at a time; the flood runs on a copy of them.
  const int width = canvas.Width();
  const int height = canvas.Height();
  // Every pen is read into it, so it starts unset.
  const auto pens = std::make_unique_for_overwrite<std::uint8_t[]>(
      static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const auto row = [width](const std::unique_ptr<std::uint8_t[]>& all, int y) {
    return all.get() + static_cast<std::ptrdiff_t>(y) * width;
  };
  for (int y = 0; y < height; ++y) {
    pixels.RowPens(y, std::span(row(pens, y), static_cast<std::size_t>(width)));
  }
  // A run at a time: from a seed, as far left and right as the pen goes, then a seed for every
  // run of the pen above and below it. Each column is taken once.
  constexpr std::uint8_t kSeen = 0xFF;
  const std::uint8_t match = *pen;
  std::vector<CanvasRun> region;
  region.reserve(static_cast<std::size_t>(height));
  std::vector<CanvasPoint> seeds{start};
  seeds.reserve(static_cast<std::size_t>(height));
  const auto seedRuns = [&](int y, int left, int right) {
    const std::uint8_t* line = row(pens, y);
    for (int x = left; x < right; x = RunEnd(line, x, right, match)) {
      const void* found = std::memchr(line + x, match, static_cast<std::size_t>(right - x));
      if (!found) break;
      x = static_cast<int>(static_cast<const std::uint8_t*>(found) - line);
      seeds.push_back({x, y});
    }
  };
  while (!seeds.empty()) {
    const CanvasPoint seed = seeds.back();
    seeds.pop_back();
    std::uint8_t* line = row(pens, seed.y);
    if (line[seed.x] != match) continue;
    int left = seed.x;
    int right = seed.x + 1;
    while (left > 0 && line[left - 1] == match) --left;
    right = RunEnd(line, right, width, match);
    std::fill(line + left, line + right, kSeen);
    region.push_back({seed.y, left, right});
    if (seed.y > 0) seedRuns(seed.y - 1, left, right);
    if (seed.y + 1 < height) seedRuns(seed.y + 1, left, right);
  }
  return region;
}

void FillTool::Press(const ToolEvent& event) {
  if (!DrawingPress(event)) return;
  const std::uint8_t pen = PenOfButton(event.button, document_.CurrentPen());
  const bool erase = event.button == kRightButton;
  document_.Apply("Fill", [&](CanvasEdit& edit) {
    for (const CanvasRun& run : FloodRegion(edit.pixels, *event.point)) {
      edit.pixels.PlotRun(run, pen, erase);
    }
  });
}

}  // namespace kelvane
