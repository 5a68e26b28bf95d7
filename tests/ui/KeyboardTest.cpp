// The window from the keyboard: sprite stepping, the menus' letters, and the glyph buttons
// reached with Tab and pressed with Space, each named for screen readers.
#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"

namespace kelvane::test {
namespace {

using Keyboard = MainWindowFixture;

void GoTo(TForm1& form, int n) {
  form.UpperSet->setChecked(n >= kHalfBankSprites);
  form.ScrollBar1->setValue(n % kHalfBankSprites);
}

struct StepCase {
  int from;
  Qt::Key key;
  bool ctrl;
  int to;
};

class SpriteKeys : public MainWindowFixture, public ::testing::WithParamInterface<StepCase> {};

// Within a half the keys stop at its ends, as the scroll bar does; Ctrl crosses between halves.
TEST_P(SpriteKeys, StepAsTheScrollBarDoes) {
  const StepCase& c = GetParam();
  GoTo(form(), c.from);
  Click(form().Image1, {4, 4});  // something to undo, which only another sprite forgets
  Key(c.key, c.ctrl ? Qt::ControlModifier : Qt::NoModifier);
  EXPECT_EQ(form().CurrentSprite(), c.to);
  EXPECT_EQ(form().ScrollBar1->value(), c.to % kHalfBankSprites);
  EXPECT_EQ(form().UpperSet->isChecked(), c.to >= kHalfBankSprites);
  EXPECT_EQ(document().UndoCount(), c.to == c.from ? 1 : 0);
  EXPECT_EQ(EditorMismatches(form()), "");
}

INSTANTIATE_TEST_SUITE_P(Ends, SpriteKeys,
                         ::testing::Values(StepCase{0, Qt::Key_PageUp, false, 0},
                                           StepCase{0, Qt::Key_PageDown, false, 1},
                                           StepCase{0, Qt::Key_PageUp, true, 0},
                                           StepCase{127, Qt::Key_PageDown, false, 127},
                                           StepCase{127, Qt::Key_PageDown, true, 128},
                                           StepCase{128, Qt::Key_PageUp, false, 128},
                                           StepCase{128, Qt::Key_PageUp, true, 127},
                                           StepCase{128, Qt::Key_PageDown, false, 129},
                                           StepCase{255, Qt::Key_PageDown, false, 255},
                                           StepCase{255, Qt::Key_PageDown, true, 255},
                                           StepCase{255, Qt::Key_PageUp, false, 254}),
                         [](const auto& info) {
                           const StepCase& c = info.param;
                           return "From" + std::to_string(c.from) + (c.ctrl ? "Ctrl" : "") +
                                  (c.key == Qt::Key_PageUp ? "PgUp" : "PgDn");
                         });

TEST_F(Keyboard, AltAndTheUnderlinedLetterOpenTheMenu) {
  Key(Qt::Key_F, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().File1->isVisible(); }));
  QTest::keyClick(form().File1, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form().File1->isVisible(); }));
}

// One underlined letter in every title and item, never the same twice in one menu.
TEST_F(Keyboard, EveryMenuEntryHasItsOwnLetter) {
  std::function<void(QWidget*)> check = [&](QWidget* menu) {
    QSet<QChar> letters;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const QString caption = action->menu() ? action->menu()->title() : action->text();
      ASSERT_EQ(caption.count(QLatin1Char('&')), 1) << caption.toStdString();
      const QChar letter = caption[caption.indexOf(QLatin1Char('&')) + 1].toLower();
      EXPECT_FALSE(letters.contains(letter)) << caption.toStdString();
      letters.insert(letter);
      if (action->menu()) check(action->menu());
    }
  };
  check(form().menuBar());
  // The caption rewritten as File opens keeps its letter.
  form().File1Click();
  EXPECT_EQ(form().Specify1->text(), QStringLiteral("&Up to Current (1)..."));
}

// Tab from wherever the focus is until target has it.
bool TabTo(QWidget* target) {
  for (int presses = 0; presses < 60 && QApplication::focusWidget() != target; ++presses) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) focus = target->window();
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return QApplication::focusWidget() == target;
}

TEST_F(Keyboard, TabReachesEveryGlyphAndSpacePressesIt) {
  Key(Qt::Key_Escape, Qt::NoModifier);  // makes the window active
  for (ImageControl* glyph : form().Glyphs)
    ASSERT_TRUE(TabTo(glyph)) << glyph->objectName().toStdString();

  ASSERT_TRUE(TabTo(form().Btn_Copy));
  QTest::keyPress(form().Btn_Copy, Qt::Key_Space);
  EXPECT_TRUE(form().Paste1->isEnabled());
  EXPECT_EQ(form().Btn_Copy->Picture(), form().ImageList1().Picture(kGlyphCopy + 12));
  QTest::keyRelease(form().Btn_Copy, Qt::Key_Space);
  EXPECT_EQ(form().Btn_Copy->Picture(), form().ImageList1().Picture(kGlyphCopy));

  // Undo's own press disables it: the focus moves on, and the glyph comes back to rest.
  Click(form().Image1, {4, 4});
  ASSERT_TRUE(TabTo(form().Btn_Undo));
  QTest::keyPress(form().Btn_Undo, Qt::Key_Space);
  EXPECT_EQ(document().UndoCount(), 0);
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return form().Btn_Undo->Picture() == form().ImageList1().Picture(kGlyphUndo); }));
}

TEST_F(Keyboard, GlyphsAndSwatchesAreNamedForScreenReaders) {
  QSet<QString> names;
  std::vector<QWidget*> controls(form().Glyphs.begin(), form().Glyphs.end());
  controls.insert(controls.end(), {form().Panel1, form().Panel2, form().Panel3, form().Panel4});
  for (QWidget* control : controls) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(accessible, nullptr);
    const QString name = accessible->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
    EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty()) << name.toStdString();
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names.insert(name);
  }
  // A swatch says which colour it shows, also after the colour changed.
  EXPECT_TRUE(form().Panel1->accessibleDescription().startsWith(QStringLiteral("blue")));
  Click(form().RadioButton1);
  Press(form().Image4, {12, 2 * 8 + 1});  // colour 10
  EXPECT_TRUE(form().Panel1->accessibleDescription().startsWith(QStringLiteral("light red")));
}

}  // namespace
}  // namespace kelvane::test
