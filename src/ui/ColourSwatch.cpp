#include "ui/ColourSwatch.h"

#include <QMouseEvent>

namespace kelvane {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
}

void ColourSwatch::SetColour(QRgb colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor::fromRgb(colour));
  setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->pos())) emit Clicked();
}

}  // namespace kelvane
