// What reaches the screen: once the event loop has run, the window shows exactly the pictures
// it drew, and a painted cell repaints its own blocks and nothing else of the pictures.
#include <QAction>
#include <QBackingStore>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <string>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"

namespace kelvane::test {
namespace {

// The part of the window's backing store under control: what the offscreen screen shows.
QImage OnScreen(QWidget* control) {
  QWidget* window = control->window();
  const QImage shot =
      window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  return shot.copy(QRect(control->mapTo(window, QPoint()), control->size()));
}

// Every visible picture, as seen shows it, is the picture drawn.
bool AllAsDrawn(TForm1& form, const std::function<QImage(ImageControl*)>& seen) {
  for (ImageControl* image : {form.Image1, form.Image2, form.Image3}) {
    if (image->isVisible() && seen(image) != image->Picture()) return false;
  }
  return true;
}

// On screen.
bool ShownAsDrawn(TForm1& form) {
  return AllAsDrawn(form, OnScreen);
}

// Drawn anew into a picture of its own through a painter, as QWidget::grab does.
bool GrabbedAsDrawn(TForm1& form) {
  return AllAsDrawn(form, [](ImageControl* image) {
    return image->grab().toImage().convertToFormat(QImage::Format_RGB32);
  });
}

// A stroke on the grid through points, all of it before the event loop turns.
void Stroke(TForm1& form, std::initializer_list<QPoint> points,
            Qt::MouseButton button = Qt::LeftButton) {
  QWidget* grid = form.Image1;
  QTest::mousePress(grid, button, Qt::NoModifier, *points.begin());
  for (const QPoint& p : points) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), grid->mapToGlobal(QPointF(p)), Qt::NoButton,
                     button, Qt::NoModifier);
    QApplication::sendEvent(grid, &move);
  }
  QTest::mouseRelease(grid, button, Qt::NoModifier, *(points.end() - 1));
}

// A drag on the grid from one point to another, not let go.
void DragAndHold(TForm1& form, QPoint from, QPoint to) {
  QWidget* grid = form.Image1;
  QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), grid->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid, &move);
}

void PutSprite(TForm1& form, int n, const SpriteRecord& record) {
  form.Document().PutSprites(n, std::span(&record, 1));
}

void Choose(TForm1& form, const char* tool) {
  form.findChild<QAction*>(QString::fromLatin1(tool))->trigger();
}

// A line from one point to another, then a fill from a third.
// An object of 3 x 2 sprites from sprite 8, shown on the canvas.
void ShowObjectOfSprites8To13(TForm1& form) {
  SpriteDocument& document = form.Document();
  document.AddObject(ConsecutiveObject("", 8, 3, 2));
  document.ShowObjects(true);
  document.SelectSprite(9);
}

void LineThenFill(TForm1& form, QPoint from, QPoint to, QPoint fillAt) {
  Choose(form, "ToolLine1");
  Stroke(form, {from, to});
  Choose(form, "ToolFill1");
  Stroke(form, {fillAt});
}

struct ScreenCase {
  const char* name;
  std::function<void(TForm1&)> act;
};

