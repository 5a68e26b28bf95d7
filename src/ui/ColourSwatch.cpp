#include "ui/ColourSwatch.h"

#include <QMouseEvent>

namespace kelvane {

ColourSwatch::ColourSwatch(QWidget* parent) : FilledFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
}

void ColourSwatch::SetColour(QRgb colour) {
  // The window sets every swatch on every change of the document, a painted cell included.
  if (colour == colour_ && testAttribute(Qt::WA_SetPalette)) return;
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor::fromRgb(colour));
  setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->pos())) emit Clicked();
}

}  // namespace kelvane
