#include "render/OnionSkin.h"

#include "model/CanvasPixels.h"
#include "model/SpriteCanvas.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

constexpr int kWhole = 100;

int BlendChannel(int under, int over, int percent) {
  return (under * (kWhole - percent) + over * percent + kWhole / 2) / kWhole;
}

}  // namespace

QRgb BlendOver(QRgb under, QRgb over, int percent) {
  return qRgb(BlendChannel(qRed(under), qRed(over), percent),
              BlendChannel(qGreen(under), qGreen(over), percent),
              BlendChannel(qBlue(under), qBlue(over), percent));
}

void DrawOnionSkin(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int shown,
                   std::span<const int> frames, int percent) {
  const SpriteCanvas shownCanvas = SpriteCanvas::Single(shown);
  const CanvasPixels shownPixels(bank, shownCanvas);
  QImage frameImage = MakeWorkImage(kHiresColumns, kSpriteRows, 0);
  for (const int frame : frames) {
    RenderSprite(frameImage, bank, state, frame, false);
    const SpriteCanvas frameCanvas = SpriteCanvas::Single(frame);
    const CanvasPixels framePixels(bank, frameCanvas);
    for (int y = 0; y < kSpriteRows; ++y) {
      auto* line = reinterpret_cast<QRgb*>(spriteImage.scanLine(y));
      const auto* frameLine = reinterpret_cast<const QRgb*>(frameImage.constScanLine(y));
      for (int x = 0; x < kHiresColumns; ++x) {
        const CanvasPoint p{x, y};
        if (shownPixels.PenAt(p) != kTransparentPen || framePixels.PenAt(p) == kTransparentPen) {
          continue;
        }
        line[x] = BlendOver(line[x], frameLine[x], percent);
      }
    }
  }
}

}  // namespace kelvane
