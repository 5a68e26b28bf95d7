// A rectangle of pens lifted out of the canvas: what a selection holds while it floats, and
// what Ctrl+C keeps of it. Its transforms are the sprite's, on the block alone.
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
  PixelBlock(int width, int height) : width_(width), height_(height), pens_(width * height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return pens_.empty(); }
  std::uint8_t At(int column, int row) const { return pens_[row * width_ + column]; }
  void Set(int column, int row, std::uint8_t pen) { pens_[row * width_ + column] = pen; }

  // The sprite's transforms, within the block: nudges wrap round, flips mirror, symmetrizes
  // mirror one half onto the other.
  PixelBlock Transformed(Transform transform) const;
  // A quarter turn, clockwise when right: the width and height change places.
  PixelBlock Rotated(bool right) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pens_;
};

}  // namespace kelvane
