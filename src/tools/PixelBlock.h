// A rectangle of pens lifted out of the canvas: what a selection holds while it floats, and
// what Ctrl+C keeps of it. Its transforms are the sprite's, on the block alone. Lifted from a pair
// seen by colour it holds more planes than the pens the tools see: the pixels of each layer, so
// that putting it down loses none hidden under the other.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Transforms.h"

namespace kelvane {

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Contains(int column, int row) const {
    return column >= left && column < left + width && row >= top && row < top + height;
  }
  bool operator==(const PixelRect&) const = default;
};

class PixelBlock {
 public:
  PixelBlock() = default;
  PixelBlock(int width, int height, int planes = 1)
      : width_(width), height_(height), planes_(planes), pens_(width * height * planes) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Planes() const { return planes_; }
  bool Empty() const { return pens_.empty(); }
  std::uint8_t At(int column, int row, int plane = 0) const {
    return pens_[Index(column, row, plane)];
  }
  void Set(int column, int row, std::uint8_t pen, int plane = 0) {
    pens_[Index(column, row, plane)] = pen;
  }

  // The sprite's transforms, within the block: nudges wrap round, flips mirror, symmetrizes
  // mirror one half onto the other.
  PixelBlock Transformed(Transform transform) const;
  // A quarter turn, clockwise when right: the width and height change places.
  PixelBlock Rotated(bool right) const;

 private:
  int Index(int column, int row, int plane) const {
    return (plane * height_ + row) * width_ + column;
  }

  int width_ = 0;
  int height_ = 0;
  int planes_ = 1;
  std::vector<std::uint8_t> pens_;
};

}  // namespace kelvane
