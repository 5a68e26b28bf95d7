#include "ui/AnimationCaption.h"

namespace kelvane {

QString SpeedCaption(int speed) {
  return QStringLiteral("%1/50 s").arg(speed);
}

QString AnimationCaption(int index, const SpriteAnimation& animation) {
  return QStringLiteral("%1: sprites %2–%3, %4, %5")
      .arg(index)
      .arg(animation.first)
      .arg(animation.last)
      .arg(SpeedCaption(animation.speed),
           animation.PingPong() ? QStringLiteral("ping-pong") : QStringLiteral("forward"));
}

}  // namespace kelvane
