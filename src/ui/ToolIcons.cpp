#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "ui/GlyphArt.h"
#include "ui/GlyphImageList.h"

namespace kelvane {
namespace {

constexpr int kCursorSize = 32;
constexpr int kCursorHot = 8;  // the cross's centre
constexpr int kCursorSymbol = 18;

// Symbols in a 24 x 24 key, in the pen and brush the painter has.
void Symbol(QPainter& p, ToolPicture picture) {
  const QBrush fill = p.brush();
  switch (picture) {
    case ToolPicture::Pen: {
      p.drawLine(QPointF(8, 16), QPointF(17, 7));
      p.drawPolygon(QPolygonF{{5.5, 18.5}, {6.5, 14.5}, {9.5, 17.5}});
      break;
    }
    case ToolPicture::Fill: {
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(QPolygonF{{5, 11}, {11, 5}, {17, 11}, {11, 17}});
      p.setBrush(fill);
      p.drawPolygon(QPolygonF{{5, 11}, {17, 11}, {11, 17}});
      p.drawEllipse(QPointF(18.5, 16.5), 1.5, 2);
      break;
    }
    case ToolPicture::Line:
      p.drawLine(QPointF(6, 18), QPointF(18, 6));
      break;
    case ToolPicture::Rectangle:
    case ToolPicture::FilledRectangle:
      if (picture == ToolPicture::Rectangle) p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(6, 7, 12, 10));
      break;
    case ToolPicture::Ellipse:
    case ToolPicture::FilledEllipse:
      if (picture == ToolPicture::Ellipse) p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(5, 7, 14, 10));
      break;
    case ToolPicture::Picker: {
      p.drawLine(QPointF(6, 18), QPointF(13, 11));
      p.drawEllipse(QPointF(15.5, 8.5), 3, 3);
      break;
    }
    case ToolPicture::Select: {
      QPen dashed = p.pen();
      dashed.setWidthF(1.5);
      dashed.setCapStyle(Qt::FlatCap);
      dashed.setDashPattern({2, 2});
      p.setPen(dashed);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(5.5, 6.5, 13, 11));
      break;
    }
  }
}

QPixmap KeyPixmap(ToolPicture picture, qreal ratio, bool checked) {
  GlyphPainter painter(kGlyphSize, ratio);
  QImage image = painter.Draw(checked ? kGreyKeyPressed : kGreyKey,
                              [picture](QPainter& p) { Symbol(p, picture); });
  image.setDevicePixelRatio(ratio);
  return QPixmap::fromImage(image);
}

}  // namespace

QIcon ToolIcon(ToolPicture picture, qreal ratio) {
  QIcon icon;
  for (const qreal r : {qreal{1}, qreal{2}, ratio}) {
    icon.addPixmap(KeyPixmap(picture, r, false), QIcon::Normal, QIcon::Off);
    icon.addPixmap(KeyPixmap(picture, r, true), QIcon::Normal, QIcon::On);
  }
  return icon;
}

QCursor ToolCursor(ToolPicture picture, qreal ratio) {
  const int pixels = static_cast<int>(std::ceil(kCursorSize * ratio));
  QPixmap pixmap(pixels, pixels);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // The cross hairs in black with a white rim, to show on any colour; the centre left open.
  for (const auto& [colour, width] :
       {std::pair{QColor(Qt::white), 3.0}, std::pair{QColor(Qt::black), 1.0}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    const qreal c = kCursorHot + 0.5;
    p.drawLine(QPointF(c, 1), QPointF(c, c - 2));
    p.drawLine(QPointF(c, c + 2), QPointF(c, 2 * c - 1));
    p.drawLine(QPointF(1, c), QPointF(c - 2, c));
    p.drawLine(QPointF(c + 2, c), QPointF(2 * c - 1, c));
  }
  // The symbol, drawn in black on white, below right of the cross.
  p.translate(kCursorSize - kCursorSymbol, kCursorSize - kCursorSymbol);
  p.scale(qreal{kCursorSymbol} / kGlyphSize, qreal{kCursorSymbol} / kGlyphSize);
  for (const auto& [colour, width] :
       {std::pair{QColor(Qt::white), 4.5}, std::pair{QColor(Qt::black), 2.0}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    Symbol(p, picture);
  }
  p.end();
  return QCursor(pixmap, kCursorHot, kCursorHot);
}

}  // namespace kelvane
