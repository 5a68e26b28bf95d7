// A pen colour swatch: a small bordered panel in one colour that selects its pen when clicked.
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

 private:
  QRgb colour_ = 0;
};

}  // namespace kelvane
