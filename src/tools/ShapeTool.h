// Line, rectangle and ellipse: press at one corner, drag to the other, release to draw. The
// shape is a preview while dragging and one step when released; Shift keeps a line to
// horizontal, vertical or 45° and makes a box square.
#pragma once

#include "model/SpriteDocument.h"
#include "tools/PixelGrid.h"
#include "tools/Tool.h"

namespace kelvane {

enum class Shape { Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse };

class ShapeTool : public Tool {
 public:
  ShapeTool(SpriteDocument& document, Shape shape) : document_(document), shape_(shape) {}

  void Press(const ToolEvent& event) override;
  void Move(const ToolEvent& event) override;
  void Release(const ToolEvent& event) override;
  void Cancel() override;
  // The drag began on other sprites: it ends with nothing drawn.
  void CanvasChanged() override { Cancel(); }
  const Preview& CurrentPreview() const override { return preview_; }

 private:
  void ShowShape(bool constrained);

  SpriteDocument& document_;
  Shape shape_;
  unsigned button_ = kNoButton;  // of the drag in progress
  CanvasPoint start_;
  CanvasPoint end_;
  Preview preview_;
};

}  // namespace kelvane
