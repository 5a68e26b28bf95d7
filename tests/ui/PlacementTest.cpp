// The file dialogs open centred over the main window, whatever a window manager would choose.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QScreen>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/Placement.h"

namespace kelvane::test {
namespace {

using FileDialogs = MainWindowFixture;

TEST_F(FileDialogs, OpenCentredOverTheMainWindow) {
  form().move(120, 90);
  for (QFileDialog* dialog : {form().OpenDialog1, form().SaveDialog1}) {
    QPoint shownAt, centred;
    AnswerNextModal([&](QWidget* modal) {
      shownAt = modal->pos();
      centred = CentredOver(form().frameGeometry(), modal->frameGeometry().size(),
                            form().screen()->availableGeometry());
      modal->close();
    });
    dialog->exec();
    EXPECT_EQ(shownAt, centred) << dialog->objectName().toStdString();
  }
}

}  // namespace
}  // namespace kelvane::test
