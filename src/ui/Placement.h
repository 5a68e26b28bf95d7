// Controls sit at fixed positions, as the windows were laid out: one call names and places one.
#pragma once

#include <QString>

namespace kelvane {

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace kelvane
