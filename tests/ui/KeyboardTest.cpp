// The window from the keyboard: sprite stepping, the menus' letters, and the glyph buttons
// reached with Tab and pressed with Space.
#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"

namespace kelvane::test {
namespace {

using Keyboard = MainWindowFixture;

// Within a half the keys stop at its ends, as the scroll bar does; Ctrl crosses the halves.
TEST_F(Keyboard, PageKeysStepTheSpriteAsTheScrollBarDoes) {
  const struct {
    int from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int to;
  } steps[] = {{0, Qt::Key_PageUp, {}, 0},
               {0, Qt::Key_PageDown, {}, 1},
               {127, Qt::Key_PageDown, {}, 127},
               {127, Qt::Key_PageDown, Qt::ControlModifier, 128},
               {128, Qt::Key_PageUp, {}, 128},
               {128, Qt::Key_PageUp, Qt::ControlModifier, 127},
               {255, Qt::Key_PageDown, Qt::ControlModifier, 255},
               {255, Qt::Key_PageUp, {}, 254}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.from);
    document().SelectSprite(step.from);
    Click(form().Image1, {4, 4});  // something to undo, which only another sprite forgets
    Key(step.key, step.modifiers);
    EXPECT_EQ(form().CurrentSprite(), step.to);
    EXPECT_EQ(form().ScrollBar1->value(), step.to % kHalfBankSprites);
    EXPECT_EQ(form().UpperSet->isChecked(), step.to >= kHalfBankSprites);
    EXPECT_EQ(document().UndoCount(), step.to == step.from ? 1 : 0);
  }
}

TEST_F(Keyboard, AltAndTheUnderlinedLetterOpenTheMenu) {
  Key(Qt::Key_F, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().File1->isVisible(); }));
  QTest::keyClick(form().File1, Qt::Key_Escape);
  // The caption rewritten as File opens keeps its letter.
  EXPECT_EQ(form().Specify1->text(), QStringLiteral("&Up to Current (1)..."));
}

bool TabTo(QWidget* target) {
  for (int presses = 0; presses < 60 && QApplication::focusWidget() != target; ++presses) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  return QApplication::focusWidget() == target;
}

TEST_F(Keyboard, GlyphsAreReachedByTabAndPressedBySpace) {
  Key(Qt::Key_Escape, Qt::NoModifier);  // makes the window active
  for (ImageControl* glyph : form().Glyphs) {
    EXPECT_TRUE(TabTo(glyph) && !glyph->accessibleDescription().isEmpty());
  }
  ASSERT_TRUE(TabTo(form().Btn_Copy));
  QTest::keyPress(form().Btn_Copy, Qt::Key_Space);
  EXPECT_TRUE(form().Paste1->isEnabled());
  QTest::keyRelease(form().Btn_Copy, Qt::Key_Space);
  EXPECT_EQ(form().Btn_Copy->Picture(), form().ImageList1().Picture(kGlyphCopy));
  // Undo's own press disables it: the focus moves on, and the glyph comes back to rest.
  Click(form().Image1, {4, 4});
  ASSERT_TRUE(TabTo(form().Btn_Undo));
  QTest::keyPress(form().Btn_Undo, Qt::Key_Space);
  EXPECT_EQ(document().UndoCount(), 0);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return form().Btn_Undo->Picture() == form().ImageList1().Picture(kGlyphUndo); }));
}

}  // namespace
}  // namespace kelvane::test
