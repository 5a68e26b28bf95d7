// The straight line between two points of a grid, as Bresenham draws it: every point it visits,
// each one step (across, down or diagonally) from the last, so a line has no gaps.
#pragma once

#include <cstdlib>

#include "model/SpriteCell.h"

namespace kelvane {

// Calls visit(point) for each point from `from` to `to`, both included, in that order.
template <typename Visit>
void ForEachOnLine(SpriteCell from, SpriteCell to, Visit visit) {
  const int dx = std::abs(to.column - from.column);
  const int dy = -std::abs(to.row - from.row);
  const int stepX = from.column < to.column ? 1 : -1;
  const int stepY = from.row < to.row ? 1 : -1;
  int error = dx + dy;
  SpriteCell point = from;
  while (true) {
    visit(point);
    if (point == to) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      point.column += stepX;
    }
    if (twice <= dx) {
      error += dx;
      point.row += stepY;
    }
  }
}

}  // namespace kelvane
