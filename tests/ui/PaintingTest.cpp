#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "WindowChecks.h"
#include "files/ColourNames.h"
#include "render/C64Palette.h"
#include "support/MainWindowFixture.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/ToolManager.h"

namespace kelvane::test {
namespace {

using Painting = MainWindowFixture;

SpriteRecord RecordOf(const SpriteDocument& d, int n) {
  return d.Bank().Record(n);
}

// One position in every cell of a sprite row, the last on the grid's rightmost column. (QTest
// takes (0, 0) to mean the middle of the widget, so no position here is exactly that.)
std::vector<QPoint> RowPositions(int row) {
  std::vector<QPoint> points;
  for (int x = 0; x < 192; x += 8) points.push_back({x, row * 8 + 3});
  points.push_back({191, row * 8 + 3});
  return points;
}

void DragThrough(MainWindowFixture& f, QWidget* image, const std::vector<QPoint>& points,
                 Qt::MouseButton button) {
  QTest::mousePress(image, button, Qt::NoModifier, points.front());
  for (const QPoint& p : points) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), image->mapToGlobal(QPointF(p)), Qt::NoButton,
                     button, Qt::NoModifier);
    QApplication::sendEvent(image, &move);
  }
  QTest::mouseRelease(image, button, Qt::NoModifier, points.back());
  (void)f;
}

TEST_F(Painting, DragAcrossARowPaintsEveryCellAndOneUndoTakesItBack) {
  for (const bool multiColour : {true, false}) {
    form().MCToggle->setChecked(multiColour);
    const SpriteRecord before = RecordOf(document(), 0);
    DragThrough(*this, form().Image1, RowPositions(4), Qt::LeftButton);
    const auto sprite = document().Bank().Sprite(0);
    // Sprite colour pen: pair 10 in multi-colour, every bit in hi-res.
    const std::uint8_t full = multiColour ? 0xAA : 0xFF;
    EXPECT_EQ(sprite[12], full);
    EXPECT_EQ(sprite[13], full);
    EXPECT_EQ(sprite[14], full);
    EXPECT_EQ(sprite[11], 0x00);
    EXPECT_EQ(sprite[15], 0x00);
    EXPECT_EQ(document().UndoCount(), 1);
    form().Undo1->trigger();
    EXPECT_EQ(RecordOf(document(), 0), before);
  }
}

// A tool that shows, while a button is held, a multi-colour 2 pixel where the pointer is.
class PointerPreview : public Tool {
 public:
  void Press(const ToolEvent& e) override { preview_ = {{*e.point, kMultiColour2Pen}}; }
  void Move(const ToolEvent& e) override {
    if (e.buttons && e.point) preview_ = {{*e.point, kMultiColour2Pen}};
  }
  void Release(const ToolEvent&) override { preview_.clear(); }
  void Cancel() override { preview_.clear(); }
  const Preview& CurrentPreview() const override { return preview_; }

 private:
  Preview preview_;
};

// The current tool's preview is drawn over the grid, its lines kept, and never reaches the bank.
TEST_F(Painting, TheToolsPreviewShowsOverTheGridAndLeavesTheBank) {
  form().Tools().Add(std::make_unique<PointerPreview>(), QStringLiteral("Pointer"))->trigger();
  const SpriteBank bank = document().Bank();
  QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, {20, 12});
  const QImage grid = form().Image1->Picture();
  EXPECT_EQ(grid.pixel(16, 8), PaletteRgb(0));  // pixel (1, 1) in multi-colour 2, black
  EXPECT_EQ(grid.pixel(30, 14), PaletteRgb(0));
  EXPECT_EQ(grid.pixel(31, 14), kGridLineColour);
  EXPECT_EQ(grid.pixel(40, 8), PaletteRgb(6));  // the next pixel, background
  QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, {20, 12});
  EXPECT_EQ(form().Image1->Picture().pixel(16, 8), PaletteRgb(6));
  EXPECT_EQ(document().Bank(), bank);
  EXPECT_EQ(EditorMismatches(form()), "");
}

