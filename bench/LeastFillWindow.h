// The least a Qt 6 Widgets window can do for a fill: a press fills its whole picture with the other
// of two colours and asks Qt to repaint all of it. No document, no flood, no undo step. Given as
// many pixels as Kelvane's fill of an object repaints, it is the platform's share of that fill.
#pragma once

#include <QImage>
#include <QWidget>

namespace kelvane::bench {

class LeastFillWindow : public QWidget {
 public:
  // A window of its own, owned by owner.
  LeastFillWindow(QSize size, QWidget* owner);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  bool lit_ = false;
};

}  // namespace kelvane::bench
