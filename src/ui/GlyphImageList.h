// The 24 glyph pictures of the main window: 12 buttons at rest, then the same 12 pressed.
#pragma once

#include <QImage>
#include <array>

#include "ui/ImageControl.h"

namespace kelvane {

inline constexpr int kGlyphSize = 24;
inline constexpr int kGlyphButtons = 12;

// Button order of the picture indices.
enum GlyphIndex {
  kGlyphCut,
  kGlyphCopy,
  kGlyphPaste,
  kGlyphUp,
  kGlyphDown,
  kGlyphLeft,
  kGlyphRight,
  kGlyphFlipX,
  kGlyphFlipY,
  kGlyphSymmX,
  kGlyphSymmY,
  kGlyphUndo,
};

class GlyphImageList {
 public:
  // ratio: device pixels to one of the buttons', the screen's device pixel ratio.
  explicit GlyphImageList(qreal ratio = 1);
  qreal Ratio() const { return ratio_; }
  static constexpr int RestIndex(int button) { return button; }
  static constexpr int PressedIndex(int button) { return button + kGlyphButtons; }

  // The pictures at rest are drawn with the list; a pressed one when it is first asked for, since
  // most are never pressed in a run.
  const QImage& Picture(int index) const;
  // Draws picture index into the control's picture at (x, y), at the list's ratio; the caller
  // repaints.
  void Draw(ImageControl& target, int x, int y, int index) const;

 private:
  qreal ratio_;
  mutable std::array<QImage, 2 * kGlyphButtons> pictures_;
};

}  // namespace kelvane
