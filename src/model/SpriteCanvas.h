// What the editor shows: a grid of sprites in one or more layers, and the mapping between its
// points and the sprites' own cells.
//   canvas point - a hi-res column and row of the whole canvas, counted from its top-left
//                  corner: sprite (c, r) of the grid covers columns 24c..24c+23, rows 21r..21r+20.
// A multi-colour sprite's pixels stay two columns wide on the canvas, beside hi-res ones or not.
// A layer above the first may leave cells empty (kNoSprite): an object whose sprites have
// partners drawn over only some of them.
#pragma once

#include <optional>
#include <vector>

#include "model/C64Format.h"
#include "model/SpriteCell.h"

namespace kelvane {

struct CanvasPoint {
  int x = 0;
  int y = 0;

  bool operator==(const CanvasPoint&) const = default;
};

// Where a canvas point lands: the sprite of a layer and the cell of that sprite.
struct CanvasPlace {
  int layer = 0;
  int sprite = 0;
  SpriteCell cell;

  bool operator==(const CanvasPlace&) const = default;
};

// A cell of a layer with no sprite in it.
inline constexpr int kNoSprite = -1;

class SpriteCanvas {
 public:
  // One sprite, one layer: the editor as it shows a sprite on its own.
  static SpriteCanvas Single(int sprite);
  // columns x rows sprites a layer; each layer lists its sprite numbers row by row.
  // ASSUMPTION: every layer holds columns * rows numbers 0..255, or kNoSprite above layer 0.
  SpriteCanvas(int columns, int rows, std::vector<std::vector<int>> layers);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int Layers() const { return static_cast<int>(layers_.size()); }
  int Width() const { return columns_ * kHiresColumns; }
  int Height() const { return rows_ * kSpriteRows; }
  bool Contains(CanvasPoint p) const {
    return p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
  }

  // The sprite at column, row of the grid in layer, or kNoSprite.
  int SpriteAt(int layer, int column, int row) const {
    return layers_[static_cast<std::size_t>(layer)]
                  [static_cast<std::size_t>(row * columns_ + column)];
  }
  // The sprite and cell under p in layer, or nothing off the canvas or in an empty cell.
  std::optional<CanvasPlace> Locate(CanvasPoint p, int layer = 0) const;
  // Every sprite on the canvas, once each, in the order of the layers and their grids.
  std::vector<int> Sprites() const;
  // Where the grid shows sprite first (its top-left cell), or nothing when it is not shown.
  std::optional<CanvasPoint> OriginOf(int sprite) const;
  // Every place the grid shows sprite (the top-left cells, once each, row by row), in any layer.
  std::vector<CanvasPoint> PlacesOf(int sprite) const;

  bool operator==(const SpriteCanvas&) const = default;

 private:
  int columns_;
  int rows_;
  std::vector<std::vector<int>> layers_;
};

}  // namespace kelvane
