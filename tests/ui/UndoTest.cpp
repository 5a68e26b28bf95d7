#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using Undo = MainWindowFixture;

TEST_F(Undo, StrokesUndoOneByOneByMenuShortcutAndGlyph) {
  form().ScrollBar1->setValue(3);
  const SpriteRecord original = document().Bank().Record(3);
  Click(form().Image1, {4, 4});
  const SpriteRecord afterFirst = document().Bank().Record(3);
  Click(form().Image1, {20, 4});
  EXPECT_TRUE(form().Btn_Undo->isEnabled());

  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(3), afterFirst);
  Press(form().Btn_Undo, {12, 12});
  EXPECT_EQ(document().Bank().Record(3), original);
  EXPECT_EQ(form().Btn_Undo->Picture(), form().ImageList1().Picture(kGlyphUndo + 12));
  Release(form().Btn_Undo, {12, 12});
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  // Disabled before its release arrived, it still goes back to rest.
  EXPECT_EQ(form().Btn_Undo->Picture(), form().ImageList1().Picture(kGlyphUndo));
  form().Undo1->trigger();  // nothing left: changes nothing
  EXPECT_EQ(document().Bank().Record(3), original);
}

TEST_F(Undo, ChangingTheSpriteEmptiesTheStack) {
  Click(form().Image1, {4, 4});
  form().ScrollBar1->setValue(1);
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  form().ScrollBar1->setValue(0);
  const SpriteRecord painted = document().Bank().Record(0);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(0), painted);
}

// A drag that goes on into the sprite PgDn shows is one step there; a press with no other
// button held starts a stroke of its own even when the last release never came.
TEST_F(Undo, EveryStrokeIsOneStepAcrossASpriteChangeOrALostRelease) {
  const SpriteRecord blank = document().Bank().Record(1);
  Press(form().Image1, {4, 4});
  Key(Qt::Key_PageDown, Qt::NoModifier);
  Move(form().Image1, {84, 84}, Qt::LeftButton);
  Release(form().Image1, {84, 84});
  ASSERT_EQ(form().CurrentSprite(), 1);
  EXPECT_NE(document().Bank().Record(1), blank);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(1), blank);

  Press(form().Image1, {4, 4});  // its release is lost
  Press(form().Image1, {44, 4});
  Release(form().Image1, {44, 4});
  EXPECT_EQ(document().UndoCount(), 2);
}

// A window opened over a held button takes its release: the stroke and the glyph's press end.
TEST_F(Undo, AWindowOpenedInMidDragEndsTheStroke) {
  for (ImageControl* pressed : {form().Image1, form().Btn_Up}) {
    Press(pressed, {4, 4});
    AnswerNextModal([](QWidget* modal) { modal->close(); });
    form().About1->trigger();
  }
  Key(Qt::Key_PageDown, Qt::NoModifier);
  EXPECT_EQ(document().UndoCount(), 0);
  EXPECT_EQ(form().Btn_Up->Picture(), form().ImageList1().Picture(kGlyphUp));
}

TEST_F(Undo, StrokeThenNudgeThenThreeUndos) {
  form().ScrollBar1->setValue(2);
  const SpriteRecord original = document().Bank().Record(2);
  Click(form().Image1, {40, 40});
  const SpriteRecord afterStroke = document().Bank().Record(2);
  Key(Qt::Key_L);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(2), afterStroke);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(2), original);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(2), original);
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
}

TEST_F(Undo, KeepsTheNewest127StrokesWhenFull) {
  form().MCToggle->setChecked(false);
  std::vector<SpriteRecord> after;  // after[k] = the sprite after stroke k
  after.push_back(document().Bank().Record(0));
  for (int k = 1; k <= 200; ++k) {
    // Each stroke toggles a different cell so that every state is distinct.
    const int cell = k % (24 * 21);
    const QPoint at((cell % 24) * 8 + 2, (cell / 24) * 8 + 2);
    const bool set =
        document().Bank().Sprite(0)[3 * (cell / 24) + (cell % 24) / 8] & (0x80 >> (cell % 8));
    Click(form().Image1, at, set ? Qt::RightButton : Qt::LeftButton);
    after.push_back(document().Bank().Record(0));
  }
  for (int i = 0; i < 127; ++i) form().Undo1->trigger();
  EXPECT_EQ(document().Bank().Record(0), after[73]);
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  form().Undo1->trigger();
  EXPECT_EQ(document().Bank().Record(0), after[73]);
}

// Redo sits right after Undo, is off while there is nothing to redo, and a new stroke or
// another sprite forgets what could be redone.
TEST_F(Undo, RedoTakesBackUndoByBothShortcutsUntilANewChange) {
  const QList<QAction*> edit = form().findChild<QMenu*>(QStringLiteral("Edit1"))->actions();
  EXPECT_EQ(edit.indexOf(form().Redo1), edit.indexOf(form().Undo1) + 1);
  EXPECT_FALSE(form().Redo1->isEnabled());
  Click(form().Image1, {4, 4});
  Click(form().Image1, {20, 4});
  const SpriteRecord afterSecond = document().Bank().Record(0);
  Key(Qt::Key_Z);
  Glyph(form().Btn_Undo);
  EXPECT_FALSE(form().Btn_Undo->isEnabled());  // the last level
  Key(Qt::Key_Y);
  EXPECT_TRUE(form().Btn_Undo->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(document().Bank().Record(0), afterSecond);
  EXPECT_FALSE(form().Redo1->isEnabled());
  EXPECT_EQ(EditorMismatches(form()), "");

  Key(Qt::Key_Z);
  Click(form().Image1, {40, 40});
  EXPECT_FALSE(form().Redo1->isEnabled());
  Key(Qt::Key_Z);
  form().ScrollBar1->setValue(1);
  EXPECT_FALSE(form().Redo1->isEnabled());
}

}  // namespace
}  // namespace kelvane::test