TEST_F(Painting, RightButtonAndTransparentPenErase) {
  Rewrite(0, [](SpriteRecord& r) { std::fill_n(r.begin(), kPixelBytes, 0xFF); });
  form().MCToggle->setChecked(false);
  DragThrough(*this, form().Image1, {{1, 1}, {8, 0}}, Qt::RightButton);
  EXPECT_EQ(document().Bank().Sprite(0)[0], 0x3F);

  Click(form().RadioButton1);
  EXPECT_EQ(document().CurrentPen(), 0);
  DragThrough(*this, form().Image1, {{16, 8}, {24, 8}}, Qt::LeftButton);
  EXPECT_EQ(document().Bank().Sprite(0)[3], 0xCF);
  EXPECT_EQ(document().UndoCount(), 2);  // one snapshot a stroke
}

TEST_F(Painting, StatusShowsTheCellHalvedInMultiColourAndOnlyInsideTheGrid) {
  Hover(form().Image1, {100, 50});
  EXPECT_EQ(status(), QStringLiteral("6,6"));
  form().MCToggle->setChecked(false);
  // Within a frame of the last text the read-out waits for the frame to end.
  Hover(form().Image1, {100, 50});
  EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("12,6"); }));
  const SpriteRecord before = RecordOf(document(), 0);
  // Outside the grid while the button keeps the mouse captured: nothing changes at all.
  DragThrough(*this, form().Image1, {{10, 10}, {192, 10}, {-1, 30}, {50, 168}}, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("1,1"); }));
  // Once the pointer leaves the grid it names no cell, not even one still waiting for its frame.
  Hover(form().Image1, {60, 40});
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(form().Image1, &leave);
  EXPECT_EQ(status(), QString());
  const auto* frame = form().findChild<QTimer*>(QStringLiteral("ReadOutFrame"));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isActive(); }));
  EXPECT_EQ(status(), QString());
  SpriteRecord expected = before;
  expected[3 * 1 + 0] = 0x40;
  EXPECT_EQ(RecordOf(document(), 0), expected);
  Hover(form().centralWidget(), {300, 300});
  EXPECT_EQ(status(), QString());
}

// A move within the pixel named keeps the read-out as it is, but whatever took its place since,
// another message or the pointer gone and back, is replaced by the pixel's name again.
TEST_F(Painting, TheReadOutNamesThePixelAgainAfterAnythingElseShowed) {
  const std::function<void()> others[] = {
      [&] { form().statusBar()->showMessage(QStringLiteral("a hint")); },
      [&] {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(form().Image1, &leave);
      }};
  for (const auto& other : others) {
    Hover(form().Image1, {100, 50});
    ASSERT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("6,6"); }));
    other();
    ASSERT_NE(status(), QStringLiteral("6,6"));
    Hover(form().Image1, {103, 52});  // the same pixel
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("6,6"); }));
  }
}

TEST_F(Painting, UpperHalfAndScrollBarPickTheSprite) {
  form().ScrollBar1->setValue(10);
  EXPECT_EQ(form().CurrentSprite(), 10);
  Click(form().UpperSet);
  EXPECT_EQ(form().CurrentSprite(), 138);
  EXPECT_EQ(form().ScrollBar1->value(), 10);
  EXPECT_EQ(form().Label1->text(), QStringLiteral("138 "));
  Click(form().UpperSet);
  EXPECT_EQ(form().CurrentSprite(), 10);
  Click(form().UpperSet);
  form().ScrollBar1->setValue(127);
  EXPECT_EQ(form().CurrentSprite(), 255);
}

TEST_F(Painting, ShowingAHiresSpriteHidesTheMultiColourPens) {
  Rewrite(40, [](SpriteRecord& r) { r[kAttributeOffset] = 0x03; });  // hi-res, cyan
  Click(form().RadioButton4);
  EXPECT_EQ(document().CurrentPen(), 3);
  form().ScrollBar1->setValue(40);
  EXPECT_FALSE(form().MCToggle->isChecked());
  EXPECT_TRUE(form().RadioButton2->isChecked());
  EXPECT_EQ(document().CurrentPen(), 2);
  EXPECT_TRUE(form().RadioButton3->isHidden());
  EXPECT_TRUE(form().Panel4->isHidden());
  EXPECT_EQ(form().Panel2->Colour(), PaletteRgb(3));
  EXPECT_EQ(document().Bank().Attribute(40), 0x03);
  form().ScrollBar1->setValue(41);
  EXPECT_TRUE(form().MCToggle->isChecked());
  EXPECT_FALSE(form().RadioButton3->isHidden());
  EXPECT_EQ(document().CurrentPen(), 2);
}

