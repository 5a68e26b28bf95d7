#include "model/SpriteAnimation.h"

#include <algorithm>

namespace kelvane {

std::vector<int> AnimationCycle(const SpriteAnimation& animation) {
  const int step = animation.last >= animation.first ? 1 : -1;
  std::vector<int> cycle;
  for (int n = animation.first;; n += step) {
    cycle.push_back(n);
    if (n == animation.last) break;
  }
  if (animation.PingPong()) {
    const std::vector<int> back(cycle.rbegin(), cycle.rend());
    cycle.insert(cycle.end(), back.begin(), back.end());
  }
  return cycle;
}

std::vector<SpriteAnimation> WithoutObject(std::vector<SpriteAnimation> animations, int removed) {
  std::erase_if(animations, [&](const SpriteAnimation& a) {
    return a.overObjects && a.first == removed && a.last == removed;
  });
  for (SpriteAnimation& a : animations) {
    if (!a.overObjects) continue;
    // The upper end moves down when it lies at or past the removed object, the lower end only
    // past it, so a run keeps its direction.
    int& low = a.first <= a.last ? a.first : a.last;
    int& high = a.first <= a.last ? a.last : a.first;
    if (low > removed) --low;
    if (high >= removed) --high;
  }
  return animations;
}

void SortByKind(std::vector<SpriteAnimation>& animations) {
  // The classic algorithm: clang's libFuzzer build cannot compile the ranges one's subrange.
  std::stable_partition(animations.begin(), animations.end(),
                        [](const SpriteAnimation& a) { return !a.overObjects; });
}

}  // namespace kelvane
