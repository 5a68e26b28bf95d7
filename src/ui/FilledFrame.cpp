#include "ui/FilledFrame.h"

#include <QPainter>

namespace kelvane {

void FilledFrame::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
  }
  QFrame::paintEvent(event);
}

}  // namespace kelvane
