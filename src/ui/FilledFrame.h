// A frame filled with its palette's window colour, which it paints itself.
#pragma once

#include <QFrame>

namespace kelvane {

// Qt cuts every control that fills its own background out of the region it paints the controls
// under it in. Twenty small ones on the Editor page left the page's frame to be painted through
// 48 rectangles, and Qt's raster engine sets aside spans for every rectangle on every line of
// such a clip: 215 KB at the first paint. Painted here instead, the fill gives the same pixels
// and Qt paints what lies under it in one piece.
class FilledFrame : public QFrame {
  Q_OBJECT
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kelvane
