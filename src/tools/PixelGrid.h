// The grid of whole pixels a use of a tool draws on: the sprite's own (two canvas columns a
// pixel in multi-colour), or the canvas columns when the use spans sprites of both widths.
#pragma once

#include <cstdint>

#include "model/CanvasPixels.h"
#include "model/EditorState.h"
#include "model/SpriteCell.h"
#include "tools/Tool.h"

namespace kelvane {

struct PixelGrid {
  int width = 1;  // canvas columns a pixel

  SpriteCell CellOf(CanvasPoint p) const { return {p.x / width, p.y}; }
  CanvasPoint PointOf(SpriteCell pixel) const { return {pixel.column * width, pixel.row}; }
};

inline PixelGrid GridBetween(const CanvasPixels& pixels, CanvasPoint a, CanvasPoint b) {
  const int width = pixels.PixelWidthAt(a);
  return {width == pixels.PixelWidthAt(b) ? width : 1};
}

// The left button draws with the current pen, the right one with the transparent pen.
inline std::uint8_t PenOfButton(unsigned button, std::uint8_t currentPen) {
  return button == kRightButton ? std::uint8_t{kTransparentPen} : currentPen;
}

// Whether a press starts a use of a drawing tool: the left or the right button alone.
inline bool DrawingPress(const ToolEvent& event) {
  return event.point && (event.button == kLeftButton || event.button == kRightButton) &&
         event.buttons == event.button;
}

}  // namespace kelvane
