#include "tools/SquareRotation.h"

#include "tools/PixelBlock.h"

namespace kelvane {

bool RotateSpriteSquare(SpriteDocument& document, bool right) {
  if (document.CurrentIsMultiColour()) return false;
  const auto origin = document.Canvas().OriginOf(document.CurrentSprite());
  if (!origin) return false;
  constexpr int kSide = kSpriteRows;
  document.Apply(right ? "Rotate Right" : "Rotate Left", [&](CanvasEdit& edit) {
    PixelBlock square(kSide, kSide);
    for (int row = 0; row < kSide; ++row) {
      for (int column = 0; column < kSide; ++column) {
        square.Set(column, row, *edit.pixels.PenAt({origin->x + column, origin->y + row}));
      }
    }
    const PixelBlock turned = square.Rotated(right);
    for (int row = 0; row < kSide; ++row) {
      for (int column = 0; column < kSide; ++column) {
        const std::uint8_t pen = turned.At(column, row);
        edit.pixels.Plot({origin->x + column, origin->y + row}, pen, pen == kTransparentPen);
      }
    }
  });
  return true;
}

}  // namespace kelvane
