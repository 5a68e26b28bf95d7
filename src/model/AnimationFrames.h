// Where a sprite stands among the animations: the one that plays it, and the frames shown just
// before and after it.
#pragma once

#include <optional>
#include <vector>

#include "model/SpriteAnimation.h"

namespace kelvane {

// The first animation of sprites (or, overObjects, over objects) whose cycle shows sprite (or
// object) number, by its place in the list; one of sprites reaching past the bank shows nothing.
std::optional<std::size_t> AnimationHolding(const std::vector<SpriteAnimation>& animations,
                                            int number, bool overObjects = false);

// The nearest other sprites shown before and after sprite in the animation's cycle, going round
// it: a ping-pong's doubled ends and an animation of one sprite show nothing of themselves.
struct NeighbourFrames {
  std::optional<int> previous;
  std::optional<int> next;
  bool operator==(const NeighbourFrames&) const = default;
};
NeighbourFrames FramesAround(const SpriteAnimation& animation, int sprite);

}  // namespace kelvane
