#include "ui/ImageControl.h"

#include <QBackingStore>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
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
  bandLines_ = bandHeight;
  MakeStrip();
}

void ImageControl::MakeStrip() {
  // Enough bands for the whole control where it is small, else as many as this many pixels hold
  // (at least one): the strip stays a fraction of what a kept picture would take.
  constexpr qsizetype kStripPixels = 256 * 256;
  const int bandWidth = static_cast<int>(std::lround(width() * bandRatio_));
  const int bandHeight = static_cast<int>(std::lround(bandLines_ * bandRatio_));
  const int wholeBands = (height() + bandLines_ - 1) / bandLines_;
  const qsizetype bandPixels = qsizetype{bandWidth} * bandHeight;
  const int bands = static_cast<int>(
      std::clamp<qsizetype>(kStripPixels / std::max<qsizetype>(bandPixels, 1), 1, wholeBands));
  strip_ = QImage(bandWidth, bandHeight * bands, QImage::Format_RGB32);
  stripBands_.clear();
  deviceBands_.clear();
  for (int k = 1; k <= bands; ++k) {
    QImage& view = stripBands_.emplace_back(strip_.bits(), bandWidth, bandHeight * k,
                                            strip_.bytesPerLine(), QImage::Format_RGB32);
    view.setDevicePixelRatio(bandRatio_);
  }
}

void ImageControl::DrawWhole() {
  // For reading: one pixel per pixel of the control, whatever the bands are painted at.
  if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
  QImage band(width(), bandLines_, QImage::Format_RGB32);
  for (int top = 0; top < height(); top += bandLines_) {
    drawBand_(band, top, 0, band.width());
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
    MakeStrip();
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

// Where Qt paints the control into a 32-bit image at the control's own scale, as a raster window
// does: that image, and the control's place in it. A band can then be drawn and copied there
// without a painter call per rectangle.
struct DeviceImage {
  QImage* image = nullptr;
  QPoint offset;
};

namespace {

std::optional<DeviceImage> DeviceImageOf(const QWidget& widget, QPaintDevice* device,
                                         QPoint offset) {
  // Only the window's own image: a widget drawn into another picture (QWidget::render) may be
  // drawn through a painter's transform.
  QBackingStore* store = widget.backingStore();
  if (device == nullptr || store == nullptr || store->paintDevice() != device ||
      device->devType() != QInternal::Image) {
    return std::nullopt;
  }
  auto* image = static_cast<QImage*>(device);
  if (image->format() != QImage::Format_RGB32 || image->devicePixelRatio() != 1) {
    return std::nullopt;
  }
  return DeviceImage{image, -offset};
}

}  // namespace

QImage& ImageControl::DeviceBands(int band, int count, uchar* bits, qsizetype stride) {
  // A view of the image's lines is made once for each place: making one costs as much as
  // drawing a small band.
  const auto k = static_cast<std::size_t>(band);
  if (deviceBands_.size() <= k) deviceBands_.resize(k + 1);
  QImage& view = deviceBands_[k];
  if (view.constBits() != bits || view.bytesPerLine() != stride || view.width() != width() ||
      view.height() != count * bandLines_) {
    view = QImage(bits, width(), count * bandLines_, stride, QImage::Format_RGB32);
  }
  return view;
}

void ImageControl::PaintBandsInto(const DeviceImage& device, const QRegion& dirty) {
  const int bandHeight = bandLines_;
  const QRect deviceRect = device.image->rect().translated(-device.offset);
  uchar* const bits = device.image->bits();
  const qsizetype stride = device.image->bytesPerLine();
  const auto at = [&](int x, int y) {
    return bits + (device.offset.y() + y) * stride +
           (device.offset.x() + x) * qsizetype{sizeof(QRgb)};
  };
  const int stripBands = static_cast<int>(stripBands_.size());
  // Rectangle by rectangle, each drawn over its own columns only, as many bands to a call as
  // can be: a band two rectangles cross is drawn twice, but no pixel is.
  for (const QRect& dirtyRect : dirty) {
    const QRect rect = dirtyRect & deviceRect;
    if (rect.isEmpty()) continue;
    const bool wide = rect.left() == 0 && rect.width() == width();
    const bool inPlace = wide || bandsInPlace_;
    const int last = rect.bottom() / bandHeight;
    for (int band = rect.top() / bandHeight; band <= last;) {
      const int top = band * bandHeight;
      // Bands whose every line shows, as wide as the control or of a drawer that keeps to the
      // columns asked for, are drawn where they show.
      int whole = 0;
      while (inPlace && top >= rect.top() && top + (whole + 1) * bandHeight - 1 <= rect.bottom()) {
        ++whole;
      }
      if (whole > 0) {
        drawBand_(DeviceBands(band, whole, at(0, top), stride), top, rect.left(), rect.right() + 1);
        band += whole;
        continue;
      }
      // The rest through the strip, over the rectangle's columns, and copied.
      const int count = inPlace ? 1 : std::min(stripBands, last - band + 1);
      QImage& strip = stripBands_[static_cast<std::size_t>(count - 1)];
      drawBand_(strip, top, rect.left(), rect.right() + 1);
      const QRect part = rect & QRect(0, top, width(), count * bandHeight);
      for (int y = part.top(); y <= part.bottom(); ++y) {
        std::memcpy(at(part.left(), y), strip.constScanLine(y - top) + part.left() * sizeof(QRgb),
                    static_cast<std::size_t>(part.width()) * sizeof(QRgb));
      }
      band += count;
    }
  }
}

void ImageControl::paintEvent(QPaintEvent* event) {
  // Where Qt paints the control; then a picture drawn in bands is drawn there without a painter.
  QPoint offset;
  QPaintDevice* const target = redirected(&offset);
  const std::optional<DeviceImage> device =
      drawBand_ && bandRatio_ == 1 && !(hasFocus() && focusRing_)
          ? DeviceImageOf(*this, target, offset)
          : std::nullopt;
  if (device) {
    PaintBandsInto(*device, event->region());
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Rectangle by rectangle, not their bounding box: two cells far apart stay two small copies.
  if (drawBand_) {
    const int bandHeight = bandLines_;
    const qreal r = bandRatio_;
    const int stripBands = static_cast<int>(stripBands_.size());
    for (const QRect& dirty : event->region()) {
      const int left = static_cast<int>(std::floor(dirty.left() * r));
      const int right = static_cast<int>(std::ceil((dirty.right() + 1) * r));
      for (int top = dirty.top() - dirty.top() % bandHeight; top <= dirty.bottom();
           top += stripBands * bandHeight) {
        const int bands = std::min(stripBands, (dirty.bottom() - top) / bandHeight + 1);
        drawBand_(stripBands_[static_cast<std::size_t>(bands - 1)], top, left, right);
        const QRect part = dirty & QRect(0, top, width(), bands * bandHeight);
        painter.drawImage(
            QRectF(part), strip_,
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
