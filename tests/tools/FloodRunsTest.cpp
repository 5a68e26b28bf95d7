// The fill reads rows and plots runs; the result must be what reading and plotting pixel by pixel
// gives, on canvases mixing modes, sprites and layers.
#include <gtest/gtest.h>

#include <vector>

#include "tools/FillTool.h"

namespace kelvane {
namespace {

// The region pixel by pixel: 4-connected canvas columns of the start's pen, each pixel plotted
// at its left column.
void FillByPixels(CanvasPixels& pixels, CanvasPoint start, std::uint8_t pen, bool erase) {
  const SpriteCanvas& canvas = pixels.Canvas();
  const std::uint8_t match = *pixels.PenAt(start);
  std::vector<bool> seen(static_cast<std::size_t>(canvas.Width() * canvas.Height()));
  std::vector<CanvasPoint> todo{start}, region;
  while (!todo.empty()) {
    const CanvasPoint p = todo.back();
    todo.pop_back();
    const auto k = static_cast<std::size_t>(p.y * canvas.Width() + p.x);
    if (!canvas.Contains(p) || seen[k] || *pixels.PenAt(p) != match) continue;
    seen[k] = true;
    region.push_back(p);
    todo.insert(todo.end(), {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}});
  }
  for (const CanvasPoint p : region) {
    if (p.x % pixels.PixelWidthAt(p) == 0) pixels.Plot(p, pen, erase);
  }
}

TEST(FloodRuns, MatchPixelByPixelReadingAndPlotting) {
  const SpriteCanvas grid(2, 2, {{0, 1, 2, 3}});
  // Rows of more than one word of bits, with a blank sprite of each mode.
  const SpriteCanvas wide(3, 2, {{0, 1, 6, 3, 7, 0}});
  const SpriteCanvas pair(1, 1, {{4}, {5}});
  const SpriteCanvas tall(2, 3, {{5, 0, 1, 2, 3, 4}});  // rows of one word, grown many times
  const struct {
    const SpriteCanvas* canvas;
    EditLayer layer;
  } canvases[] = {{&grid, EditLayer::ByColour}, {&wide, EditLayer::ByColour},
                  {&tall, EditLayer::ByColour}, {&pair, EditLayer::ByColour},
                  {&pair, EditLayer::Lower},    {&pair, EditLayer::Upper}};
  SpriteBank bank;
  std::uint32_t noise = 12345;
  bank.Attribute(7) = 0x01;
  for (int n = 0; n < 6; ++n) {
    for (auto& byte : bank.Sprite(n).first<kPixelBytes>()) {
      // Sparse bits, so that regions are large and wind between sprites.
      noise = noise * 1103515245 + 12345;
      byte = static_cast<std::uint8_t>((noise >> 8) & (noise >> 16) & (noise >> 24));
    }
    bank.Attribute(n) = n % 3 == 0 ? 0x01 : 0x8E;  // hi-res or multi-colour
  }
  for (const auto& c : canvases) {
    for (const CanvasPoint start :
         {CanvasPoint{0, 0}, {25, 3}, {7, 30}, {30, 22}, {13, 10}, {70, 40}, {50, 5}}) {
      for (const int pen : {+kSpriteColourPen, +kMultiColour1Pen, +kUpperColourPen}) {
        if (!c.canvas->Contains(start)) continue;
        SCOPED_TRACE(testing::Message()
                     << (&c - canvases) << " at " << start.x << "," << start.y << " pen " << pen);
        SpriteBank byRuns = bank, byPixels = bank;
        CanvasPixels runs(byRuns, *c.canvas), each(byPixels, *c.canvas);
        runs.SetEditLayer(c.layer);
        each.SetEditLayer(c.layer);
        for (int y = 0; y < c.canvas->Height(); ++y) {
          std::vector<std::uint8_t> row(static_cast<std::size_t>(c.canvas->Width()));
          runs.RowPens(y, row);
          for (int x = 0; x < c.canvas->Width(); ++x) ASSERT_EQ(row[x], *each.PenAt({x, y}));
        }
        for (const bool erase : {false, true}) {
          const CanvasRegion region = FloodRegion(runs, start);
          SpriteBank byEachRun = byRuns;
          CanvasPixels eachRun(byEachRun, *c.canvas);
          eachRun.SetEditLayer(c.layer);
          region.ForEachRun([&](CanvasRun run) { eachRun.PlotRun(run, pen, erase); });
          runs.PlotRegion(region, static_cast<std::uint8_t>(pen), erase);
          FillByPixels(each, start, static_cast<std::uint8_t>(pen), erase);
          EXPECT_EQ(byRuns, byPixels);
          EXPECT_EQ(byEachRun, byPixels);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kelvane
