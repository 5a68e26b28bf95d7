#include "render/CanvasPreview.h"

#include <algorithm>

#include "render/EditorGeometry.h"

namespace kelvane {

CanvasPreviewFit FitCanvasPreview(int width, int height) {
  CanvasPreviewFit fit;
  fit.zoom = std::max(1, std::min(kPreviewWidth / width, kPreviewHeight / height));
  // Rounded up, so that what is left fits.
  fit.step = std::max({1, (width + kPreviewWidth - 1) / kPreviewWidth,
                       (height + kPreviewHeight - 1) / kPreviewHeight});
  const int shownWidth = width / fit.step * fit.zoom;
  const int shownHeight = height / fit.step * fit.zoom;
  fit.left = (kPreviewWidth - shownWidth) / 2;
  fit.top = (kPreviewHeight - shownHeight) / 2;
  return fit;
}

QRect CanvasPreviewRect(int canvasWidth, int canvasHeight, QRect pixels) {
  const CanvasPreviewFit fit = FitCanvasPreview(canvasWidth, canvasHeight);
  // Whole preview pixels round the canvas pixels, one more each way for those a step skips.
  const int left = fit.left + pixels.left() / fit.step * fit.zoom;
  const int top = fit.top + pixels.top() / fit.step * fit.zoom;
  const int right = fit.left + (pixels.right() / fit.step + 1) * fit.zoom;
  const int bottom = fit.top + (pixels.bottom() / fit.step + 1) * fit.zoom;
  return {left, top, right - left, bottom - top};
}

void DrawCanvasPreviewBand(QImage& band, const QImage& canvasImage, QRgb background, int top) {
  const CanvasPreviewFit fit = FitCanvasPreview(canvasImage.width(), canvasImage.height());
  const int shownWidth = canvasImage.width() / fit.step;
  const int shownHeight = canvasImage.height() / fit.step;
  for (int line = 0; line < band.height(); ++line) {
    auto* out = reinterpret_cast<QRgb*>(band.scanLine(line));
    std::fill(out, out + band.width(), background);
    const int y = (top + line - fit.top) / fit.zoom;
    if (top + line < fit.top || y >= shownHeight) continue;
    const auto* in = reinterpret_cast<const QRgb*>(canvasImage.constScanLine(y * fit.step));
    const int right = std::min(band.width(), fit.left + shownWidth * fit.zoom);
    if (fit.zoom == 1) {
      for (int x = fit.left, from = 0; x < right; ++x, from += fit.step) out[x] = in[from];
      continue;
    }
    for (int x = fit.left; x < right; ++x) out[x] = in[(x - fit.left) / fit.zoom * fit.step];
  }
}

}  // namespace kelvane
