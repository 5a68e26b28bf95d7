#include "tools/FillTool.h"

#include <vector>

#include "tools/PixelGrid.h"

namespace kelvane {

std::vector<CanvasPoint> FloodRegion(const CanvasPixels& pixels, CanvasPoint start) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const auto pen = pixels.PenAt(start);
  if (!pen) return {};
  std::vector<bool> seen(static_cast<std::size_t>(canvas.Width() * canvas.Height()));
  const auto index = [&](CanvasPoint p) {
    return static_cast<std::size_t>(p.y * canvas.Width() + p.x);
  };
  std::vector<CanvasPoint> region;
  std::vector<CanvasPoint> next{start};
  seen[index(start)] = true;
  while (!next.empty()) {
    const CanvasPoint p = next.back();
    next.pop_back();
    region.push_back(p);
    for (const CanvasPoint n : {CanvasPoint{p.x - 1, p.y}, CanvasPoint{p.x + 1, p.y},
                                CanvasPoint{p.x, p.y - 1}, CanvasPoint{p.x, p.y + 1}}) {
      if (!canvas.Contains(n) || seen[index(n)] || pixels.PenAt(n) != pen) continue;
      seen[index(n)] = true;
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
      edit.pixels.Plot(p, pen, erase);
    }
  });
}

}  // namespace kelvane
