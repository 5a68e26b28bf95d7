// The drawing tools in the real window, by keys and mouse only: what each draws, in hi-res and
// multi-colour, as one step; the picker, by its key and by Alt; Esc; and the tool bar.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace kelvane::test
