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

SaveAnswer AskSaveChanges(QWidget* parent, const QString& caption, const QString& name) {
  QMessageBox box(QMessageBox::NoIcon, caption, QStringLiteral("Save changes to %1?").arg(name),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::Save;
    case QMessageBox::Discard:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

// Buttons of the standard kinds, named for what they do here: Later is the escape.
RecoverAnswer AskRecover(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text,
                  QMessageBox::Yes | QMessageBox::Discard | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Recover"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Later"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return RecoverAnswer::Recover;
    case QMessageBox::Discard:
      return RecoverAnswer::Discard;
    default:
      return RecoverAnswer::Later;
  }
}

void ShowMessage(QWidget* parent, const QString& caption, const QString& text, bool withCancel) {
  Ask(parent, caption, text,
      withCancel ? QMessageBox::Ok | QMessageBox::Cancel
                 : QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace kelvane
