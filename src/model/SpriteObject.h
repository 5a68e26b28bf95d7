// A figure bigger than one sprite: a grid of columns x rows sprites edited and shown as one
// picture. Its cells may name any sprites, in any order; objects only point at sprites, so
// removing one never touches a sprite.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvane {

inline constexpr int kMaxObjectSide = 8;  // sprites across or down

struct SpriteObject {
  std::string name;
  int columns = 1;
  int rows = 1;
  std::vector<int> cells;  // sprite numbers, row by row: columns * rows of them
  // What SpritePad keeps with each tile; carried along unchanged.
  std::uint8_t attribute = 0;
  std::uint8_t tag = 0;

  int SpriteAt(int column, int row) const { return cells[row * columns + column]; }
  bool Holds(int sprite) const;

  bool operator==(const SpriteObject&) const = default;
};

// columns x rows cells numbered from first on, row by row.
// ASSUMPTION: columns and rows are 1..kMaxObjectSide.
SpriteObject ConsecutiveObject(std::string name, int first, int columns, int rows);

// Why an object of columns x rows from sprite first cannot be made in a bank of bankSprites
// sprites, or "" when it can.
std::string NewObjectProblem(int first, int columns, int rows, int bankSprites);

// The objects whose every cell lies in sprites first..first + count - 1, numbered from first.
std::vector<SpriteObject> ObjectsWithin(const std::vector<SpriteObject>& objects, int first,
                                        int count);

// The first object that holds sprite, by its index.
std::optional<std::size_t> ObjectHolding(const std::vector<SpriteObject>& objects, int sprite);

}  // namespace kelvane