TEST_F(Painting, ModeToggleFlipsOnlyBitSevenAndKeepsThePixels) {
  Rewrite(0, [](SpriteRecord& r) { r[0] = 0x80; });
  Click(form().RadioButton3);
  Click(form().MCToggle);
  EXPECT_EQ(document().Bank().Attribute(0), 0x0C);
  EXPECT_EQ(document().Bank().Sprite(0)[0], 0x80);
  EXPECT_EQ(document().CurrentPen(), 2);
  EXPECT_TRUE(form().RadioButton2->isChecked());
  // Hi-res shows pixel 0 alone in the sprite colour; multi-colour shows pair 10 two wide.
  EXPECT_EQ(form().Image1->Picture().pixel(3, 3), PaletteRgb(12));
  EXPECT_EQ(form().Image1->Picture().pixel(11, 3), PaletteRgb(6));
  Click(form().MCToggle);
  EXPECT_EQ(document().Bank().Attribute(0), 0x8C);
  EXPECT_EQ(form().Image1->Picture().pixel(11, 3), PaletteRgb(12));
  EXPECT_EQ(document().CurrentPen(), 2);
  EXPECT_EQ(document().UndoCount(), 0);
}

TEST_F(Painting, SwatchClickSelectsItsPenLikeTheButton) {
  Click(form().Panel4);
  EXPECT_EQ(document().CurrentPen(), 3);
  EXPECT_TRUE(form().RadioButton4->isChecked());
  Click(form().Panel1);
  EXPECT_EQ(document().CurrentPen(), 0);
  EXPECT_TRUE(form().RadioButton1->isChecked());
}

TEST_F(Painting, ColourStripWithTheSpriteColourPenRewritesTheColourBits) {
  Rewrite(0, [](SpriteRecord& r) { r[kAttributeOffset] = 0xF5; });
  form().RefreshEditor();
  Press(form().Image4, {3, 3 * 8 + 4});  // colour 3, left column
  EXPECT_EQ(document().Bank().Attribute(0), 0xF3);
  EXPECT_EQ(document().UndoCount(), 1);
  EXPECT_EQ(form().Panel2->Colour(), PaletteRgb(3));
  form().Undo1->trigger();
  EXPECT_EQ(document().Bank().Attribute(0), 0xF5);
}

TEST_F(Painting, ColourStripWithASharedPenChangesEverySpritesLook) {
  Click(form().RadioButton1);
  Press(form().Image4, {12, 2 * 8 + 1});  // right column: colour 10
  EXPECT_EQ(document().PenColours()[0], 10);
  EXPECT_EQ(form().Panel1->Colour(), PaletteRgb(10));
  EXPECT_TRUE(form().Panel1->accessibleDescription().startsWith(
      QString::fromLatin1(ColourName(10)) + QLatin1Char(';')));
  EXPECT_EQ(document().UndoCount(), 0);
  EXPECT_EQ(document().Bank().Attribute(0), 0x8C);
  EXPECT_EQ(form().Image1->Picture().pixel(0, 0), PaletteRgb(10));
  form().ScrollBar1->setValue(90);
  EXPECT_EQ(form().Image1->Picture().pixel(0, 0), PaletteRgb(10));
  EXPECT_EQ(form().Image4->Picture().pixel(12, 17), PaletteRgb(10));
}

TEST_F(Painting, GridToggleRedrawsWithoutLines) {
  Click(form().GridToggle);
  EXPECT_EQ(form().Image1->Picture().pixel(15, 0), PaletteRgb(6));
  EXPECT_EQ(form().Image1->Picture().pixel(0, 7), PaletteRgb(6));
}

}  // namespace
}  // namespace kelvane::test
