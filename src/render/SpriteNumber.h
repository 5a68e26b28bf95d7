// The number of the current sprite, written into the top-left corner of the sprite image.
#pragma once

#include <QImage>

namespace kelvane {

// Writes number in the fixed-width font at 10 pixels, black on an opaque white box, as
// QPainter::drawText would; the pixels come out the same whichever way it is done.
void WriteSpriteNumber(QImage& spriteImage, int number);

// Paints it through QPainter every time: the reference the fast way is checked against.
void PaintSpriteNumber(QImage& spriteImage, int number);

}  // namespace kelvane
