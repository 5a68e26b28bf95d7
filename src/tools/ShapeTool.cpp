#include "tools/ShapeTool.h"

#include "tools/Shapes.h"

namespace kelvane {
namespace {

const char* StepName(Shape shape) {
  switch (shape) {
    case Shape::Line:
      return "Line";
    case Shape::Rectangle:
    case Shape::FilledRectangle:
      return "Rectangle";
    case Shape::Ellipse:
    case Shape::FilledEllipse:
      return "Ellipse";
  }
  return "";
}

}  // namespace

void ShapeTool::Press(const ToolEvent& event) {
  // A second button in mid-drag plays no part in it.
  if (button_ != kNoButton || !DrawingPress(event)) return;
  button_ = event.button;
  start_ = end_ = *event.point;
  ShowShape(event.modifiers.shift);
}

void ShapeTool::Move(const ToolEvent& event) {
  if (button_ == kNoButton) return;
  // Off the canvas the shape keeps its last corner.
  if (event.point) end_ = *event.point;
  ShowShape(event.modifiers.shift);
}

void ShapeTool::Release(const ToolEvent& event) {
  if (button_ == kNoButton) return;
  // A release of no button is a window opened over the drag: nothing is drawn.
  if (event.button == kNoButton) return Cancel();
  if (event.button != button_) return;
  if (event.point) end_ = *event.point;
  ShowShape(event.modifiers.shift);
  const bool erase = button_ == kRightButton;
  const Preview shape = std::move(preview_);
  Cancel();
  document_.Apply(StepName(shape_), [&](CanvasEdit& edit) {
    for (const PreviewPixel& p : shape) edit.pixels.Plot(p.point, p.pen, erase);
  });
}

void ShapeTool::Cancel() {
  button_ = kNoButton;
  preview_.clear();
  made_.reset();
}

void ShapeTool::ShowShape(bool constrained) {
  const CanvasPixels pixels = document_.Pixels();
  const PixelGrid grid = GridBetween(pixels, start_, end_);
  const SpriteCell from = grid.CellOf(start_);
  SpriteCell to = grid.CellOf(end_);
  if (constrained) to = shape_ == Shape::Line ? SnapTo45(from, to) : SquareCorner(from, to);
  const std::uint8_t pen = PenOfButton(button_, document_.CurrentPen());
  const Made made{from, to, grid.width, pen};
  if (made_ == made) return;
  made_ = made;
  Pixels shape;
  switch (shape_) {
    case Shape::Line:
      shape = LinePixels(from, to);
      break;
    case Shape::Rectangle:
    case Shape::FilledRectangle:
      shape = RectanglePixels(from, to, shape_ == Shape::FilledRectangle);
      break;
    case Shape::Ellipse:
    case Shape::FilledEllipse:
      shape = EllipsePixels(from, to, shape_ == Shape::FilledEllipse);
      break;
  }
  preview_.clear();
  preview_.reserve(shape.size());
  for (const SpriteCell pixel : shape) {
    const CanvasPoint point = grid.PointOf(pixel);
    if (pixels.Canvas().Contains(point)) preview_.push_back({point, pen});
  }
}

}  // namespace kelvane
