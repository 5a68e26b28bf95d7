#include "model/SpriteAnimation.h"

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

}  // namespace kelvane
