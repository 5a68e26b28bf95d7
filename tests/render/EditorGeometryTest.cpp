// The mappings between view pixels, sprite cells and sprite pixels, checked against the layout
// the windows have always had: the grid's 8 x 8 cells, the preview's border, the browser's
// thumbnails 49 and 43 pixels apart.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "render/EditorGeometry.h"

namespace kelvane {
namespace {

struct EditorCase {
  const char* name;
  ViewPixel at;
  std::optional<SpriteCell> cell;
  SpriteCell hiresPixel;  // as the status bar names it
  SpriteCell multiPixel;
};

class EditorPixels : public ::testing::TestWithParam<EditorCase> {};

TEST_P(EditorPixels, MapToTheCellUnderThemAndItsPixelInEachMode) {
  const EditorCase& c = GetParam();
  const auto point = kEditorView.PointAt(c.at);
  const auto cell = point ? std::optional(SpriteCell{point->x, point->y}) : std::nullopt;
  ASSERT_EQ(cell, c.cell);
  if (!cell) return;
  EXPECT_EQ(SpritePixelOf(*cell, false), c.hiresPixel);
  EXPECT_EQ(SpritePixelOf(*cell, true), c.multiPixel);
  // The cell's own corner maps back to it.
  const SpriteView sprite = kEditorView.SpriteAt({0, 0});
  EXPECT_EQ(sprite.CellAt(sprite.CellOrigin(*cell)), cell);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorPixels,
    ::testing::Values(EditorCase{"origin", {0, 0}, SpriteCell{0, 0}, {0, 0}, {0, 0}},
                      EditorCase{"last_of_first_cell", {7, 7}, SpriteCell{0, 0}, {0, 0}, {0, 0}},
                      EditorCase{"status_example", {100, 50}, SpriteCell{12, 6}, {12, 6}, {6, 6}},
                      EditorCase{"right_edge", {191, 167}, SpriteCell{23, 20}, {23, 20}, {11, 20}},
                      EditorCase{"past_right", {192, 10}, std::nullopt, {}, {}},
                      EditorCase{"past_bottom", {10, 168}, std::nullopt, {}, {}},
                      EditorCase{"left_of_grid", {-1, 30}, std::nullopt, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewSizes, AreTheControlsSizes) {
  EXPECT_EQ(kEditorWidth, 192);
  EXPECT_EQ(kEditorHeight, 168);
  EXPECT_EQ(kPreviewWidth, 68);
  EXPECT_EQ(kPreviewHeight, 62);
  EXPECT_EQ(kSheetWidth, 244);
  EXPECT_EQ(kSheetHeight, 214);
  // The preview's sprite runs from (10, 10) to (58, 52).
  EXPECT_EQ(kPreviewView.CellOrigin({0, 0}).x, 10);
  EXPECT_EQ(kPreviewView.CellOrigin({23, 20}).x + 2, 58);
  EXPECT_EQ(kPreviewView.CellOrigin({23, 20}).y + 2, 52);
}

// What a changed area covers on each picture: the grid lines inside its cells included.
TEST(ViewRects, CoverTheCellsOfAnArea) {
  const CellArea pixel{{2, 2}, {3, 2}};  // multi-colour pixel (1, 2)
  EXPECT_EQ(kEditorView.SpriteAt({0, 0}).CellsRect(pixel), (ViewRect{16, 16, 16, 8}));
  EXPECT_EQ(kPreviewView.CellsRect(pixel), (ViewRect{14, 14, 4, 2}));
  EXPECT_EQ(kEditorView.SpriteAt({0, 0}).CellsRect(CellArea::Whole()), (ViewRect{0, 0, 192, 168}));
  EXPECT_EQ(kSheetGeometry.Thumbnail({1, 2}).CellsRect(CellArea::Whole()),
            (ViewRect{49, 86, 48, 42}));
  EXPECT_EQ(kEditorView.SpriteAt({0, 0}).CellsRect(CellArea{}), ViewRect{});
}

// A canvas of 2 x 2 sprites at 4 x 8: the points run on across the sprites, and each sprite's
// picture starts where its first point does.
TEST(CanvasViews, MapPointsAcrossTheSprites) {
  constexpr CanvasView view{{3, 5}, {4, 8}, 2, 2};
  EXPECT_EQ(view.Width(), 192);
  EXPECT_EQ(view.Height(), 336);
  EXPECT_EQ(view.PointAt({3, 5}), (CanvasPoint{0, 0}));
  EXPECT_EQ(view.PointAt({3 + 24 * 4, 5 + 21 * 8}), (CanvasPoint{24, 21}));
  EXPECT_EQ(view.PointAt({194, 340}), (CanvasPoint{47, 41}));
  EXPECT_EQ(view.PointAt({195, 5}), std::nullopt);
  EXPECT_EQ(view.PointAt({2, 5}), std::nullopt);
  EXPECT_EQ(view.SpriteAt({24, 21}).CellsRect({{1, 0}, {1, 0}}), (ViewRect{103, 173, 4, 8}));
}

TEST(SheetLayout, SpritesOutOfTheWindowHaveNoCell) {
  EXPECT_FALSE(BrowserCellOf(0, 0, 5).has_value());      // column 5
  EXPECT_FALSE(BrowserCellOf(0, 0, 80).has_value());     // row 5
  EXPECT_FALSE(BrowserCellOf(11, 11, 186).has_value());  // left of the window
  EXPECT_TRUE(BrowserCellOf(11, 11, 187).has_value());
}

TEST(SheetLayout, ThumbnailsStartAtTheColumnsAndRowsOfTheSheet) {
  constexpr int kColumnX[] = {0, 49, 98, 147, 196};
  constexpr int kRowY[] = {0, 43, 86, 129, 172};
  for (int i = 0; i < kWindowCells; ++i) {
    const SpriteView thumbnail = kSheetGeometry.Thumbnail({i, i});
    EXPECT_EQ(thumbnail.Origin().x, kColumnX[i]);
    EXPECT_EQ(thumbnail.Origin().y, kRowY[i]);
    EXPECT_EQ(thumbnail.Width(), 48);
    EXPECT_EQ(thumbnail.Height(), 42);
  }
}

struct SheetCase {
  const char* name;
  ViewPixel at;
  int topRow;
  int leftColumn;
  std::optional<int> sprite;
};

class SheetPixels : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SheetPixels, NameTheSpriteUnderThem) {
  const SheetCase& c = GetParam();
  const auto cell = kSheetGeometry.ThumbnailAt(c.at);
  ASSERT_EQ(cell.has_value(), c.sprite.has_value());
  if (cell) {
    EXPECT_EQ(BrowserSpriteAt(c.topRow, c.leftColumn, *cell), *c.sprite);
    // And back: the sheet shows that sprite in that cell.
    const auto back = BrowserCellOf(c.topRow, c.leftColumn, *c.sprite);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->column, cell->column);
    EXPECT_EQ(back->row, cell->row);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SheetPixels,
                         ::testing::Values(SheetCase{"hover_example", {60, 100}, 0, 0, 33},
                                           SheetCase{"gap_belongs_before", {48, 42}, 11, 11, 187},
                                           SheetCase{"first_of_next", {49, 43}, 11, 11, 204},
                                           SheetCase{"last_pixel", {243, 213}, 11, 11, 255},
                                           SheetCase{"left_edge", {0, 100}, 0, 0, std::nullopt},
                                           SheetCase{"top_edge", {60, 0}, 0, 0, std::nullopt},
                                           SheetCase{"past_right", {244, 10}, 0, 0, std::nullopt},
                                           SheetCase{"past_bottom", {10, 214}, 0, 0, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane
