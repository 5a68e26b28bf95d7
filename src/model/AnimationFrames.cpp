#include "model/AnimationFrames.h"

#include <algorithm>

#include "model/C64Format.h"

namespace kelvane {

std::optional<std::size_t> AnimationHolding(const std::vector<SpriteAnimation>& animations,
                                            int number, bool overObjects) {
  for (std::size_t k = 0; k < animations.size(); ++k) {
    const SpriteAnimation& a = animations[k];
    if (a.overObjects != overObjects) continue;  // its numbers are the other kind's
    if (a.PastTheBank()) continue;
    if (number >= a.Low() && number <= a.High()) return k;
  }
  return std::nullopt;
}

NeighbourFrames FramesAround(const SpriteAnimation& animation, int sprite) {
  const std::vector<int> cycle = AnimationCycle(animation);
  const auto at = std::ranges::find(cycle, sprite);
  if (at == cycle.end()) return {};
  const std::size_t size = cycle.size();
  const std::size_t here = static_cast<std::size_t>(at - cycle.begin());
  NeighbourFrames frames;
  for (std::size_t step = 1; step < size; ++step) {
    const int before = cycle[(here + size - step) % size];
    if (!frames.previous && before != sprite) frames.previous = before;
    const int after = cycle[(here + step) % size];
    if (!frames.next && after != sprite) frames.next = after;
  }
  return frames;
}

}  // namespace kelvane
