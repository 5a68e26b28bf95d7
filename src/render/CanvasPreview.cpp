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
  const int left = std::clamp(fit.left, 0, band.width());
  const int right = std::clamp(fit.left + shownWidth * fit.zoom, left, band.width());
  // The lines through bits() fetched once: scanLine() checks whether the image is shared.
  uchar* const bits = band.bits();
  const qsizetype stride = band.bytesPerLine();
  const uchar* const source = canvasImage.constBits();
  const qsizetype sourceStride = canvasImage.bytesPerLine();
  for (int line = 0; line < band.height(); ++line) {
    auto* const out = reinterpret_cast<QRgb*>(bits + line * stride);
    QRgb* const end = out + band.width();
    const int y = (top + line - fit.top) / fit.zoom;
    if (top + line < fit.top || y >= shownHeight) {
      std::fill(out, end, background);
      continue;
    }
    std::fill(out, out + left, background);
    std::fill(out + right, end, background);
    const auto* in = reinterpret_cast<const QRgb*>(source + y * fit.step * sourceStride);
    // Each shown canvas pixel, zoom preview pixels wide: a large canvas is shown at 1.
    if (fit.zoom == 1) {
      for (QRgb* at = out + left; at < out + right; ++at, in += fit.step) *at = *in;
      continue;
    }
    for (QRgb* at = out + left; at < out + right; in += fit.step) {
      for (int k = 0; k < fit.zoom && at < out + right; ++k) *at++ = *in;
    }
  }
}

}  // namespace kelvane
