#include "ui/GlyphArt.h"

#include <cmath>
#include <cstring>

namespace kelvane {

GlyphPainter::GlyphPainter(int size, qreal ratio) : size_(size) {
  const int pixels = static_cast<int>(std::ceil(size * ratio));
  canvas_ = QImage(pixels, pixels, QImage::Format_RGB32);
  canvas_.setDevicePixelRatio(ratio);  // the painter below works in key coordinates
}

const QImage& GlyphPainter::KeyPicture(const QColor& colour) {
  for (const Key& key : keys_) {
    if (key.colour == colour.rgba()) return key.picture;
  }
  canvas_.fill(kGlyphBackground);
  QPainter painter(&canvas_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour.darker(140), 1));
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(1.5, 1.5, size_ - 3, size_ - 3), 4, 4);
  painter.end();
  keys_.push_back({colour.rgba(), canvas_.copy()});
  return keys_.back().picture;
}

QImage GlyphPainter::Draw(const QColor& keyColour, const std::function<void(QPainter&)>& symbol) {
  const QImage& key = KeyPicture(keyColour);
  std::memcpy(canvas_.bits(), key.constBits(), static_cast<std::size_t>(key.sizeInBytes()));
  QPainter painter(&canvas_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::white);
  symbol(painter);
  painter.end();
  return canvas_.copy();
}

void ShowGlyph(ImageControl& target, int x, int y, const QImage& picture, qreal ratio) {
  target.SetPictureRatio(ratio, kGlyphBackground.rgb());
  QImage& shown = target.Picture();
  if (x == 0 && y == 0 && shown.size() == picture.size() && shown.format() == picture.format() &&
      shown.devicePixelRatio() == picture.devicePixelRatio()) {
    shown = picture;
    return;
  }
  QPainter painter(&shown);
  painter.drawImage(QPointF(x, y), picture);
}

}  // namespace kelvane
