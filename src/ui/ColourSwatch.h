// A pen colour swatch: a small bordered panel in one colour that selects its pen when clicked,
// or when Space is pressed on it once Tab has reached it.
#pragma once

#include <string_view>

#include "ui/FilledFrame.h"

namespace kelvane {

class ColourSwatch : public FilledFrame {
  Q_OBJECT
 public:
  explicit ColourSwatch(QWidget* parent);
  // name goes into the description screen readers give, with what a click does.
  void SetColour(QRgb colour, std::string_view name);
  QRgb Colour() const { return colour_; }

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QRgb colour_ = 0;
};

}  // namespace kelvane
