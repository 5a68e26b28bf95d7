// The ring a control that has the keyboard focus draws round itself: solid and two pixels wide
// in the desktop's highlight colour, so that it shows over any colour a glyph or swatch has.
#pragma once

class QPainter;
class QWidget;

namespace kelvane {

void DrawFocusRing(QPainter& painter, const QWidget& widget);

}  // namespace kelvane
