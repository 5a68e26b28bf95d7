#include <gtest/gtest.h>

#include "model/AnimationFrames.h"

namespace kelvane {
namespace {

constexpr std::uint8_t kForward = kAnimationValidFlag;
constexpr std::uint8_t kPingPong = kAnimationValidFlag | kAnimationPingPongFlag;

TEST(AnimationFrames, TheFirstAnimationShowingTheSpriteHoldsIt) {
  const std::vector<SpriteAnimation> animations = {
      {0, 6, 2, kPingPong},       {4, 9, 1, kForward},     {20, 15, 3, kForward},
      {30, 300, 1, kForward},     {260, 40, 1, kPingPong}, {-1, 50, 1, kForward},
      {10, 14, 1, kForward, true}};  // over objects: sprite 12 is in none
  const struct {
    int sprite;
    std::optional<std::size_t> holder;
  } cases[] = {{0, 0}, {6, 0}, {7, 1}, {15, 2}, {18, 2}, {12, std::nullopt}, {35, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(AnimationHolding(animations, c.sprite), c.holder) << c.sprite;
  }
}

TEST(AnimationFrames, NeighboursGoRoundTheCycleAndSkipTheSpriteItself) {
  const struct {
    SpriteAnimation animation;
    int sprite;
    NeighbourFrames frames;
  } cases[] = {
      {{0, 3, 1, kForward}, 2, {1, 3}},
      {{0, 3, 1, kForward}, 0, {3, 1}},
      {{0, 3, 1, kForward}, 3, {2, 0}},
      {{0, 3, 1, kPingPong}, 0, {1, 1}},  // 0 1 2 3 3 2 1 0: its doubled end is no neighbour
      {{0, 3, 1, kPingPong}, 3, {2, 2}},
      {{5, 2, 1, kForward}, 4, {5, 3}},  // stored downwards
      {{7, 7, 1, kPingPong}, 7, {}},
      {{0, 3, 1, kForward}, 9, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FramesAround(c.animation, c.sprite), c.frames)
        << c.animation.first << ".." << c.sprite;
  }
}

}  // namespace
}  // namespace kelvane
