#include "ui/TNewObjectDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "model/C64Format.h"
#include "model/SpriteObject.h"
#include "ui/MessageBoxes.h"

namespace kelvane {
namespace {

QSpinBox* NumberBox(QWidget* parent, const char* name, int low, int high, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  box->setValue(value);
  return box;
}

}  // namespace

TNewObjectDialog::TNewObjectDialog(QWidget* owner, int firstSprite, int columns, int rows,
                                   std::function<QString(int, int, int)> onOk)
    : QDialog(owner), onOk_(std::move(onOk)) {
  setObjectName(QStringLiteral("NewObjectDialog"));
  setWindowTitle(QStringLiteral("New Object"));
  auto* form = new QFormLayout(this);
  Columns = NumberBox(this, "Columns", 1, kMaxObjectSide, columns);
  Rows = NumberBox(this, "Rows", 1, kMaxObjectSide, rows);
  FirstSprite = NumberBox(this, "FirstSprite", 0, kLastSprite, firstSprite);
  form->addRow(QStringLiteral("Sprites &across:"), Columns);
  form->addRow(QStringLiteral("Sprites &down:"), Rows);
  form->addRow(QStringLiteral("&First sprite:"), FirstSprite);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TNewObjectDialog::OkClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TNewObjectDialog::OkClick() {
  for (QSpinBox* box : {Columns, Rows, FirstSprite}) box->interpretText();
  const QString problem = onOk_(Columns->value(), Rows->value(), FirstSprite->value());
  if (!problem.isEmpty()) {
    ShowMessage(this, windowTitle(), problem, false);
    return;
  }
  accept();
}

}  // namespace kelvane
