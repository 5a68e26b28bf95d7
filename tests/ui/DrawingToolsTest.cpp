// The drawing tools in the real window, by keys and mouse only: what each draws, in hi-res and
// multi-colour, as one step; the picker, by its key and by Alt; Esc; and the tool bar.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <string>
#include <vector>

#include "render/C64Palette.h"
#include "support/MainWindowFixture.h"
#include "ui/ImageControl.h"
#include "ui/ToolManager.h"

namespace kelvane::test {
namespace {

using DrawingTools = MainWindowFixture;

// The middle of a pixel of the sprite's own grid on Image1.
QPoint At(int column, int row, bool multiColour) {
  const int width = multiColour ? 16 : 8;
  return {column * width + width / 2, row * 8 + 4};
}

void SendMove(QWidget* image, QPoint p, Qt::KeyboardModifiers keys) {
  QMouseEvent move(QEvent::MouseMove, QPointF(p), image->mapToGlobal(QPointF(p)), Qt::NoButton,
                   Qt::LeftButton, keys);
  QApplication::sendEvent(image, &move);
}

// '#' for a set pixel, '.' for a clear one, up to the last set one of each row and row.
std::vector<std::string> Art(const SpriteDocument& doc) {
  const CanvasPixels pixels = doc.Pixels();
  std::vector<std::string> rows;
  for (int y = 0; y < kSpriteRows; ++y) {
    std::string row;
    for (int x = 0; x < kHiresColumns; x += pixels.PixelWidthAt({x, y})) {
      row += *pixels.PenAt({x, y}) == kTransparentPen ? '.' : '#';
    }
    row.erase(row.find_last_not_of('.') + 1);
    rows.push_back(row);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

struct UseCase {
  Qt::Key key;
  Qt::KeyboardModifiers keyModifiers;
  bool multiColour;
  QPoint from, to;  // pixels of the sprite's own grid
  std::vector<std::string> art;
};

TEST_F(DrawingTools, DrawTheirShapesAndOneCtrlZTakesEachBack) {
  const UseCase uses[] = {
      {Qt::Key_L, Qt::NoModifier, false, {0, 0}, {6, 2}, {"##", "..###", ".....##"}},
      {Qt::Key_L, Qt::NoModifier, true, {0, 0}, {3, 1}, {"##", "..##"}},
      {Qt::Key_U, Qt::NoModifier, false, {1, 1}, {4, 3}, {"", ".####", ".#..#", ".####"}},
      {Qt::Key_U, Qt::ShiftModifier, true, {0, 0}, {2, 1}, {"###", "###"}},
      {Qt::Key_O, Qt::NoModifier, false, {0, 0}, {5, 3}, {".####", "#....#", "#....#", ".####"}},
      {Qt::Key_O, Qt::ShiftModifier, true, {0, 0}, {2, 2}, {".#", "###", ".#"}},
  };
  for (const UseCase& use : uses) {
    form().MCToggle->setChecked(use.multiColour);
    const SpriteRecord before = document().Bank().Record(0);
    Key(use.key, use.keyModifiers);
    QWidget* image = form().Image1;
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier,
                      At(use.from.x(), use.from.y(), use.multiColour));
    SendMove(image, At(use.to.x(), use.to.y(), use.multiColour), Qt::NoModifier);
    // Only a preview while dragging: the bank is as it was.
    EXPECT_EQ(document().Bank().Record(0), before);
    EXPECT_FALSE(form().Tools().CurrentPreview().empty());
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier,
                        At(use.to.x(), use.to.y(), use.multiColour));
    EXPECT_EQ(Art(document()), use.art) << use.key << " " << use.multiColour;
    Key(Qt::Key_Z);
    EXPECT_EQ(document().Bank().Record(0), before);
  }
}

TEST_F(DrawingTools, FillFloodsTheRegionInHiresAndMultiColour) {
  for (const bool multiColour : {false, true}) {
    form().MCToggle->setChecked(multiColour);
    Key(Qt::Key_L, Qt::NoModifier);  // a wall across the sprite's top left corner
    QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, At(0, 2, multiColour));
    QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, At(2, 0, multiColour));
    Key(Qt::Key_G, Qt::NoModifier);
    Click(form().Image1, At(0, 0, multiColour));
    EXPECT_EQ(Art(document()), (std::vector<std::string>{"###", "##", "#"})) << multiColour;
    Key(Qt::Key_Z);
    EXPECT_EQ(Art(document()), (std::vector<std::string>{"..#", ".#", "#"})) << multiColour;
    Key(Qt::Key_Z);
  }
}

