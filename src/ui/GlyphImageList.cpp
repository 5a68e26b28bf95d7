#include "ui/GlyphImageList.h"

#include <QPainterPath>

#include "ui/GlyphArt.h"

namespace kelvane {
namespace {

// Symbols in a 24 x 24 key, centre (12, 12).
void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  QPolygonF head{to + d * 1.5, to - d * 4 + n * 4, to - d * 4 - n * 4};
  p.drawPolygon(head);
}

void Symbol(QPainter& p, int button) {
  switch (button) {
    case kGlyphCut:
      p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(7, 7), QPointF(17, 17));
      p.drawLine(QPointF(17, 7), QPointF(7, 17));
      break;
    case kGlyphCopy:
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(6, 6, 8, 8));
      p.drawRect(QRectF(10, 10, 8, 8));
      break;
    case kGlyphPaste:
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(7, 7, 10, 11));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(10, 5, 4, 3));
      p.drawLine(QPointF(9.5, 12), QPointF(14.5, 12));
      p.drawLine(QPointF(9.5, 15), QPointF(14.5, 15));
      break;
    case kGlyphUp:
      Arrow(p, {12, 18}, {12, 7});
      break;
    case kGlyphDown:
      Arrow(p, {12, 6}, {12, 17});
      break;
    case kGlyphLeft:
      Arrow(p, {18, 12}, {7, 12});
      break;
    case kGlyphRight:
      Arrow(p, {6, 12}, {17, 12});
      break;
    case kGlyphFlipX:
      Arrow(p, {12, 12}, {12, 6});
      Arrow(p, {12, 12}, {12, 18});
      break;
    case kGlyphFlipY:
      Arrow(p, {12, 12}, {6, 12});
      Arrow(p, {12, 12}, {18, 12});
      break;
    case kGlyphSymmX:  // mirror line across, the upper half reflected down
      p.drawLine(QPointF(5, 12), QPointF(19, 12));
      Arrow(p, {12, 5}, {12, 16});
      break;
    case kGlyphSymmY:  // mirror line down, the left half reflected right
      p.drawLine(QPointF(12, 5), QPointF(12, 19));
      Arrow(p, {5, 12}, {16, 12});
      break;
    case kGlyphUndo: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
      QPainterPath u;
      u.moveTo(8, 6);
      u.lineTo(8, 13);
      u.cubicTo(8, 19, 16, 19, 16, 13);
      u.lineTo(16, 6);
      p.drawPath(u);
      break;
    }
  }
}

bool IsBlueKey(int button) {
  return button == kGlyphCut || button == kGlyphCopy || button == kGlyphPaste ||
         button == kGlyphUndo;
}

QColor KeyColour(int index) {
  const bool pressed = index >= kGlyphButtons;
  if (IsBlueKey(index % kGlyphButtons)) return pressed ? kBlueKeyPressed : kBlueKey;
  return pressed ? kGreyKeyPressed : kGreyKey;
}

QImage DrawPicture(GlyphPainter& painter, int index) {
  const int button = index % kGlyphButtons;
  return painter.Draw(KeyColour(index), [button](QPainter& p) { Symbol(p, button); });
}

}  // namespace

GlyphImageList::GlyphImageList(qreal ratio) : ratio_(ratio) {
  GlyphPainter painter(kGlyphSize, ratio);
  for (int button = 0; button < kGlyphButtons; ++button) {
    pictures_[RestIndex(button)] = DrawPicture(painter, RestIndex(button));
  }
}

const QImage& GlyphImageList::Picture(int index) const {
  QImage& picture = pictures_[index];
  if (picture.isNull()) {
    GlyphPainter painter(kGlyphSize, ratio_);
    picture = DrawPicture(painter, index);
  }
  return picture;
}

void GlyphImageList::Draw(ImageControl& target, int x, int y, int index) const {
  ShowGlyph(target, x, y, Picture(index), ratio_);
}

}  // namespace kelvane
