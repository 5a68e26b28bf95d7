#include "ui/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvane {

ImageControl::ImageControl(QWidget* parent, int width, int height, QRgb fill)
    : QWidget(parent), picture_(width, height, QImage::Format_RGB32) {
  picture_.fill(fill);
  setFixedSize(width, height);
  setAttribute(Qt::WA_StaticContents);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageControl::RepaintNow() {
  repaint();
}

bool ImageControl::event(QEvent* event) {
  // A control disabled by its own press (Undo taking the last step) still gets the release of
  // that press, so that it can show its rest picture again. Qt drops mouse events for disabled
  // widgets before they reach the handlers.
  if (event->type() == QEvent::MouseButtonRelease && !isEnabled() && pressedInside_) {
    mouseReleaseEvent(static_cast<QMouseEvent*>(event));
    return true;
  }
  return QWidget::event(event);
}

void ImageControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Rectangle by rectangle, not their bounding box: two cells far apart stay two small copies.
  for (const QRect& dirty : event->region()) painter.drawImage(dirty, picture_, dirty);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
  pressedInside_ = true;
  emit MouseDown(event);
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event);
  // A click is a press and release of the left button on the same control.
  if (pressedInside_ && event->button() == Qt::LeftButton && rect().contains(event->pos())) {
    emit Clicked();
  }
  pressedInside_ = false;
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt sends the second press of a double click as a double-click event only; the handlers
  // must still see it as a press. Its release is not a further click.
  pressedInside_ = false;
  emit MouseDown(event);
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

}  // namespace kelvane
