#include "model/SpriteCanvas.h"

#include <algorithm>
#include <utility>

namespace kelvane {

SpriteCanvas SpriteCanvas::Single(int sprite) {
  return SpriteCanvas(1, 1, {{sprite}});
}

SpriteCanvas::SpriteCanvas(int columns, int rows, std::vector<std::vector<int>> layers)
    : columns_(columns), rows_(rows), layers_(std::move(layers)) {}

std::optional<CanvasPlace> SpriteCanvas::Locate(CanvasPoint p, int layer) const {
  if (!Contains(p) || layer < 0 || layer >= Layers()) return std::nullopt;
  const int sprite = SpriteAt(layer, p.x / kHiresColumns, p.y / kSpriteRows);
  if (sprite == kNoSprite) return std::nullopt;
  return CanvasPlace{layer, sprite, {p.x % kHiresColumns, p.y % kSpriteRows}};
}

std::vector<int> SpriteCanvas::Sprites() const {
  std::vector<int> sprites;
  for (const auto& layer : layers_) {
    for (const int sprite : layer) {
      if (sprite != kNoSprite && std::ranges::find(sprites, sprite) == sprites.end()) {
        sprites.push_back(sprite);
      }
    }
  }
  return sprites;
}

std::optional<CanvasPoint> SpriteCanvas::OriginOf(int sprite) const {
  for (const auto& layer : layers_) {
    const auto it = std::ranges::find(layer, sprite);
    if (it == layer.end()) continue;
    const int k = static_cast<int>(it - layer.begin());
    return CanvasPoint{k % columns_ * kHiresColumns, k / columns_ * kSpriteRows};
  }
  return std::nullopt;
}

std::vector<CanvasPoint> SpriteCanvas::PlacesOf(int sprite) const {
  std::vector<CanvasPoint> places;
  for (int k = 0; k < columns_ * rows_; ++k) {
    const bool shown =
        std::ranges::any_of(layers_, [&](const auto& layer) { return layer[k] == sprite; });
    if (shown) places.push_back({k % columns_ * kHiresColumns, k / columns_ * kSpriteRows});
  }
  return places;
}

}  // namespace kelvane
