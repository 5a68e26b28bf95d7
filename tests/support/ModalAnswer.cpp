#include "support/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

namespace kelvane::test {
namespace {

void Poll(std::shared_ptr<std::function<void(QWidget*)>> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      Poll(action);
      return;
    }
    (*action)(modal);
  });
}

}  // namespace

void AnswerNextModal(std::function<void(QWidget*)> action) {
  Poll(std::make_shared<std::function<void(QWidget*)>>(std::move(action)));
}

void AnswerMessageBox(QMessageBox::StandardButton button, MessageBoxSeen* seen) {
  AnswerNextModal([button, seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      modal->close();  // not what the test expected; never hang
      return;
    }
    if (seen) {
      seen->shown = true;
      seen->caption = box->windowTitle();
      seen->text = box->text();
      seen->hadIcon = box->icon() != QMessageBox::NoIcon;
      for (QAbstractButton* b : box->buttons()) seen->buttons.append(box->standardButton(b));
    }
    QAbstractButton* target = box->button(button);
    if (target) {
      target->click();
    } else {
      box->close();
    }
  });
}

void AnswerFileDialog(const QString& path) {
  AnswerNextModal([path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr || path.isEmpty()) {
      modal->close();
      return;
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setText(path);
    // Return in the name box accepts the dialog, exactly as the user would finish typing.
    QTest::keyClick(edit, Qt::Key_Return);
  });
}

}  // namespace kelvane::test
