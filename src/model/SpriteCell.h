// A place on a sprite's grid of hi-res columns and rows, whatever its mode.
#pragma once

#include "model/C64Format.h"

namespace kelvane {

// Column 0..23 and row 0..20. A multi-colour pixel is two columns wide, so columns 2m and
// 2m + 1 both address multi-colour pixel m.
struct SpriteCell {
  int column = 0;
  int row = 0;

  bool operator==(const SpriteCell&) const = default;
};

constexpr bool IsInSprite(SpriteCell cell) {
  return cell.column >= 0 && cell.column < kHiresColumns && cell.row >= 0 && cell.row < kSpriteRows;
}

}  // namespace kelvane
