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

AnimatorImageList::AnimatorImageList() {
  pictures_[kStopAtRest] = DrawGlyph(kAnimatorGlyphSize, kGreyKey, StopSymbol);
  pictures_[kPlayAtRest] = DrawGlyph(kAnimatorGlyphSize, kGreyKey, PlaySymbol);
  pictures_[kStopPressed] = DrawGlyph(kAnimatorGlyphSize, kGreyKeyPressed, StopSymbol);
  pictures_[kPlayPressed] = DrawGlyph(kAnimatorGlyphSize, kGreyKeyPressed, PlaySymbol);
}

void AnimatorImageList::Draw(ImageControl& target, int x, int y, int index) const {
  QPainter painter(&target.Picture());
  painter.drawImage(x, y, pictures_[index]);
}

}  // namespace kelvane