TEST_F(DrawingTools, PickerAndAltPressMakeThePenUnderThePointerCurrent) {
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0x70; });  // multi-colour 1, multi-colour 2
  Key(Qt::Key_I, Qt::NoModifier);
  Click(form().Image1, At(0, 0, true));
  EXPECT_TRUE(form().RadioButton3->isChecked());
  Key(Qt::Key_B, Qt::NoModifier);
  QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::AltModifier, At(1, 0, true));
  EXPECT_TRUE(form().RadioButton4->isChecked());
  EXPECT_EQ(document().UndoCount(), 0);  // nothing painted
  // The pen is still the tool, and paints with the pen picked.
  Click(form().Image1, At(5, 5, true));
  EXPECT_EQ(document().Bank().Sprite(0)[3 * 5 + 1], 0x30);
}

TEST_F(DrawingTools, EscTakesBackTheUseInProgress) {
  Key(Qt::Key_U, Qt::NoModifier);
  const SpriteRecord before = document().Bank().Record(0);
  QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, At(0, 0, true));
  SendMove(form().Image1, At(4, 4, true), Qt::NoModifier);
  Key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_TRUE(form().Tools().CurrentPreview().empty());
  QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, At(4, 4, true));
  EXPECT_EQ(document().Bank().Record(0), before);
  EXPECT_EQ(document().UndoCount(), 0);
}

// The bar is shown at first with the pen checked, follows the keys, and hides and shows from
// the View menu; the client area and its controls stay where they were either way.
TEST_F(DrawingTools, ToolBarFollowsTheToolAndHidesWithoutMovingTheClientArea) {
  ASSERT_NE(form().ToolBar1, nullptr);
  EXPECT_TRUE(form().ToolBar1->isVisible());
  const auto button = [&](const char* name) {
    return form().ToolBar1->findChild<QToolButton*>(QString::fromLatin1(name));
  };
  EXPECT_TRUE(button("ToolPen1Button")->isChecked());
  Key(Qt::Key_G, Qt::NoModifier);
  EXPECT_TRUE(button("ToolFill1Button")->isChecked());
  EXPECT_FALSE(button("ToolPen1Button")->isChecked());
  Click(button("ToolEllipse1Button"));
  EXPECT_TRUE(form().findChild<QAction*>(QStringLiteral("ToolEllipse1"))->isChecked());
  QTest::mouseMove(button("ToolLine1Button"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return status().startsWith(QStringLiteral("line:")); }));

  const QSize client = form().centralWidget()->size();
  const QPoint image = form().Image1->mapTo(form().centralWidget(), QPoint());
  const int width = form().width();
  form().ShowToolBar1->trigger();
  EXPECT_FALSE(form().ToolBar1->isVisible());
  EXPECT_EQ(form().width(), width - form().ToolBar1->width());
  EXPECT_EQ(form().centralWidget()->size(), client);
  EXPECT_EQ(form().Image1->mapTo(form().centralWidget(), QPoint()), image);
  Key(Qt::Key_L, Qt::NoModifier);  // the keys work with the bar hidden
  EXPECT_TRUE(form().findChild<QAction*>(QStringLiteral("ToolLine1"))->isChecked());
  form().ShowToolBar1->trigger();
  EXPECT_EQ(form().width(), width);
}

void DragOn(QWidget* image, QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
  QTest::mousePress(image, Qt::LeftButton, keys, from);
  SendMove(image, to, keys);
  QTest::mouseRelease(image, Qt::LeftButton, keys, to);
}

// A selection moved by a drag and by the arrow keys lands where it should as one step, at
// Enter; until then the bank is untouched.
TEST_F(DrawingTools, SelectionMovesByDragAndArrowsAndLandsAsOneStep) {
  form().MCToggle->setChecked(false);
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0xC0; });  // "##"
  Key(Qt::Key_M, Qt::NoModifier);
  DragOn(form().Image1, At(0, 0, false), At(1, 0, false));
  DragOn(form().Image1, At(0, 0, false), At(3, 1, false));
  Key(Qt::Key_Right, Qt::NoModifier);
  Key(Qt::Key_Down, Qt::NoModifier);
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"##"}));
  Key(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"", "", "....##"}));
  EXPECT_EQ(document().UndoCount(), 1);
  Key(Qt::Key_Z);
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"##"}));
}

