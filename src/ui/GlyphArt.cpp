#include "ui/GlyphArt.h"

#include <cmath>

namespace kelvane {

QImage DrawGlyph(int size, qreal ratio, const QColor& keyColour,
                 const std::function<void(QPainter&)>& symbol) {
  const int pixels = static_cast<int>(std::ceil(size * ratio));
  QImage image(pixels, pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);  // the painter below works in key coordinates
  image.fill(kGlyphBackground);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(keyColour.darker(140), 1));
  painter.setBrush(keyColour);
  painter.drawRoundedRect(QRectF(1.5, 1.5, size - 3, size - 3), 4, 4);
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::white);
  symbol(painter);
  return image;
}

}  // namespace kelvane
