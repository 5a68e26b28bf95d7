// The window grows past its laid-out size: the grid and the sheet take the room, the grid zooms.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "support/MainWindowFixture.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using WindowSize = MainWindowFixture;

void ResizeClient(TForm1& form, QSize client) {
  form.resize(form.size() + client - form.centralWidget()->size());
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.centralWidget()->size() == client; }));
}

TEST_F(WindowSize, GridAndSheetTakeTheRoomAndComeBackAsLaidOut) {
  const QRect laidOut[] = {form().Image1->geometry(),     form().Image3->geometry(),
                           form().ScrollBar1->geometry(), form().Btn_Undo->geometry(),
                           form().ScrollBar2->geometry(), form().Label2->geometry()};
  ResizeClient(form(), {1200, 1000});
  const CanvasView& view = form().EditorView();
  EXPECT_GT(view.CellZoom().x, 8);
  EXPECT_EQ(view.CellZoom().x, view.CellZoom().y);
  EXPECT_EQ(form().Image1->size(), QSize(view.Width(), view.Height()));
  EXPECT_FALSE(form().EditorScrollX->isVisible());
  EXPECT_GT(form().BrowserWindow().Cells(), 25);
  EXPECT_EQ(form().Image2->width(), kSheetGeometry.Width(form().BrowserWindow()));
  const SheetWindow window = form().BrowserWindow();
  EXPECT_EQ(form().ScrollBar3->maximum(), kSheetColumns - window.columns);

  ResizeClient(form(), {kClientWidth, kClientHeight - kStatusBarHeight});
  const QRect after[] = {form().Image1->geometry(),     form().Image3->geometry(),
                         form().ScrollBar1->geometry(), form().Btn_Undo->geometry(),
                         form().ScrollBar2->geometry(), form().Label2->geometry()};
  for (std::size_t k = 0; k < std::size(laidOut); ++k) EXPECT_EQ(after[k], laidOut[k]) << k;
  EXPECT_EQ(form().BrowserWindow(), SheetWindow{});
  EXPECT_EQ(form().ScrollBar2->maximum(), kSheetScrollMax);
}

TEST_F(WindowSize, ZoomKeysStepTheCellSizeWithinItsBoundsAndScrollWhenLarger) {
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int presses;
    int cell;
    bool scrolls;
  } steps[] = {
      {Qt::Key_Plus, Qt::ControlModifier, 1, 10, true},
      {Qt::Key_Equal, Qt::ControlModifier, 1, 12, true},
      {Qt::Key_Plus, Qt::ControlModifier, 20, 48, true},
      {Qt::Key_Minus, Qt::ControlModifier, 20, 4, false},
      {Qt::Key_0, Qt::ControlModifier, 1, 8, false},
  };
  for (const auto& step : steps) {
    for (int i = 0; i < step.presses; ++i) Key(step.key, step.modifiers);
    EXPECT_EQ(form().EditorView().CellZoom().y, step.cell) << step.key;
    EXPECT_EQ(form().EditorScrollY->isVisibleTo(form().TabSheet1), step.scrolls) << step.key;
  }
}

TEST_F(WindowSize, CtrlAndTheWheelOverTheGridZoomIt) {
  const struct {
    int delta;
    Qt::KeyboardModifiers modifiers;
    int cell;
  } turns[] = {
      {120, Qt::ControlModifier, 10}, {120, Qt::NoModifier, 10}, {-120, Qt::ControlModifier, 8}};
  for (const auto& turn : turns) {
    const QPointF at(20, 20);
    QWheelEvent wheel(at, form().Image1->mapToGlobal(at), {}, {0, turn.delta}, Qt::NoButton,
                      turn.modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form().Image1, &wheel);
    EXPECT_EQ(form().EditorView().CellZoom().x, turn.cell) << turn.delta;
  }
}

TEST_F(WindowSize, APointerOnAScrolledGridPaintsTheCellUnderIt) {
  Key(Qt::Key_Plus, Qt::ControlModifier);
  Key(Qt::Key_Plus, Qt::ControlModifier);  // 12 x 12, scrolled to the far corner
  form().EditorScrollX->setValue(form().EditorScrollX->maximum());
  form().EditorScrollY->setValue(form().EditorScrollY->maximum());
  form().RadioButton2->click();
  const int cell = form().EditorView().CellZoom().x;
  Drag({QPoint(form().Image1->width() - cell / 2, form().Image1->height() - cell / 2)});
  // Bottom-right multi-colour pixel: sprite colour is bit pattern 10 in the last byte.
  EXPECT_EQ(document().Bank().Sprite(0)[kSpriteBytes - 2] & 0x03, 0x02);
}

}  // namespace
}  // namespace kelvane::test
