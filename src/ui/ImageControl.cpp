#include "ui/ImageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <utility>

#include "ui/FocusRing.h"

namespace kelvane {

ImageControl::ImageControl(QWidget* parent, int width, int height, QRgb fill)
    : ImageControl(parent, width, height, fill, {}) {
  MakePicture();
}

ImageControl::ImageControl(QWidget* parent, int width, int height, QRgb fill,
                           std::function<void()> drawFirst)
    : QWidget(parent), fill_(fill), drawFirst_(std::move(drawFirst)) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_StaticContents);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

ImageControl::ImageControl(QWidget* parent, int width, int height, int bandHeight,
                           BandDrawer drawBand)
    : ImageControl(parent, width, height, QRgb{0}, std::function<void()>{}) {
  drawBand_ = std::move(drawBand);
  band_ = QImage(width, bandHeight, QImage::Format_RGB32);
  bandLines_ = bandHeight;
}

void ImageControl::DrawWhole() {
  // For reading: one pixel per pixel of the control, whatever the bands are painted at.
  if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
  QImage band(width(), bandLines_, QImage::Format_RGB32);
  for (int top = 0; top < height(); top += bandLines_) {
    drawBand_(band, top);
    for (int line = 0; line < bandLines_ && top + line < height(); ++line) {
      std::memcpy(picture_.scanLine(top + line), band.constScanLine(line),
                  static_cast<std::size_t>(band.bytesPerLine()));
    }
  }
}

void ImageControl::MakePicture() {
  const std::function<void()> draw = std::exchange(drawFirst_, {});
  picture_ = QImage(size(), QImage::Format_RGB32);
  picture_.fill(fill_);
  if (draw) draw();
}

void ImageControl::SetPictureRatio(qreal ratio, QRgb fill) {
  if (Picture().devicePixelRatio() == ratio) return;
  picture_ = QImage(static_cast<int>(std::ceil(width() * ratio)),
                    static_cast<int>(std::ceil(height() * ratio)), QImage::Format_RGB32);
  picture_.setDevicePixelRatio(ratio);
  picture_.fill(fill);
}

void ImageControl::Reshape(int width, int height, int bandHeight, qreal bandRatio) {
  const int lines = bandHeight > 0 ? bandHeight : bandLines_;
  const bool bandSame = !drawBand_ || (lines == bandLines_ && bandRatio == bandRatio_);
  if (size() == QSize(width, height) && bandSame) return;
  setFixedSize(width, height);
  if (drawBand_) {
    bandLines_ = lines;
    bandRatio_ = bandRatio;
    band_ = QImage(static_cast<int>(std::lround(width * bandRatio)),
                   static_cast<int>(std::lround(lines * bandRatio)), QImage::Format_RGB32);
    band_.setDevicePixelRatio(bandRatio);
  } else if (!drawFirst_) {
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(fill_);
  }
  update();
}

void ImageControl::PaintOverParent() {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageControl::MakeKeyboardButton() {
  setFocusPolicy(Qt::TabFocus);
  focusRing_ = true;
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
  if (drawBand_) {
    const int bandHeight = bandLines_;
    const qreal r = bandRatio_;
    for (const QRect& dirty : event->region()) {
      for (int top = dirty.top() - dirty.top() % bandHeight; top <= dirty.bottom();
           top += bandHeight) {
        drawBand_(band_, top);
        const QRect part = dirty & QRect(0, top, width(), bandHeight);
        painter.drawImage(
            QRectF(part), band_,
            QRectF(part.x() * r, (part.y() - top) * r, part.width() * r, part.height() * r));
      }
    }
  } else {
    const QImage& picture = Picture();
    const qreal ratio = picture.devicePixelRatio();
    for (const QRect& dirty : event->region()) {
      painter.drawImage(QRectF(dirty), picture,
                        QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio,
                               dirty.height() * ratio));
    }
  }
  // A button shows the focus with a ring; the grid shows its pixel cursor instead.
  if (hasFocus() && focusRing_) DrawFocusRing(painter, *this);
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

void ImageControl::keyPressEvent(QKeyEvent* event) {
  if (focusPolicy() == Qt::NoFocus || event->key() != Qt::Key_Space ||
      event->modifiers() != Qt::NoModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  // A held key repeats; the button is pressed once.
  if (!event->isAutoRepeat() && !spaceHeld_) {
    spaceHeld_ = true;
    emit SpaceDown();
  }
}

void ImageControl::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !spaceHeld_) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  spaceHeld_ = false;
  emit SpaceUp();
}

void ImageControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void ImageControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
  // The release of a held Space now goes to another control. The focus may be leaving because
  // the press is disabling this one, so the release waits until that press has finished.
  if (std::exchange(spaceHeld_, false)) {
    QMetaObject::invokeMethod(this, &ImageControl::SpaceUp, Qt::QueuedConnection);
  }
}

void ImageControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit MouseLeft();
}

}  // namespace kelvane
