#include "ui/AnimationCaption.h"

namespace kelvane {

QString SpeedCaption(int speed) {
  return QStringLiteral("%1/50 s").arg(speed);
}

QString AnimationCaption(int index, const SpriteAnimation& animation) {
  return QStringLiteral("%1: %2 %3–%4, %5, %6")
      .arg(index)
      .arg(animation.overObjects ? QStringLiteral("objects") : QStringLiteral("sprites"))
      .arg(animation.first)
      .arg(animation.last)
      .arg(SpeedCaption(animation.speed),
           animation.PingPong() ? QStringLiteral("ping-pong") : QStringLiteral("forward"));
}

}  // namespace kelvane
