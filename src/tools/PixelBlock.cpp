#include "tools/PixelBlock.h"

namespace kelvane {

PixelBlock PixelBlock::Transformed(Transform transform) const {
  PixelBlock out(width_, height_, planes_);
  const int w = width_;
  const int h = height_;
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      int fromColumn = column;
      int fromRow = row;
      switch (transform) {
        case Transform::NudgeUp:
          fromRow = (row + 1) % h;
          break;
        case Transform::NudgeDown:
          fromRow = (row + h - 1) % h;
          break;
        case Transform::NudgeLeft:
          fromColumn = (column + 1) % w;
          break;
        case Transform::NudgeRight:
          fromColumn = (column + w - 1) % w;
          break;
        case Transform::FlipTopToBottom:
          fromRow = h - 1 - row;
          break;
        case Transform::FlipLeftToRight:
          fromColumn = w - 1 - column;
          break;
        case Transform::SymmetrizeTopToBottom:
          if (row >= (h + 1) / 2) fromRow = h - 1 - row;
          break;
        case Transform::SymmetrizeLeftToRight:
          if (column >= (w + 1) / 2) fromColumn = w - 1 - column;
          break;
      }
      for (int plane = 0; plane < planes_; ++plane) {
        out.Set(column, row, At(fromColumn, fromRow, plane), plane);
      }
    }
  }
  return out;
}

PixelBlock PixelBlock::Rotated(bool right) const {
  PixelBlock out(height_, width_, planes_);
  for (int plane = 0; plane < planes_; ++plane) {
    for (int row = 0; row < height_; ++row) {
      for (int column = 0; column < width_; ++column) {
        if (right) {
          out.Set(height_ - 1 - row, column, At(column, row, plane), plane);
        } else {
          out.Set(row, width_ - 1 - column, At(column, row, plane), plane);
        }
      }
    }
  }
  return out;
}

}  // namespace kelvane
