// The pixels of the shapes the drawing tools draw, on a grid of whole pixels (a sprite's own:
// 12 wide in multi-colour). Every shape is symmetric in its box, whichever corner it starts at.
#pragma once

#include <vector>

#include "model/SpriteCell.h"

namespace kelvane {

using Pixels = std::vector<SpriteCell>;

// The Bresenham line from `from` to `to`, both included.
Pixels LinePixels(SpriteCell from, SpriteCell to);
// The outline (or the whole) of the rectangle with corners a and b.
Pixels RectanglePixels(SpriteCell a, SpriteCell b, bool filled);
// The outline (or the whole) of the ellipse inscribed in the box with corners a and b.
Pixels EllipsePixels(SpriteCell a, SpriteCell b, bool filled);

// Where a line from `from` towards `to` ends when it keeps to horizontal, vertical or 45°:
// the nearest of the three.
SpriteCell SnapTo45(SpriteCell from, SpriteCell to);
// The corner opposite `from` of the square over the longer side of the box from `from` to `to`.
SpriteCell SquareCorner(SpriteCell from, SpriteCell to);

}  // namespace kelvane