class ShowsWhatItDrew : public MainWindowFixture,
                        public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ShowsWhatItDrew, OnceTheEventLoopHasRun) {
  Put(3, PatternSprite(3, kDefaultAttribute));
  ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form()); }));
  GetParam().act(form());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form()); }));
  EXPECT_TRUE(GrabbedAsDrawn(form()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowsWhatItDrew,
    ::testing::Values(
        ScreenCase{"multi_colour_drag",
                   [](TForm1& form) {
                     Stroke(form, {{20, 20}, {40, 20}, {180, 160}});
                   }},
        ScreenCase{"hires_drag",
                   [](TForm1& form) {
                     form.MCToggle->setChecked(false);
                     Stroke(form, {{0, 0}, {8, 0}, {191, 167}});
                   }},
        ScreenCase{"erase_after_paint",
                   [](TForm1& form) {
                     Stroke(form, {{20, 20}, {100, 20}});
                     Stroke(form, {{100, 20}, {60, 20}}, Qt::RightButton);
                   }},
        ScreenCase{"undo",
                   [](TForm1& form) {
                     Stroke(form, {{50, 50}});
                     form.Undo1->trigger();
                   }},
        ScreenCase{"other_sprite", [](TForm1& form) { form.ScrollBar1->setValue(3); }},
        ScreenCase{"background_colour",
                   [](TForm1& form) {
                     QTest::mouseClick(form.RadioButton1, Qt::LeftButton);
                     QTest::mousePress(form.Image4, Qt::LeftButton, Qt::NoModifier, {3, 2 * 8 + 4});
                   }},
        ScreenCase{"grid_off", [](TForm1& form) { form.GridToggle->click(); }},
        // A diagonal repaints cells of many rows in part, a fill whole rows, and scrolled the
        // grid shows a part of each row.
        ScreenCase{"line_then_fill",
                   [](TForm1& form) {
                     LineThenFill(form, {4, 4}, {188, 164}, {100, 20});
                   }},
        ScreenCase{"line_and_fill_across_an_object",
                   [](TForm1& form) {
                     ShowObjectOfSprites8To13(form);
                     PutSprite(form, 10, PatternSprite(5, kHiresGreen));
                     LineThenFill(form, {2, 30}, {190, 120}, {30, 150});
                   }},
        // A stroke has no preview: the small picture shows it only by the change.
        ScreenCase{"stroke_on_an_object_shown_before",
                   [](TForm1& form) {
                     ShowObjectOfSprites8To13(form);
                     ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form); }));
                     Stroke(form, {{2, 30}, {100, 60}, {190, 120}});
                   }},
        // A tool's preview over many rows of both pictures, repainted several bands at a time,
        // and a selection's frame and pixels moved, repainted a part of a band at a time.
        ScreenCase{"rectangle_while_dragged",
                   [](TForm1& form) {
                     Choose(form, "ToolRectangle1");
                     DragAndHold(form, {20, 20}, {150, 130});
                   }},
        // A preview over cells a change repainted before: they are sent to the screen again.
        ScreenCase{"rectangle_over_a_line_put_down_before",
                   [](TForm1& form) {
                     Choose(form, "ToolLine1");
                     Stroke(form, {{4, 4}, {188, 164}});
                     ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form); }));
                     Choose(form, "ToolRectangle1");
                     QTest::mouseClick(form.RadioButton3, Qt::LeftButton);  // another colour
                     DragAndHold(form, {4, 4}, {120, 100});
                   }},
        // A preview shown, then taken back: its cells are sent again after the paint.
        ScreenCase{"line_shown_then_cancelled",
                   [](TForm1& form) {
                     Choose(form, "ToolLine1");
                     DragAndHold(form, {4, 4}, {188, 164});
                     ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form); }));
                     QTest::keyClick(form.Image1, Qt::Key_Escape);
                   }},
        ScreenCase{"selection_while_moved",
                   [](TForm1& form) {
                     Choose(form, "ToolSelect1");
                     Stroke(form, {{20, 20}, {101, 93}});
                     DragAndHold(form, {50, 50}, {83, 61});
                   }},
        ScreenCase{"line_zoomed_and_scrolled",
                   [](TForm1& form) {
                     for (int k = 0; k < 3; ++k) form.ZoomIn1->trigger();
                     form.EditorScrollX->setValue(form.EditorScrollX->maximum() / 2);
                     Choose(form, "ToolLine1");
                     Stroke(form, {{3, 3}, {150, 120}});
                   }},
        ScreenCase{"thumbnail_while_the_sheet_shows",
                   [](TForm1& form) {
                     form.PageControl1->setCurrentWidget(form.TabSheet2);
                     ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form); }));
                     PutSprite(form, 0, PatternSprite(7, kDefaultAttribute));
                     PutSprite(form, 19, PatternSprite(8, kHiresGreen));
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// The union of the paint events a control receives.
class PaintedRegion : public QObject {
 public:
  explicit PaintedRegion(QWidget* control) { control->installEventFilter(this); }
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

struct CellCase {
  const char* name;
  bool multiColour;
  QPoint from, to;  // a click on each, both before the event loop turns
  QRegion grid;     // Image1
  QRegion preview;  // Image3
};

class RepaintsOnlyItsBlocks : public MainWindowFixture,
                              public ::testing::WithParamInterface<CellCase> {};

TEST_P(RepaintsOnlyItsBlocks, APaintedCell) {
  const CellCase& c = GetParam();
  form().MCToggle->setChecked(c.multiColour);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form()); }));
  PaintedRegion grid(form().Image1), preview(form().Image3);
  Stroke(form(), {c.from});
  Stroke(form(), {c.to});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !grid.region.isEmpty() && ShownAsDrawn(form()); }));
  EXPECT_EQ(grid.region, c.grid);
  EXPECT_EQ(preview.region, c.preview);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepaintsOnlyItsBlocks,
    ::testing::Values(
        // A multi-colour pixel is two cells, 16 x 8 on the grid with its lines, 4 x 2 in the
        // preview, which starts 10 pixels in.
        CellCase{
            "multi_colour", true, {20, 20}, {20, 20}, QRect(16, 16, 16, 8), QRect(14, 14, 4, 2)},
        CellCase{"hires", false, {20, 20}, {20, 20}, QRect(16, 16, 8, 8), QRect(14, 14, 2, 2)},
        CellCase{"two_cells_far_apart",
                 false,
                 {1, 1},
                 {191, 167},
                 QRegion(0, 0, 8, 8) + QRegion(184, 160, 8, 8),
                 QRegion(10, 10, 2, 2) + QRegion(56, 50, 2, 2)}),
    [](const auto& info) { return std::string(info.param.name); });

