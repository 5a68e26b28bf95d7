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
  GlyphImageList();
  static constexpr int RestIndex(int button) { return button; }
  static constexpr int PressedIndex(int button) { return button + kGlyphButtons; }

  const QImage& Picture(int index) const { return pictures_[index]; }
  // Draws picture index into the control's picture at (x, y); the caller repaints.
  void Draw(ImageControl& target, int x, int y, int index) const;

 private:
  std::array<QImage, 2 * kGlyphButtons> pictures_;
};

}  // namespace kelvane
