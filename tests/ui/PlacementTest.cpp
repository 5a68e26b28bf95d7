// Where windows open: dialogs centred over their owner, the Animator beside the grid.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QScreen>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/Placement.h"

namespace kelvane::test {
namespace {

const QRect kScreen(0, 0, 1280, 1024);
const QSize kAnimator(131, 175);

struct BesideCase {
  const char* name;
  QRect owner;
  QPoint expected;
};

class Beside : public ::testing::TestWithParam<BesideCase> {};

// The grid is the owner's left part, 40 pixels below its top.
TEST_P(Beside, TheOwnersSideWithRoomElseClearOfTheGrid) {
  const BesideCase& c = GetParam();
  const QRect grid(c.owner.left() + 5, c.owner.top() + 40, 192, 168);
  const QPoint corner = BesideOwner(c.owner, grid, kAnimator, kScreen);
  EXPECT_EQ(corner, c.expected);
  EXPECT_FALSE(QRect(corner, kAnimator).intersects(grid));
  EXPECT_TRUE(kScreen.contains(QRect(corner, kAnimator)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Beside,
    ::testing::Values(
        BesideCase{"right", {164, 53, 306, 380}, {478, 93}},
        BesideCase{"left_at_the_screens_right_edge", {970, 53, 306, 380}, {831, 93}},
        BesideCase{"over_the_rest_of_a_screen_wide_owner", {0, 0, 1280, 1000}, {205, 40}},
        BesideCase{"kept_on_screen_near_the_bottom", {164, 900, 306, 120}, {478, 849}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CentredOver, TheOwnerAndKeptOnScreen) {
  EXPECT_EQ(CentredOver({164, 53, 306, 380}, {600, 400}, kScreen), QPoint(16, 42));
  EXPECT_EQ(CentredOver({0, 0, 100, 100}, {600, 400}, kScreen), QPoint(0, 0));
  EXPECT_EQ(CentredOver({1200, 900, 80, 100}, {600, 400}, kScreen), QPoint(680, 624));
}

using FileDialogs = MainWindowFixture;

TEST_F(FileDialogs, OpenCentredOverTheMainWindow) {
  form().move(120, 90);
  const QRect screen = form().screen()->availableGeometry();
  for (QFileDialog* dialog : {form().OpenDialog1, form().SaveDialog1}) {
    QPoint shownAt, centred;
    AnswerNextModal([&](QWidget* modal) {
      shownAt = modal->pos();
      centred = CentredOver(form().frameGeometry(), modal->frameGeometry().size(), screen);
      modal->close();
    });
    dialog->exec();
    EXPECT_EQ(shownAt, centred) << dialog->objectName().toStdString();
    EXPECT_TRUE(QRect(shownAt, dialog->size()).intersects(form().frameGeometry()));
  }
}

}  // namespace
}  // namespace kelvane::test