// With a selection the Edit commands act on it: Del, Ctrl+C, Ctrl+F; Ctrl+Shift+V pastes the
// pixels; with none again, Ctrl+C copies the sprite as before.
TEST_F(DrawingTools, EditCommandsActOnTheSelection) {
  form().MCToggle->setChecked(false);
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0xF0; });  // "####"
  Key(Qt::Key_M, Qt::NoModifier);
  DragOn(form().Image1, At(0, 0, false), At(1, 0, false));
  Key(Qt::Key_C);
  EXPECT_FALSE(form().Paste1->isEnabled());  // the pixels were copied, not the sprite
  Key(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"..##"}));
  Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::NoModifier);
  Key(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"..##", "##"}));
  Key(Qt::Key_Escape, Qt::NoModifier);  // the landed selection goes
  DragOn(form().Image1, At(0, 1, false), At(2, 1, false));
  Key(Qt::Key_G);  // Flip Left to Right
  EXPECT_EQ(Art(document()), (std::vector<std::string>{"..##", ".##"}));
  Key(Qt::Key_Escape, Qt::NoModifier);  // no selection now
  Key(Qt::Key_C);
  EXPECT_TRUE(form().Paste1->isEnabled());
}

// Without a selection a hi-res sprite turns its 21 x 21 square; a multi-colour one does not
// turn, and the status bar says why.
TEST_F(DrawingTools, RotateTurnsTheSquareOfAHiresSprite) {
  form().MCToggle->setChecked(false);
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0x80, r[2] = 0x01; });  // columns 0 and 23
  Key(Qt::Key_T);
  const auto sprite = document().Bank().Sprite(0);
  EXPECT_EQ(sprite[2], 0x09);  // column 20 of row 0, and column 23 kept
  EXPECT_EQ(sprite[0], 0x00);
  Key(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(sprite[0], 0x80);
  EXPECT_EQ(document().UndoCount(), 2);
  form().MCToggle->setChecked(true);
  EXPECT_FALSE(form().RotateRight1->isEnabled());
  Key(Qt::Key_T);
  EXPECT_EQ(document().UndoCount(), 2);
  EXPECT_TRUE(status().contains(QStringLiteral("multi-colour")));
}

// The selection is of the sprite shown, in its own pixels: another sprite takes it away, frame
// and all; a change of mode puts floating pixels down first.
TEST_F(DrawingTools, SelectionGoesWithItsSpriteAndLandsBeforeAModeChange) {
  form().MCToggle->setChecked(false);
  Key(Qt::Key_M, Qt::NoModifier);
  DragOn(form().Image1, At(1, 1, false), At(3, 3, false));
  const auto frameShown = [&] { return form().Image1->Picture().pixel(8, 12) != PaletteRgb(6); };
  EXPECT_TRUE(frameShown());
  Key(Qt::Key_PageDown, Qt::NoModifier);
  EXPECT_FALSE(frameShown());
  Key(Qt::Key_PageUp, Qt::NoModifier);
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0x80; });
  DragOn(form().Image1, At(0, 0, false), At(0, 0, false));
  Key(Qt::Key_Right, Qt::NoModifier);
  form().MCToggle->setChecked(true);
  EXPECT_EQ(document().Bank().Sprite(0)[0], 0x40);
  EXPECT_EQ(document().UndoCount(), 1);
  EXPECT_FALSE(form().Tools().Frame().has_value());
}

// With no selection the arrow keys stay the focused scroll bar's.
TEST_F(DrawingTools, ArrowsWithoutASelectionStayTheControls) {
  Key(Qt::Key_M, Qt::NoModifier);
  form().activateWindow();
  form().ScrollBar1->setFocus();
  QTest::keyClick(form().ScrollBar1, Qt::Key_Down);
  EXPECT_EQ(form().CurrentSprite(), 1);
}

}  // namespace
}  // namespace kelvane::test
