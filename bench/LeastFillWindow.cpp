#include "LeastFillWindow.h"

#include <QPaintEvent>
#include <QPainter>

namespace kelvane::bench {

LeastFillWindow::LeastFillWindow(QSize size, QWidget* owner)
    : QWidget(owner, Qt::Window), picture_(size, QImage::Format_RGB32) {
  picture_.fill(Qt::black);
  setFixedSize(size);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LeastFillWindow::mousePressEvent(QMouseEvent*) {
  lit_ = !lit_;
  picture_.fill(lit_ ? Qt::white : Qt::black);
  update();
}

void LeastFillWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  for (const QRect& rect : event->region()) painter.drawImage(rect, picture_, rect);
}

}  // namespace kelvane::bench
