#include "ui/TRangeEditBox.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "ui/SpriteNumberBox.h"

namespace kelvane {
namespace {

constexpr int kDesignLeft = 561;
constexpr int kDesignTop = 112;

}  // namespace

TRangeEditBox::TRangeEditBox(QWidget* owner, std::function<void(int, int)> onOk)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      onOk_(std::move(onOk)) {
  setObjectName(QStringLiteral("RangeEditBox"));
  setWindowTitle(QStringLiteral("Range"));
  setFixedSize(153, 96);
  move(kDesignLeft, kDesignTop);

  (new QLabel(QStringLiteral("From"), this))->move(16, 8);
  (new QLabel(QStringLiteral("To"), this))->move(80, 8);
  UpDown1 = SpriteNumberBox(this, "UpDown1", {16, 24, 56, 21}, 0);
  UpDown2 = SpriteNumberBox(this, "UpDown2", {80, 24, 56, 21}, 0);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(16, 64, 57, 25);
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(80, 64, 57, 25);
  setTabOrder(UpDown1, UpDown2);
  setTabOrder(UpDown2, Button1);
  setTabOrder(Button1, Button2);
  connect(Button1, &QPushButton::clicked, this, &TRangeEditBox::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TRangeEditBox::Button1Click() {
  // A half-typed number counts as the last valid value.
  UpDown1->interpretText();
  UpDown2->interpretText();
  if (onOk_) onOk_(UpDown1->value(), UpDown2->value());
  accept();
}

}  // namespace kelvane
