// Line, rectangle and ellipse: press at one corner, drag to the other, release to draw. The
// shape is a preview while dragging and one step when released; Shift keeps a line to
// horizontal, vertical or 45° and makes a box square.
#pragma once

#include <optional>

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

  // What the shape shown was made from: a move within the same pixel, or the release where the
  // last move was, makes it again for nothing.
  struct Made {
    SpriteCell from;
    SpriteCell to;
    int width = 1;
    std::uint8_t pen = 0;

    bool operator==(const Made&) const = default;
  };

  SpriteDocument& document_;
  Shape shape_;
  unsigned button_ = kNoButton;  // of the drag in progress
  CanvasPoint start_;
  CanvasPoint end_;
  Preview preview_;
  std::optional<Made> made_;  // of preview_, while a drag is in progress
};

}  // namespace kelvane
