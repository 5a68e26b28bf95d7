#include "support/ModalAnswer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

void Press(QMessageBox* box, QMessageBox::StandardButton button, MessageBoxSeen* seen) {
  if (seen) {
    seen->shown = true;
    seen->caption = box->windowTitle();
    seen->text = box->text();
    seen->hadIcon = box->icon() != QMessageBox::NoIcon;
    for (QAbstractButton* b : box->buttons()) {
      seen->buttons.append(box->standardButton(b));
      seen->buttonTexts.append(b->text());
    }
    seen->defaultButton = box->standardButton(box->defaultButton());
  }
  QAbstractButton* target = box->button(button);
  if (target) {
    target->click();
  } else {
    box->close();
  }
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
    Press(box, button, seen);
  });
}

void AnswerMessageBoxIfShown(std::shared_ptr<const bool> waiting,
                             QMessageBox::StandardButton button, MessageBoxSeen* seen) {
  QTimer::singleShot(0, [=] {
    if (!*waiting) return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      AnswerMessageBoxIfShown(waiting, button, seen);
      return;
    }
    Press(box, button, seen);
  });
}

void AnswerFileDialog(const QString& path) {
  AnswerNextModal([path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr || path.isEmpty()) {
      modal->close();
      return;
    }
    TypeIntoFileDialog(dialog, path);
  });
}

void TypeIntoFileDialog(QWidget* modal, const QString& path) {
  // The dialog selects the file it proposes in its list, and a user's typing replaces that
  // selection; the dialog only does so while the name box has the keyboard focus, which the
  // offscreen platform may not give it.
  if (auto* list = modal->findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
    list->clearSelection();
  }
  auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(path);
  // Return in the name box accepts the dialog, exactly as the user would finish typing.
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace kelvane::test
