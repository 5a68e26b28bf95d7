// A plain image control: shows its picture unscaled and hands its mouse events to its owner.
#pragma once

#include <QImage>
#include <QWidget>

namespace kelvane {

class ImageControl : public QWidget {
  Q_OBJECT
 public:
  ImageControl(QWidget* parent, int width, int height, QRgb fill);

  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }
  // Repaints at once, as the window's handlers expect after drawing into the picture.
  void RepaintNow();

 signals:
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);
  void Clicked();
  void DoubleClicked();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  bool pressedInside_ = false;
};

}  // namespace kelvane
