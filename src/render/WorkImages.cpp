#include "render/WorkImages.h"

#include "render/C64Palette.h"

namespace kelvane {

QImage MakeWorkImage(int width, int height, QRgb fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

WorkImages::WorkImages()
    : SpriteImage(MakeWorkImage(kHiresColumns, kSpriteRows, PaletteRgb(0))),
      EditorImage(MakeWorkImage(kEditorWidth, kEditorHeight, PaletteRgb(0))) {}

}  // namespace kelvane
