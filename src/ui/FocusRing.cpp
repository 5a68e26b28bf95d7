#include "ui/FocusRing.h"

#include <QPainter>
#include <QWidget>

namespace kelvane {
namespace {

constexpr int kRingWidth = 2;

}  // namespace

void DrawFocusRing(QPainter& painter, const QWidget& widget) {
  const QColor colour = widget.palette().color(QPalette::Highlight);
  const QRect r = widget.rect();
  painter.fillRect(QRect(r.left(), r.top(), r.width(), kRingWidth), colour);
  painter.fillRect(QRect(r.left(), r.bottom() + 1 - kRingWidth, r.width(), kRingWidth), colour);
  painter.fillRect(QRect(r.left(), r.top(), kRingWidth, r.height()), colour);
  painter.fillRect(QRect(r.right() + 1 - kRingWidth, r.top(), kRingWidth, r.height()), colour);
}

}  // namespace kelvane
