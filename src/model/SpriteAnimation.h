// A run of sprites (or of objects) played as an animation, as sprite files store them: first and
// last sprite or object, a speed in frames of the 50 Hz screen, and flags.
#pragma once

#include <cstdint>
#include <vector>

#include "model/C64Format.h"

namespace kelvane {

inline constexpr std::uint8_t kAnimationValidFlag = 0x80;
inline constexpr std::uint8_t kAnimationPingPongFlag = 0x10;
inline constexpr int kScreenFrameMilliseconds = 20;  // a PAL frame at 50 Hz
inline constexpr int kMinAnimationSpeed = 1;
inline constexpr int kMaxAnimationSpeed = 255;

struct SpriteAnimation {
  int first = 0;
  int last = 0;
  int speed = kMinAnimationSpeed;  // screen frames a sprite stays
  std::uint8_t flags = kAnimationValidFlag;
  bool overObjects = false;  // first and last number objects, not sprites

  bool PingPong() const { return (flags & kAnimationPingPongFlag) != 0; }
  int Low() const { return first < last ? first : last; }
  int High() const { return first < last ? last : first; }
  // A file may name sprites the bank has not: such an animation has frames that cannot be shown.
  bool PastTheBank() const { return !overObjects && (Low() < 0 || High() > kLastSprite); }
  // A speed of 0 in a file would show nothing at all; it plays as the fastest there is.
  int FrameMilliseconds() const {
    return (speed < kMinAnimationSpeed ? kMinAnimationSpeed : speed) * kScreenFrameMilliseconds;
  }
  bool operator==(const SpriteAnimation&) const = default;
};

// The sprites of one cycle as the Animator shows them, from the first sprite on: first to last,
// and with ping-pong back again, each end shown twice (first..last, last..first). A last below
// first runs downwards.
std::vector<int> AnimationCycle(const SpriteAnimation& animation);

// The animations as they stand once object removed is gone from the list: the objects after it
// move down one, a run over it loses it, and a run of it alone goes. Sprite animations stay.
std::vector<SpriteAnimation> WithoutObject(std::vector<SpriteAnimation> animations, int removed);

// Sprite animations first, then those over objects, each kind in its own order: as files keep
// them and as they are numbered.
void SortByKind(std::vector<SpriteAnimation>& animations);

}  // namespace kelvane
