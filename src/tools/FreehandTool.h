// The pen: the left button paints with the current pen, the right one erases, both together
// paint each pixel and then erase it. A stroke from the first press to the last release is one
// step, however many pixels it paints.
#pragma once

#include <optional>

#include "model/SpriteDocument.h"
#include "tools/Tool.h"

namespace kelvane {

class FreehandTool : public Tool {
 public:
  explicit FreehandTool(SpriteDocument& document) : document_(document) {}

  void Press(const ToolEvent& event) override;
  void Move(const ToolEvent& event) override;
  void Release(const ToolEvent& event) override;
  void Cancel() override;
  void CanvasChanged() override { last_.reset(); }

 private:
  // Every pixel on the straight line from the last report to this one, on the sprites' own pixel
  // grid (12 wide in multi-colour), so that a fast drag leaves no gaps. The first pixel was the
  // last report's and is left alone, unless both are in the same pixel.
  void PaintLine(CanvasPoint from, CanvasPoint to, unsigned buttons);

  SpriteDocument& document_;
  std::optional<CanvasPoint> last_;  // of the last report of a drag inside the canvas
  bool cancelled_ = false;           // the drag goes on, but its stroke was taken back
};

}  // namespace kelvane
