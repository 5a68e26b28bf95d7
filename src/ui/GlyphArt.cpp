#include "ui/GlyphArt.h"

namespace kelvane {

QImage DrawGlyph(int size, const QColor& keyColour, const std::function<void(QPainter&)>& symbol) {
  QImage image(size, size, QImage::Format_RGB32);
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