// A line across a hi-res sprite, one pixel in each of its 24 columns, repaints those cells and
// no others of the grid.
TEST_F(RepaintsOnlyItsBlocks, ALineItsOwnCells) {
  form().MCToggle->setChecked(false);
  Choose(form(), "ToolLine1");
  ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form()); }));
  PaintedRegion grid(form().Image1), preview(form().Image3);
  Stroke(form(), {{4, 4}, {188, 164}});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !grid.region.isEmpty() && ShownAsDrawn(form()); }));
  // As wide as the sprite: the small picture's whole lines, borders and all.
  EXPECT_EQ(preview.region, QRegion(0, kPreviewBorder, kPreviewWidth, 2 * kSpriteRows));
  long long area = 0;
  for (const QRect& r : grid.region) area += static_cast<long long>(r.width()) * r.height();
  EXPECT_EQ(area, kHiresColumns * 8 * 8);
  EXPECT_TRUE(grid.region.contains(QRect(0, 0, 8, 8)));
  EXPECT_TRUE(grid.region.contains(QRect(184, 160, 8, 8)));
}

// A repaint of any part of the grid, over a selection's frame and pixels and the keyboard
// cursor, writes that part of the window's image and not a pixel beside it.
TEST_F(RepaintsOnlyItsBlocks, APartOfTheGridWritesThatPartAlone) {
  constexpr QRgb kCanary = 0xFF123456;  // no colour of the palette
  Choose(form(), "ToolSelect1");
  Stroke(form(), {{20, 20}, {101, 93}});
  DragAndHold(form(), {50, 50}, {83, 61});
  // The keyboard's cursor on multi-colour pixel 6 of row 5: x 96 to 111, y 40 to 47.
  form().activateWindow();
  form().Image1->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().Image1->hasFocus(); }));
  for (int k = 0; k < 6; ++k) QTest::keyClick(form().Image1, Qt::Key_Right);
  for (int k = 0; k < 5; ++k) QTest::keyClick(form().Image1, Qt::Key_Down);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ShownAsDrawn(form()); }));
  QImage& window = *static_cast<QImage*>(form().backingStore()->paintDevice());
  const QRect grid(form().Image1->mapTo(&form(), QPoint()), form().Image1->size());
  const QImage picture = form().Image1->Picture();
  for (const QRect part :
       {QRect(13, 20, 50, 9), QRect(3, 37, 101, 30), QRect(0, 0, 7, 168), QRect(81, 44, 3, 20)}) {
    for (int y = grid.top(); y <= grid.bottom(); ++y) {
      for (int x = grid.left(); x <= grid.right(); ++x) window.setPixel(x, y, kCanary);
    }
    PaintedRegion painted(form().Image1);
    form().Image1->update(part);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !painted.region.isEmpty(); }));
    for (int y = 0; y < grid.height(); ++y) {
      for (int x = 0; x < grid.width(); ++x) {
        const QRgb seen = window.pixel(grid.left() + x, grid.top() + y);
        ASSERT_EQ(seen, painted.region.contains(QPoint(x, y)) ? picture.pixel(x, y) : kCanary)
            << "part " << part.x() << "," << part.y() << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace kelvane::test
