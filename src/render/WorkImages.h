// The two images every sprite passes through on its way to the screen.
#pragma once

#include <QImage>

#include "model/C64Format.h"
#include "render/EditorGeometry.h"

namespace kelvane {

inline constexpr QRgb kGridLineColour = 0xFF404040;
// Where one sprite of a canvas meets the next: brighter than the lines between pixels.
inline constexpr QRgb kSpriteBorderColour = 0xFFB0B0B0;

// True-colour images written through C64Palette: QPainter cannot draw on indexed images, and
// the pictures are the same either way.
struct WorkImages {
  WorkImages();
  QImage SpriteImage;  // 24 x 21, one pixel per hi-res column
  QImage EditorImage;  // 192 x 168, the sprite at 8x with its grid
};

// A filled true-colour image: a new QImage holds whatever memory held.
QImage MakeWorkImage(int width, int height, QRgb fill);

}  // namespace kelvane
