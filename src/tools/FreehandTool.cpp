#include "tools/FreehandTool.h"

#include <utility>

#include "model/GridLine.h"

namespace kelvane {
namespace {

// The buttons a stroke is made with; the others play no part in it.
constexpr unsigned kPaintButtons = kLeftButton | kRightButton;

}  // namespace

void FreehandTool::Press(const ToolEvent& event) {
  // A press with no other button held starts a stroke, even if the last one's release never
  // came (a window opened over the drag takes it); a second button joins the stroke it holds.
  if ((event.buttons & kPaintButtons) == event.button) document_.EndEdit();
  cancelled_ = false;
  document_.BeginEdit("Paint");  // for a press of any button
  last_ = event.point;
  if (last_ && (event.buttons & kPaintButtons)) PaintLine(*last_, *last_, event.buttons);
}

void FreehandTool::Move(const ToolEvent& event) {
  // Positions off the canvas arrive while a held button keeps the mouse captured. They paint
  // nothing and end the line: the stroke goes on from where it comes back.
  const bool painting = (event.buttons & kPaintButtons) && !cancelled_;
  const auto from = std::exchange(last_, painting ? event.point : std::nullopt);
  if (!event.point || !painting) return;
  // A drag whose press went elsewhere (a window took it) is a stroke of its own.
  document_.BeginEdit("Paint");
  PaintLine(from.value_or(*event.point), *event.point, event.buttons);
}

void FreehandTool::Release(const ToolEvent& event) {
  // Letting go of one of two buttons leaves the stroke to the other, line and step alike.
  if (event.buttons & kPaintButtons) return;
  last_.reset();
  cancelled_ = false;
  document_.EndEdit();
}

void FreehandTool::Cancel() {
  last_.reset();
  cancelled_ = true;
  document_.CancelEdit();
}

void FreehandTool::PaintLine(CanvasPoint from, CanvasPoint to, unsigned buttons) {
  const bool paint = buttons & kLeftButton;
  const bool erase = buttons & kRightButton;
  const std::uint8_t pen = document_.CurrentPen();
  document_.Edit([&](CanvasEdit& edit) {
    // Canvas columns a pixel: a line between sprites of different widths runs on the columns.
    const int fromWidth = edit.pixels.PixelWidthAt(from);
    const int width = fromWidth == edit.pixels.PixelWidthAt(to) ? fromWidth : 1;
    const SpriteCell first{from.x / width, from.y};
    const SpriteCell last{to.x / width, to.y};
    ForEachOnLine(first, last, [&](SpriteCell pixel) {
      if (pixel == first && first != last) return;
      const CanvasPoint point{pixel.column * width, pixel.row};
      if (paint) edit.pixels.Plot(point, pen, false);
      if (erase) edit.pixels.Plot(point, pen, true);
    });
  });
}

}  // namespace kelvane
