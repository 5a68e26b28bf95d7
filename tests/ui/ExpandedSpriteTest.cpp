// Expand X and Expand Y: bits 5 and 6 of the shown sprite, shown in the machine's proportions.
#include <gtest/gtest.h>

#include <QAction>
#include <QRadioButton>

#include "support/MainWindowFixture.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using ExpandedSprite = MainWindowFixture;

TEST_F(ExpandedSprite, EachFlagIsOneUndoStepKeepingTheOtherBitsAndSetsTheProportions) {
  Rewrite(0, [](SpriteRecord& r) { r[kAttributeOffset] = 0x9C; });  // overlay, multi, grey
  const struct {
    QAction* action;
    std::uint8_t attribute;
    Zoom cells;  // the grid's cell, fitted to the laid-out room
    int undoSteps;
  } steps[] = {
      {form().ExpandX1, 0xBC, {8, 4}, 1},
      {form().ExpandY1, 0xFC, {8, 8}, 2},
      {form().ExpandX1, 0xDC, {4, 8}, 3},
  };
  for (const auto& step : steps) {
    step.action->trigger();
    EXPECT_EQ(document().Bank().Attribute(0), step.attribute);
    EXPECT_EQ(form().EditorView().CellZoom().x, step.cells.x);
    EXPECT_EQ(form().EditorView().CellZoom().y, step.cells.y);
    EXPECT_EQ(document().UndoCount(), step.undoSteps);
    EXPECT_EQ(
        step.action->isChecked(),
        (step.attribute & (step.action == form().ExpandX1 ? kExpandXFlag : kExpandYFlag)) != 0);
  }
  ASSERT_TRUE(document().Undo());
  EXPECT_EQ(document().Bank().Attribute(0), 0xFC);
  EXPECT_TRUE(form().ExpandX1->isChecked());
}

// An object is stretched only along an axis all of its sprites are expanded along.
TEST_F(ExpandedSprite, AnObjectIsStretchedOnlyWhereAllItsSpritesAre) {
  document().AddObject(ConsecutiveObject("", 0, 2, 1));
  document().ShowObjects(true);
  form().ExpandX1->trigger();
  EXPECT_EQ(form().EditorView().CellZoom().x, form().EditorView().CellZoom().y);
  document().SelectSprite(1);
  form().ExpandX1->trigger();
  EXPECT_EQ(form().EditorView().CellZoom().x, 2 * form().EditorView().CellZoom().y);
}

TEST_F(ExpandedSprite, PaintingMapsThePointerThroughTheDoubledCells) {
  form().ExpandX1->trigger();
  form().RadioButton2->click();
  const Zoom cell = form().EditorView().CellZoom();
  ASSERT_EQ(cell.x, 2 * cell.y);
  // The second multi-colour pixel of row 1: cells 2-3 across, row 1 down.
  Drag({QPoint(2 * cell.x + 1, cell.y + 1)});
  EXPECT_EQ(document().Bank().Sprite(0)[3], 0x20);
}

}  // namespace
}  // namespace kelvane::test
