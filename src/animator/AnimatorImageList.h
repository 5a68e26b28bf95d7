// The four 23 x 23 pictures of the Animator's Play and Stop buttons.
#pragma once

#include <QImage>
#include <array>

#include "ui/ImageControl.h"

namespace kelvane {

inline constexpr int kAnimatorGlyphSize = 23;

enum AnimatorGlyph {
  kStopAtRest = 0,
  kPlayAtRest = 1,
  kStopPressed = 2,
  kPlayPressed = 3,
};

class AnimatorImageList {
 public:
  // ratio: device pixels to one of the buttons', the screen's device pixel ratio.
  explicit AnimatorImageList(qreal ratio = 1);

  const QImage& Picture(int index) const { return pictures_[index]; }
  // Draws picture index into the control's picture at (x, y); the caller repaints.
  void Draw(ImageControl& target, int x, int y, int index) const;

 private:
  qreal ratio_;
  std::array<QImage, 4> pictures_;
};

}  // namespace kelvane
