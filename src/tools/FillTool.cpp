#include "tools/FillTool.h"

#include <algorithm>
#include <vector>

#include "tools/PixelGrid.h"

namespace kelvane {

std::vector<CanvasPoint> FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const auto pen = pixels.PenAt(start);
  if (!pen) return {};
  // The pens are read once, a pixel at a time; the flood runs on a copy of them.
  const int width = canvas.Width();
  const auto index = [width](CanvasPoint p) { return static_cast<std::size_t>(p.y * width + p.x); };
  std::vector<std::uint8_t> pens(static_cast<std::size_t>(width * canvas.Height()));
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < width;) {
      const int span = pixels.PixelWidthAt({x, y});
      std::fill_n(pens.begin() + static_cast<std::ptrdiff_t>(index({x, y})), span,
                  *pixels.PenAt({x, y}));
      x += span;
    }
  }
  constexpr std::uint8_t kSeen = 0xFF;
  std::vector<CanvasPoint> region;
  std::vector<CanvasPoint> next{start};
  pens[index(start)] = kSeen;
  while (!next.empty()) {
    const CanvasPoint p = next.back();
    next.pop_back();
    region.push_back(p);
    for (const CanvasPoint n : {CanvasPoint{p.x - 1, p.y}, CanvasPoint{p.x + 1, p.y},
                                CanvasPoint{p.x, p.y - 1}, CanvasPoint{p.x, p.y + 1}}) {
      if (!canvas.Contains(n) || pens[index(n)] != *pen) continue;
      pens[index(n)] = kSeen;
      next.push_back(n);
    }
  }
  return region;
}

void FillTool::Press(const ToolEvent& event) {
  if (!DrawingPress(event)) return;
  const std::uint8_t pen = PenOfButton(event.button, document_.CurrentPen());
  const bool erase = event.button == kRightButton;
  document_.Apply("Fill", [&](CanvasEdit& edit) {
    for (const CanvasPoint p : FloodRegion(edit.pixels, *event.point)) {
      // A multi-colour pixel's two columns are one pixel: plotted once.
      if (p.x % edit.pixels.PixelWidthAt(p) == 0) edit.pixels.Plot(p, pen, erase);
    }
  });
}

}  // namespace kelvane
