// Answers the next modal dialog from inside a test: the test queues an answer, then triggers
// the command that shows the dialog; the answer runs from the dialog's own event loop.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;
class QFileDialog;

namespace kelvane::test {

// Runs action on the next modal widget that appears (waiting for it without sleeping).
void AnswerNextModal(std::function<void(QWidget*)> action);

// Presses button on the next message box and records its caption and text.
struct MessageBoxSeen {
  bool shown = false;
  QString caption;
  QString text;
  bool hadIcon = false;
  QList<QMessageBox::StandardButton> buttons;
  QStringList buttonTexts;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
void AnswerMessageBox(QMessageBox::StandardButton button, MessageBoxSeen* seen = nullptr);
// The same for a message box that may not come: no longer waited for once *waiting is false.
void AnswerMessageBoxIfShown(std::shared_ptr<const bool> waiting,
                             QMessageBox::StandardButton button, MessageBoxSeen* seen);

// Types path into the next file dialog and accepts it (a path of "" cancels).
void AnswerFileDialog(const QString& path);

// Types path into the name box of the file dialog modal and presses Return there.
void TypeIntoFileDialog(QWidget* modal, const QString& path);

}  // namespace kelvane::test
