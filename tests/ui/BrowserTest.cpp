#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "WindowChecks.h"
#include "render/C64Palette.h"
#include "support/MainWindowFixture.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using Browser = MainWindowFixture;

TEST_F(Browser, HoverNamesTheSpriteUnderThePointer) {
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  Hover(form().Image2, {60, 100});
  EXPECT_EQ(form().BrowserHotSprite(), 33);
  EXPECT_EQ(status(), QStringLiteral("sprite number :033"));
  Hover(form().Image2, {0, 100});  // the edge changes nothing
  EXPECT_EQ(form().BrowserHotSprite(), 33);
  form().ScrollBar2->setValue(11);
  form().ScrollBar3->setValue(11);
  Hover(form().Image2, {243, 213});
  EXPECT_EQ(form().BrowserHotSprite(), 255);
  Hover(form().Image2, {48, 42});  // the gap belongs to the thumbnail before it
  EXPECT_EQ(form().BrowserHotSprite(), 187);
  // Straight from the sheet onto a glyph button: its hint stays, and the sprite number still
  // waiting for its frame never comes back over it. The pointer itself goes to the sheet first,
  // as an earlier test may have left it on the button, where a move to it would be no move.
  QTest::mouseMove(form().Image2, {48, 42});
  QTest::mouseMove(form().Btn_Cut);
  EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("cut"); }));
  const auto* frame = form().findChild<QTimer*>(QStringLiteral("ReadOutFrame"));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isActive(); }));
  EXPECT_EQ(status(), QStringLiteral("cut"));
}

TEST_F(Browser, ClickSelectsAndStaysDoubleClickTurnsToTheEditor) {
  Click(form().Image1, {4, 4});  // something to undo on sprite 0
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  Hover(form().Image2, {60, 100});
  Click(form().Image2, {60, 100});
  EXPECT_EQ(form().CurrentSprite(), 33);
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet2);
  EXPECT_EQ(form().Label1->text(), QStringLiteral("033 "));
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  // The number label moved to sprite 33's thumbnail: its corner is no longer plain background.
  const QImage& sheet = form().Image2->Picture();
  int marked = 0;
  for (int y = 86; y < 103; ++y)
    for (int x = 49; x < 70; ++x) marked += sheet.pixel(x, y) != PaletteRgb(6);
  EXPECT_GT(marked, 10);

  Hover(form().Image2, {200, 10});
  DoubleClick(form().Image2, {200, 10});
  EXPECT_EQ(form().CurrentSprite(), 4);
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
}

TEST_F(Browser, SelectingAnUpperSpriteChecksUpper128) {
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  form().ScrollBar2->setValue(11);
  Hover(form().Image2, {10, 200});
  Click(form().Image2, {10, 200});
  EXPECT_EQ(form().CurrentSprite(), 240);
  EXPECT_TRUE(form().UpperSet->isChecked());
  EXPECT_EQ(form().ScrollBar1->value(), 112);
}

TEST_F(Browser, TurningToTheBrowserRedrawsTheSheet) {
  Rewrite(1, [](SpriteRecord& r) { r[kAttributeOffset] = 0x01; });
  Rewrite(1, [](SpriteRecord& r) { std::fill_n(r.begin(), kPixelBytes, 0xFF); });
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  EXPECT_EQ(form().Image2->Picture().pixel(49 + 30, 30), PaletteRgb(1));
}

struct LateSheetCase {
  const char* name;
  std::function<void(TForm1&)> change;
};

class ALateSheet : public MainWindowFixture, public ::testing::WithParamInterface<LateSheetCase> {};

// Start-up draws no sheet; the sheet drawn when it is first used shows what one drawn at once and
// kept up to date shows, whatever changed in between.
TEST_P(ALateSheet, ShowsWhatASheetDrawnAtOnceShows) {
  EXPECT_FALSE(form().Image2->PictureMade());
  TForm1 early;
  early.Image2->Picture();
  GetParam().change(early);
  GetParam().change(form());
  EXPECT_EQ(form().Image2->Picture(), early.Image2->Picture());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ALateSheet,
    ::testing::Values(
        LateSheetCase{"painted_cell",
                      [](TForm1& form) {
                        QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {9, 9});
                      }},
        LateSheetCase{"other_sprite", [](TForm1& form) { form.ScrollBar1->setValue(7); }},
        LateSheetCase{"scrolled", [](TForm1& form) { form.ScrollBar3->setValue(3); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The editor and the preview draw from the current sprite's picture whenever Qt paints them;
// drawing the sheet's thumbnails, whole, scrolled or one alone, leaves that picture as it was.
TEST_F(Browser, TheEditorStillShowsItsSpriteAfterTheSheetIsDrawn) {
  Click(form().Image1, {4, 4});
  const auto previewMismatch = [&] {
    const ViewPixel corner = kPreviewView.CellOrigin({0, 0});
    return form().Image3->Picture().pixel(corner.x, corner.y) !=
           ExpectedPixel(form().Document(), 0, 0, 0);
  };
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  form().ScrollBar2->setValue(1);
  form().ScrollBar2->setValue(0);
  form().PageControl1->setCurrentWidget(form().TabSheet1);
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_FALSE(previewMismatch());
  Rewrite(5, [](SpriteRecord& r) { std::fill_n(r.begin(), kPixelBytes, 0xFF); });
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_FALSE(previewMismatch());
}

}  // namespace
}  // namespace kelvane::test
