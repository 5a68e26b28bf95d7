// Sprite > Animations... driven as a user would: every change is one undo step, and a change
// keeps the flag bits it does not show.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <functional>
#include <span>
#include <vector>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/TAnimationsDialog.h"

namespace kelvane::test {
namespace {

using AnimationsDialog = MainWindowFixture;
using Animations = std::vector<SpriteAnimation>;

void Type(QSpinBox* box, int value) {
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, QString::number(value));
  QTest::keyClick(box, Qt::Key_Return);
}

struct Step {
  const char* what;
  std::function<void(TAnimationsDialog&)> act;
  Animations after;
  int chosen = -1;  // the row chosen after it; -1: any
};

// Each step is one undo step that leaves the list as after, shown whole.
void RunSteps(TAnimationsDialog& dialog, const SpriteDocument& document,
              std::span<const Step> steps) {
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const int undo = document.UndoCount();
    step.act(dialog);
    EXPECT_EQ(document.Animations(), step.after);
    EXPECT_EQ(document.UndoCount(), undo + 1);
    EXPECT_EQ(dialog.List->count(), static_cast<int>(step.after.size()));
    if (step.chosen >= 0) {
      EXPECT_EQ(dialog.List->currentRow(), step.chosen);
    }
  }
}

TEST_F(AnimationsDialog, EveryChangeIsOneUndoStepAndKeepsOtherFlags) {
  document().SelectSprite(9);
  document().SetAnimations("Start", {{0, 6, 2, 0x93}});
  const Step steps[] = {
      {"add the shown sprite",
       [](auto& d) { QTest::mouseClick(d.AddShownButton, Qt::LeftButton); },
       {{0, 6, 2, 0x93}, {9, 9, 2, 0x80}}},
      {"speed",
       [](auto& d) { d.List->setCurrentRow(0), Type(d.SpeedBox, 7); },
       {{0, 6, 7, 0x93}, {9, 9, 2, 0x80}}},
      {"forward",
       [](auto& d) { QTest::keyClick(d.ModeBox, Qt::Key_Up); },
       {{0, 6, 7, 0x83}, {9, 9, 2, 0x80}}},
      {"first", [](auto& d) { Type(d.FirstBox, 3); }, {{3, 6, 7, 0x83}, {9, 9, 2, 0x80}}},
      {"add the range",
       [](auto& d) { QTest::mouseClick(d.AddButton, Qt::LeftButton); },
       {{3, 6, 7, 0x83}, {9, 9, 2, 0x80}, {3, 6, 7, 0x80}}},
      {"delete",
       [](auto& d) { d.List->setCurrentRow(1), QTest::mouseClick(d.DeleteButton, Qt::LeftButton); },
       {{3, 6, 7, 0x83}, {3, 6, 7, 0x80}}},
  };
  bool shown = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TAnimationsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    shown = true;
    EXPECT_EQ(dialog->List->item(0)->text(), QStringLiteral("0: sprites 0–6, 2/50 s, ping-pong"));
    EXPECT_EQ(dialog->FirstBox->value(), 9);
    RunSteps(*dialog, document(), steps);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  form().Animations1->trigger();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(document().Undo());
  EXPECT_EQ(document().Animations(), steps[4].after);
}

// A file may name sprites past the bank or a speed of 0, which no box shows: a change of another
// field leaves them as they are.
TEST_F(AnimationsDialog, AChangeKeepsTheFieldsItDoesNotTouch) {
  const SpriteAnimation kept{2, 300, 0, 0x93};
  const struct {
    const char* what;
    std::function<void(TAnimationsDialog&)> act;
    SpriteAnimation after;
  } cases[] = {
      {"speed", [](auto& d) { Type(d.SpeedBox, 7); }, {2, 300, 7, 0x93}},
      {"mode", [](auto& d) { QTest::keyClick(d.ModeBox, Qt::Key_Up); }, {2, 300, 0, 0x83}},
      {"first", [](auto& d) { Type(d.FirstBox, 5); }, {5, 300, 0, 0x93}},
      {"last", [](auto& d) { Type(d.LastBox, 9); }, {2, 9, 0, 0x93}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    document().SetAnimations("Start", {kept});
    AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<TAnimationsDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->List->setCurrentRow(0);
      c.act(*dialog);
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form().Animations1->trigger();
    EXPECT_EQ(document().Animations(), Animations{c.after});
  }
}

// Animations over objects are listed after those of sprites and edited the same way; an added
// sprite animation takes its place before them, and the list keeps it chosen.
TEST_F(AnimationsDialog, AnimationsOverObjectsAreListedAndEdited) {
  std::vector<SpriteObject> objects;
  for (int k = 0; k < 3; ++k) objects.push_back(ConsecutiveObject("", 2 * k, 2, 1));
  document().Load(std::vector<SpriteRecord>(8), std::nullopt,
                  {{0, 3, 2, 0x80}, {1, 2, 4, 0x41, true}}, objects);
  const Step steps[] = {
      {"last object",
       [](auto& d) { d.List->setCurrentRow(1), Type(d.LastBox, 0); },
       {{0, 3, 2, 0x80}, {1, 0, 4, 0x41, true}},
       1},
      {"add a sprite animation",
       [](auto& d) {
         d.List->setCurrentRow(-1);
         d.KindBox->setCurrentIndex(0);
         QTest::mouseClick(d.AddButton, Qt::LeftButton);
       },
       {{0, 3, 2, 0x80}, {1, 0, 4, 0x80}, {1, 0, 4, 0x41, true}},
       1},
      {"made one over objects",
       [](auto& d) { d.KindBox->setCurrentIndex(1), emit d.KindBox->activated(1); },
       {{0, 3, 2, 0x80}, {1, 0, 4, 0x80, true}, {1, 0, 4, 0x41, true}},
       1},
  };
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TAnimationsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->List->item(1)->text(), QStringLiteral("1: objects 1–2, 4/50 s, forward"));
    RunSteps(*dialog, document(), steps);
    EXPECT_EQ(dialog->LastBox->maximum(), 2);  // the last object
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  form().Animations1->trigger();
}

}  // namespace
}  // namespace kelvane::test
