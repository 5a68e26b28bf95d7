#include "ui/ColourSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/FocusRing.h"

namespace kelvane {

ColourSwatch::ColourSwatch(QWidget* parent) : FilledFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::TabFocus);
}

void ColourSwatch::SetColour(QRgb colour, std::string_view name) {
  // The window sets every swatch on every change of the document, a painted cell included: only
  // a new colour is painted, and only then do screen readers hear of a new description.
  if (colour == colour_ && testAttribute(Qt::WA_SetPalette)) return;
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor::fromRgb(colour));
  setPalette(p);
  setAccessibleDescription(
      QString::fromLatin1(name) +
      QStringLiteral("; click to select the pen, then a colour in the strip to change it"));
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->pos())) emit Clicked();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    if (!event->isAutoRepeat()) emit Clicked();
    return;
  }
  FilledFrame::keyPressEvent(event);
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
  FilledFrame::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  DrawFocusRing(painter, *this);
}

void ColourSwatch::focusInEvent(QFocusEvent* event) {
  FilledFrame::focusInEvent(event);
  update();
}

void ColourSwatch::focusOutEvent(QFocusEvent* event) {
  FilledFrame::focusOutEvent(event);
  update();
}

}  // namespace kelvane
