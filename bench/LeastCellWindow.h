// The least a Qt 6 Widgets window can do for a painted cell, to set Kelvane's beside: a move
// with a button held fills the multi-colour pixel under the pointer in a grid of the editor's
// size and its block in a preview of the preview's size, both in one picture, and asks Qt to
// repaint just those two rectangles. No document, no redraw, no status bar.
#pragma once

#include <QImage>
#include <QWidget>

namespace kelvane::bench {

class LeastCellWindow : public QWidget {
 public:
  LeastCellWindow();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace kelvane::bench
