// The preview beside the editor while it shows a canvas of several sprites: the whole canvas,
// as large as the preview holds it.
#pragma once

#include <QImage>
#include <QRect>

namespace kelvane {

// How many preview pixels a canvas pixel takes (zoom), or how many canvas pixels one preview
// pixel stands for (step), so that a canvas of width x height fits the preview.
struct CanvasPreviewFit {
  int zoom = 1;
  int step = 1;
  int left = 0;  // where the canvas starts in the preview
  int top = 0;
};
CanvasPreviewFit FitCanvasPreview(int width, int height);

// The preview's rectangle (x, y, width, height, as QRect takes them) that shows the canvas's
// pixels from (x, y) on, width x height of them, on a canvas of canvasWidth x canvasHeight.
QRect CanvasPreviewRect(int canvasWidth, int canvasHeight, QRect pixels);

// The preview's lines from top on (as many as band holds): the canvas in canvasImage centred
// on background, whole pixels only: a canvas larger than the preview shows every step-th pixel.
void DrawCanvasPreviewBand(QImage& band, const QImage& canvasImage, QRgb background, int top);

}  // namespace kelvane
