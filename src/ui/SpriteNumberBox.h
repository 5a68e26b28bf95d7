// A number box for a sprite number: an edit with its up-down arrows, 0 to 255, no wrap-around.
#pragma once

#include <QRect>

class QSpinBox;
class QWidget;

namespace kelvane {

// editName names the box's own edit, for windows whose edit and arrows were separate controls.
QSpinBox* SpriteNumberBox(QWidget* parent, const char* name, const QRect& geometry, int value,
                          const char* editName = nullptr);

}  // namespace kelvane
