#include "tools/FillTool.h"

#include <algorithm>
#include <vector>

#include "tools/PixelGrid.h"

namespace kelvane {

std::vector<CanvasPoint> FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const auto pen = pixels.PenAt(start);
  if (!pen) return {};
  // The pens are read once, a pixel at a time and a sprite's width at a time; the flood runs
  // on a copy of them.
  const int width = canvas.Width();
  const int height = canvas.Height();
  const auto index = [width](int x, int y) { return static_cast<std::size_t>(y * width + x); };
  std::vector<std::uint8_t> pens(static_cast<std::size_t>(width * height));
  std::vector<std::uint8_t> pixelWidth(static_cast<std::size_t>(canvas.Columns()));
  for (int y = 0; y < height; ++y) {
    if (y % kSpriteRows == 0) {
      for (int c = 0; c < canvas.Columns(); ++c) {
        pixelWidth[c] = static_cast<std::uint8_t>(pixels.PixelWidthAt({c * kHiresColumns, y}));
      }
    }
    for (int x = 0; x < width;) {
      const int span = pixelWidth[x / kHiresColumns];
      std::fill_n(pens.begin() + static_cast<std::ptrdiff_t>(index(x, y)), span,
                  *pixels.PenAt({x, y}));
      x += span;
    }
  }
  constexpr std::uint8_t kSeen = 0xFF;
  const std::uint8_t match = *pen;
  std::vector<CanvasPoint> region;
  region.reserve(pens.size());
  std::vector<int> next;
  next.reserve(pens.size());
  const auto reach = [&](int i) {
    if (pens[static_cast<std::size_t>(i)] != match) return;
    pens[static_cast<std::size_t>(i)] = kSeen;
    next.push_back(i);
  };
  reach(static_cast<int>(index(start.x, start.y)));
  while (!next.empty()) {
    const int i = next.back();
    next.pop_back();
    const int x = i % width;
    const int y = i / width;
    // A multi-colour pixel's two columns are one pixel: it is named by its left one.
    if (x % pixelWidth[x / kHiresColumns] == 0) region.push_back({x, y});
    if (x > 0) reach(i - 1);
    if (x + 1 < width) reach(i + 1);
    if (y > 0) reach(i - width);
    if (y + 1 < height) reach(i + width);
  }
  return region;
}

void FillTool::Press(const ToolEvent& event) {
  if (!DrawingPress(event)) return;
  const std::uint8_t pen = PenOfButton(event.button, document_.CurrentPen());
  const bool erase = event.button == kRightButton;
  document_.Apply("Fill", [&](CanvasEdit& edit) {
    for (const CanvasPoint p : FloodRegion(edit.pixels, *event.point)) {
      edit.pixels.Plot(p, pen, erase);
    }
  });
}

}  // namespace kelvane
