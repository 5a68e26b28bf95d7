#include "render/OnionSkin.h"

#include <algorithm>
#include <vector>

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
  std::vector<SpriteCanvas> canvases;
  for (const int frame : frames) canvases.push_back(SpriteCanvas::Single(frame));
  DrawCanvasOnionSkin(spriteImage, bank, state, SpriteCanvas::Single(shown), canvases, percent);
}

void DrawCanvasOnionSkin(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                         const SpriteCanvas& shown, std::span<const SpriteCanvas> frames,
                         int percent) {
  const CanvasPixels shownPixels(bank, shown);
  for (const SpriteCanvas& frame : frames) {
    QImage frameImage = MakeWorkImage(frame.Width(), frame.Height(), 0);
    RenderCanvas(frameImage, bank, state, frame);
    const CanvasPixels framePixels(bank, frame);
    const int width = std::min({shown.Width(), frame.Width(), canvasImage.width()});
    const int height = std::min({shown.Height(), frame.Height(), canvasImage.height()});
    for (int y = 0; y < height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(canvasImage.scanLine(y));
      const auto* frameLine = reinterpret_cast<const QRgb*>(frameImage.constScanLine(y));
      for (int x = 0; x < width; ++x) {
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
