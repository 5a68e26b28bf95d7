// With the keyboard alone: focus shows, the grid paints with a pixel cursor, Ctrl+E finds a
// sprite.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using KeyboardPainting = MainWindowFixture;

void Focus(TForm1& form, QWidget* widget) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }));
  widget->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }));
}

TEST_F(KeyboardPainting, FocusedGlyphsAndSwatchesDrawARingAndSpaceOnASwatchPicksItsPen) {
  const QRgb ring = form().palette().color(QPalette::Highlight).rgb();
  for (QWidget* control :
       {static_cast<QWidget*>(form().Btn_Copy), static_cast<QWidget*>(form().Panel1)}) {
    EXPECT_NE(control->grab().toImage().pixel(0, 0), ring);
    Focus(form(), control);
    EXPECT_EQ(control->grab().toImage().pixel(0, 0), ring);
  }
  QTest::keyClick(form().Panel1, Qt::Key_Space);
  EXPECT_EQ(document().CurrentPen(), kTransparentPen);
}

TEST_F(KeyboardPainting, ArrowsMoveByTheSpritesPixelsAndSpaceWithArrowsPaintsOneStroke) {
  Focus(form(), form().Image1);
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
  } keys[] = {{Qt::Key_2, {}},
              {Qt::Key_Right, {}},
              {Qt::Key_Down, {}},
              {Qt::Key_Left, {}},
              {Qt::Key_Right, {}}};  // multi-colour: pixel 1 of row 1
  for (const auto& k : keys)
    QTest::keyClick(form().Image1, static_cast<Qt::Key>(k.key), k.modifiers);
  QTest::keyPress(form().Image1, Qt::Key_Space);
  QTest::keyClick(form().Image1, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyRelease(form().Image1, Qt::Key_Space);
  // Pixels 1 and 2 of row 1 in the sprite colour (bits 10), one undo step.
  EXPECT_EQ(document().Bank().Sprite(0)[3], 0x28);
  EXPECT_EQ(document().UndoCount(), 1);
  QTest::keyClick(form().Image1, Qt::Key_4);
  EXPECT_EQ(document().CurrentPen(), kMultiColour2Pen);
  // The cursor shows on the grid: the cell's corner in the highlight colour.
  const int cell = form().EditorView().CellZoom().x;
  EXPECT_EQ(form().Image1->Picture().pixel(4 * cell, cell),
            form().palette().color(QPalette::Highlight).rgb());
}

TEST_F(KeyboardPainting, CtrlEGoesToTheSpriteAsTheScrollBarWould) {
  AnswerNextModal([](QWidget* modal) {
    auto* box = modal->findChild<QSpinBox*>();
    ASSERT_NE(box, nullptr);
    box->setValue(200);
    QTest::keyClick(modal, Qt::Key_Return);
  });
  Key(Qt::Key_E);
  EXPECT_EQ(document().CurrentSprite(), 200);
  EXPECT_TRUE(document().UpperHalf());
  EXPECT_EQ(form().ScrollBar1->value(), 72);
}

}  // namespace
}  // namespace kelvane::test
