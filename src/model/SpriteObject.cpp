#include "model/SpriteObject.h"

#include <algorithm>

namespace kelvane {

bool SpriteObject::Holds(int sprite) const {
  return std::ranges::find(cells, sprite) != cells.end();
}

SpriteObject ConsecutiveObject(std::string name, int first, int columns, int rows) {
  SpriteObject object{std::move(name), columns, rows, {}, 0, 0};
  object.cells.reserve(static_cast<std::size_t>(columns * rows));
  for (int i = 0; i < columns * rows; ++i) object.cells.push_back(first + i);
  return object;
}

std::string NewObjectProblem(int first, int columns, int rows, int bankSprites) {
  const auto side = [](int n) { return n >= 1 && n <= kMaxObjectSide; };
  if (!side(columns) || !side(rows)) {
    return "An object is 1 to " + std::to_string(kMaxObjectSide) + " sprites across and down.";
  }
  const int last = first + columns * rows - 1;
  if (first < 0 || last >= bankSprites) {
    return "An object of " + std::to_string(columns) + " x " + std::to_string(rows) +
           " sprites from sprite " + std::to_string(first) + " would run to sprite " +
           std::to_string(last) + ", past the last sprite, " + std::to_string(bankSprites - 1) +
           ".";
  }
  return "";
}

std::vector<SpriteObject> ObjectsWithin(const std::vector<SpriteObject>& objects, int first,
                                        int count) {
  std::vector<SpriteObject> within;
  for (const SpriteObject& object : objects) {
    if (!std::ranges::all_of(object.cells,
                             [&](int n) { return n >= first && n - first < count; })) {
      continue;
    }
    SpriteObject moved = object;
    for (int& cell : moved.cells) cell -= first;
    within.push_back(std::move(moved));
  }
  return within;
}

std::optional<std::size_t> ObjectHolding(const std::vector<SpriteObject>& objects, int sprite) {
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (objects[i].Holds(sprite)) return i;
  }
  return std::nullopt;
}

}  // namespace kelvane
