// The file dialogs open centred over the main window, whatever a window manager would choose.
#include <gtest/gtest.h>

#include <QAction>
#include <QScreen>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/Placement.h"

namespace kelvane::test {
namespace {

using FileDialogs = MainWindowFixture;

TEST_F(FileDialogs, OpenCentredOverTheMainWindow) {
  form().move(120, 90);
  // The dialogs are made when first used.
  for (QAction* command : {form().Open1, form().SaveAll1}) {
    QPoint shownAt, centred;
    AnswerNextModal([&](QWidget* modal) {
      shownAt = modal->pos();
      centred = CentredOver(form().frameGeometry(), modal->frameGeometry().size(),
                            form().screen()->availableGeometry());
      modal->close();
    });
    command->trigger();
    EXPECT_EQ(shownAt, centred) << command->objectName().toStdString();
  }
}

}  // namespace
}  // namespace kelvane::test
