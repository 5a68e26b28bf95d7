#include "ui/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace kelvane {
namespace {

QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, buttons, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text) {
  return Ask(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
  return Ask(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool AskOverwrite(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::Cancel,
                  parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Overwrite"));
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Yes;
}

void ShowMessage(QWidget* parent, const QString& caption, const QString& text, bool withCancel) {
  Ask(parent, caption, text,
      withCancel ? QMessageBox::Ok | QMessageBox::Cancel
                 : QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace kelvane
