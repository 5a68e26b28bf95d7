#include "ui/SpriteNumberBox.h"

#include <QLineEdit>
#include <QSpinBox>

#include "model/C64Format.h"
#include "ui/Placement.h"

namespace kelvane {

QSpinBox* SpriteNumberBox(QWidget* parent, const char* name, const QRect& geometry, int value,
                          const char* editName) {
  auto* box = Place(new QSpinBox(parent), name, geometry.x(), geometry.y(), geometry.width(),
                    geometry.height());
  box->setRange(0, kLastSprite);
  box->setWrapping(false);
  box->setValue(value);
  if (editName) box->findChild<QLineEdit*>()->setObjectName(QString::fromLatin1(editName));
  return box;
}

}  // namespace kelvane
