// How an animation reads in a list: its number, its sprites or objects, its speed and its mode.
#pragma once

#include <QString>

#include "model/SpriteAnimation.h"

namespace kelvane {

// "0: sprites 0–6, 2/50 s, ping-pong", "3: objects 2–5, 4/50 s, forward"
QString AnimationCaption(int index, const SpriteAnimation& animation);
// "2/50 s": a speed as screen frames of the 50 Hz display.
QString SpeedCaption(int speed);

}  // namespace kelvane
