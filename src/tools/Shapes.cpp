#include "tools/Shapes.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "model/GridLine.h"

namespace kelvane {
namespace {

int Sign(int v) {
  return v < 0 ? -1 : 1;
}

// Every pixel of each row between the leftmost and the rightmost outline pixel of that row.
Pixels FilledRows(const Pixels& outline) {
  std::map<int, std::pair<int, int>> rows;
  for (const SpriteCell p : outline) {
    auto [it, added] = rows.try_emplace(p.row, p.column, p.column);
    it->second.first = std::min(it->second.first, p.column);
    it->second.second = std::max(it->second.second, p.column);
  }
  Pixels filled;
  for (const auto& [row, span] : rows) {
    for (int column = span.first; column <= span.second; ++column) filled.push_back({column, row});
  }
  return filled;
}

}  // namespace

Pixels LinePixels(SpriteCell from, SpriteCell to) {
  Pixels pixels;
  // A pixel for each step along the longer side.
  pixels.reserve(static_cast<std::size_t>(
      std::max(std::abs(to.column - from.column), std::abs(to.row - from.row)) + 1));
  ForEachOnLine(from, to, [&](SpriteCell p) { pixels.push_back(p); });
  return pixels;
}

Pixels RectanglePixels(SpriteCell a, SpriteCell b, bool filled) {
  const int left = std::min(a.column, b.column);
  const int right = std::max(a.column, b.column);
  const int top = std::min(a.row, b.row);
  const int bottom = std::max(a.row, b.row);
  Pixels pixels;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      const bool edge = row == top || row == bottom || column == left || column == right;
      if (filled || edge) pixels.push_back({column, row});
    }
  }
  return pixels;
}

// The midpoint ellipse for a box of any size, even or odd, after Zingl's rasterising of the
// ellipse: four quadrants drawn at once keep it symmetric.
Pixels EllipsePixels(SpriteCell a, SpriteCell b, bool filled) {
  int x0 = std::min(a.column, b.column);
  int x1 = std::max(a.column, b.column);
  int y0 = std::min(a.row, b.row);
  long long width = x1 - x0;
  const long long height = std::abs(b.row - a.row);
  const long long oddHeight = height & 1;
  long long dx = 4 * (1 - width) * height * height;
  long long dy = 4 * (oddHeight + 1) * width * width;
  long long error = dx + dy + oddHeight * width * width;
  y0 += static_cast<int>((height + 1) / 2);
  int y1 = y0 - static_cast<int>(oddHeight);
  const long long stepX = 8 * width * width;
  const long long stepY = 8 * height * height;
  Pixels outline;
  const auto four = [&](int left, int right, int upper, int lower) {
    outline.push_back({right, upper});
    outline.push_back({left, upper});
    outline.push_back({left, lower});
    outline.push_back({right, lower});
  };
  do {
    four(x0, x1, y0, y1);
    const long long twice = 2 * error;
    if (twice <= dy) {
      ++y0;
      --y1;
      error += dy += stepX;
    }
    if (twice >= dx || 2 * error > dy) {
      ++x0;
      --x1;
      error += dx += stepY;
    }
  } while (x0 <= x1);
  // A flat box (one pixel wide) stops early: its tips are finished by hand.
  while (y0 - y1 <= height) {
    four(x0 - 1, x1 + 1, y0++, y1--);
  }
  std::ranges::sort(outline, [](SpriteCell p, SpriteCell q) {
    return p.row != q.row ? p.row < q.row : p.column < q.column;
  });
  outline.erase(std::unique(outline.begin(), outline.end()), outline.end());
  return filled ? FilledRows(outline) : outline;
}

SpriteCell SnapTo45(SpriteCell from, SpriteCell to) {
  const int dx = to.column - from.column;
  const int dy = to.row - from.row;
  // tan 22.5° is about 0.414: within it of an axis, the line keeps to the axis.
  if (std::abs(dy) * 1000 < std::abs(dx) * 414) return {to.column, from.row};
  if (std::abs(dx) * 1000 < std::abs(dy) * 414) return {from.column, to.row};
  const int side = std::max(std::abs(dx), std::abs(dy));
  return {from.column + Sign(dx) * side, from.row + Sign(dy) * side};
}

SpriteCell SquareCorner(SpriteCell from, SpriteCell to) {
  const int dx = to.column - from.column;
  const int dy = to.row - from.row;
  const int side = std::max(std::abs(dx), std::abs(dy));
  return {from.column + Sign(dx) * side, from.row + Sign(dy) * side};
}

}  // namespace kelvane
