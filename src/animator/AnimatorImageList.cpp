#include "animator/AnimatorImageList.h"

#include <QPainter>
#include <QPolygonF>

#include "ui/GlyphArt.h"

namespace kelvane {
namespace {

// Symbols in a 23 x 23 key, centre (11.5, 11.5).
void StopSymbol(QPainter& p) {
  p.drawRect(QRectF(7.5, 7.5, 8, 8));
}

void PlaySymbol(QPainter& p) {
  p.drawPolygon(QPolygonF{QPointF(8.5, 6.5), QPointF(8.5, 16.5), QPointF(16.5, 11.5)});
}

}  // namespace

AnimatorImageList::AnimatorImageList(qreal ratio) : ratio_(ratio) {
  GlyphPainter painter(kAnimatorGlyphSize, ratio);
  pictures_[kStopAtRest] = painter.Draw(kGreyKey, StopSymbol);
  pictures_[kPlayAtRest] = painter.Draw(kGreyKey, PlaySymbol);
  pictures_[kStopPressed] = painter.Draw(kGreyKeyPressed, StopSymbol);
  pictures_[kPlayPressed] = painter.Draw(kGreyKeyPressed, PlaySymbol);
}

void AnimatorImageList::Draw(ImageControl& target, int x, int y, int index) const {
  ShowGlyph(target, x, y, pictures_[index], ratio_);
}

}  // namespace kelvane
