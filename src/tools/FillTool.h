// The flood fill: a press fills the 4-connected region of pixels of the pen under it, as one
// step.
#pragma once

#include "model/SpriteDocument.h"
#include "tools/Tool.h"

namespace kelvane {

class FillTool : public Tool {
 public:
  explicit FillTool(SpriteDocument& document) : document_(document) {}

  void Press(const ToolEvent& event) override;
  void Move(const ToolEvent&) override {}
  void Release(const ToolEvent&) override {}
  void Cancel() override {}

 private:
  SpriteDocument& document_;
};

// The 4-connected region of the pen at start, in canvas columns.
// Canvas columns are flooded rather than pixels: a multi-colour pixel's two columns hold the same
// pen, so the region is the same, also where it runs across sprites of both widths.
CanvasRegion FloodRegion(const CanvasPixels& pixels, CanvasPoint start);

}  // namespace kelvane
