// A stroke on a pair by colour: the pen decides which sprite it lands in.
#include <gtest/gtest.h>

#include <array>

#include "tools/FillTool.h"
#include "tools/FreehandTool.h"
#include "tools/SelectTool.h"

namespace kelvane {
namespace {

using Row = std::array<std::uint8_t, kRowBytes>;

SpriteRecord WithRow(std::uint8_t attribute, Row row) {
  SpriteRecord record{};
  std::ranges::copy(row, record.begin());
  record[kAttributeOffset] = attribute;
  return record;
}

Row FirstRow(const SpriteDocument& doc, int n) {
  const auto sprite = doc.Bank().Sprite(n);
  return {sprite[0], sprite[1], sprite[2]};
}

// A stroke of pen in layer with button over row 0, columns from..to.
void Stroke(SpriteDocument& doc, EditLayer layer, std::uint8_t pen, unsigned button, int from,
            int to) {
  doc.SetEditLayer(layer);
  doc.SelectPen(pen);
  ASSERT_EQ(doc.CurrentPen(), pen);
  FreehandTool tool(doc);
  tool.Press({CanvasPoint{from, 0}, button, button, {}});
  tool.Move({CanvasPoint{to, 0}, kNoButton, button, {}});
  tool.Release({CanvasPoint{to, 0}, button, kNoButton, {}});
}

TEST(ByColour, EachPenWritesItsSpriteInOneStep) {
  const Row lowerBefore{0x00, 0xFF, 0x00};  // multi-colour 2 in pixels 4-7 of a multi-colour base
  const Row upperBefore{0xFF, 0x00, 0x00};  // columns 0-7
  constexpr auto kBoth = EditLayer::ByColour;
  constexpr unsigned L = kLeftButton;
  constexpr unsigned R = kRightButton;
  const struct {
    bool hiresBase;  // white hi-res under multi-colour, else green multi-colour under black hi-res
    EditLayer layer;
    std::uint8_t pen;
    unsigned button;
    Row lower, upper;  // row 0 after a stroke over columns 0-9
  } cases[] = {
      {false, kBoth, kUpperColourPen, L, lowerBefore, {0xFF, 0xC0, 0x00}},  // upper colour: above
      {false, kBoth, kMultiColour1Pen, L, {0x55, 0x7F, 0x00}, {}},          // below, clears above
      {false, kBoth, kSpriteColourPen, L, {0xAA, 0xBF, 0x00}, {}},          // the lower colour too
      {false, kBoth, kSpriteColourPen, R, {0x00, 0x3F, 0x00}, {}},          // erasing clears both
      {false, kBoth, kTransparentPen, L, {0x00, 0x3F, 0x00}, {}},  // the transparent pen too
      {true, kBoth, kMultiColour1Pen, L, lowerBefore, {0x55, 0x40, 0x00}},  // only the upper's pen
      {false, EditLayer::Upper, kUpperColourPen, R, lowerBefore, {}},       // upper layer alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SpriteDocument doc;
    const std::array<SpriteRecord, 2> pair{WithRow(c.hiresBase ? 0x11 : 0x95, lowerBefore),
                                           WithRow(c.hiresBase ? 0x8A : 0x00, upperBefore)};
    doc.PutSprites(0, pair);
    ASSERT_TRUE(doc.PairShown());
    Stroke(doc, c.layer, c.pen, c.button, 0, 9);
    EXPECT_EQ(FirstRow(doc, 0), c.lower);
    EXPECT_EQ(FirstRow(doc, 1), c.upper);
    EXPECT_EQ(doc.UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(FirstRow(doc, 0), lowerBefore);
    EXPECT_EQ(FirstRow(doc, 1), upperBefore);
  }
}

// A selection on a pair by colour carries both layers: what the upper sprite hides of the lower
// one moves, flips and pastes with it, in one step.
TEST(ByColour, ASelectionCarriesThePixelsOfBothLayers) {
  const Row lowerBefore{0xF0, 0x00, 0x00};  // multi-colour 3 in columns 0-3
  const Row upperBefore{0xC0, 0x00, 0x00};  // hi-res, columns 0-1 over it
  const struct {
    void (*edit)(SelectTool&);
    Row lower, upper;
  } cases[] = {
      {[](SelectTool& t) { t.MoveBy(8, 0), t.PutDown(); }, {0x00, 0xF0, 0x00}, {0x00, 0xC0, 0x00}},
      {[](SelectTool& t) { t.Apply(Transform::FlipLeftToRight); }, {0x0F, 0, 0}, {0x03, 0, 0}},
      {[](SelectTool& t) { t.Copy(), t.Paste(), t.MoveBy(8, 0), t.PutDown(); },
       {0xF0, 0xF0, 0x00},
       {0xC0, 0xC0, 0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SpriteDocument doc;
    doc.PutSprites(0, std::array{WithRow(0x95, lowerBefore), WithRow(0x00, upperBefore)});
    doc.SetEditLayer(EditLayer::ByColour);
    SelectTool tool(doc);
    tool.Press({CanvasPoint{0, 0}, kLeftButton, kLeftButton, {}});
    tool.Move({CanvasPoint{7, 0}, kNoButton, kLeftButton, {}});
    tool.Release({CanvasPoint{7, 0}, kLeftButton, kNoButton, {}});
    c.edit(tool);
    EXPECT_EQ(FirstRow(doc, 0), c.lower);
    EXPECT_EQ(FirstRow(doc, 1), c.upper);
    EXPECT_EQ(doc.UndoCount(), 1);
  }
}

// The object below, a pixel's width as each layer sees it: off the canvas and where a layer has no
// sprite, one column.
TEST(PixelWidths, FollowEachLayersSprite) {
  SpriteDocument doc;
  std::array<SpriteRecord, 9> records{WithRow(0x11, {}), WithRow(0x82, {})};
  records[8] = WithRow(0x85, {});
  doc.PutSprites(0, records);
  doc.SetOverlayDistance(8);
  doc.AddObject(ConsecutiveObject("", 0, 2, 1));
  doc.ShowObjects(true);
  ASSERT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {8, kNoSprite}}));
  const struct {
    EditLayer layer;
    CanvasPoint at;
    int width;
  } cases[] = {
      {EditLayer::Lower, {5, 3}, 1},    {EditLayer::Lower, {30, 20}, 2},
      {EditLayer::Upper, {5, 3}, 2},    {EditLayer::Upper, {30, 20}, 1},
      {EditLayer::ByColour, {5, 3}, 1}, {EditLayer::ByColour, {30, 20}, 2},
      {EditLayer::Lower, {-1, 0}, 1},   {EditLayer::Lower, {48, 0}, 1},
      {EditLayer::Upper, {0, 21}, 1},   {EditLayer::ByColour, {47, -1}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    doc.SetEditLayer(c.layer);
    EXPECT_EQ(doc.Pixels().PixelWidthAt(c.at), c.width);
  }
}

// Object 0 1 side by side: hi-res outline 0 under multi-colour body 8, sprite 1 with nothing over
// it. A stroke over columns 16-31 follows each cell's own pair; a cell alone has no upper pixels.
TEST(ByColour, AcrossAnObjectEachCellFollowsItsOwnPair) {
  const Row body{0x00, 0x00, 0xFF};
  constexpr auto kBoth = EditLayer::ByColour;
  const struct {
    EditLayer layer;
    std::uint8_t pen;
    unsigned button;
    Row outline, body, plain;  // row 0 of sprites 0, 8 and 1 after the stroke
  } cases[] = {
      {kBoth, kUpperColourPen, kLeftButton, {}, {0x00, 0x00, 0xAA}, {}},
      {kBoth, kSpriteColourPen, kLeftButton, {0x00, 0x00, 0xFF}, {}, {0xAA, 0x00, 0x00}},
      {kBoth, kMultiColour1Pen, kLeftButton, {}, {0x00, 0x00, 0x55}, {0x55, 0x00, 0x00}},
      {kBoth, kSpriteColourPen, kRightButton, {}, {}, {}},
      {EditLayer::Upper, kUpperColourPen, kLeftButton, {}, {0x00, 0x00, 0xAA}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SpriteDocument doc;
    std::array<SpriteRecord, 9> records{WithRow(0x11, {}), WithRow(0x82, {})};
    records[8] = WithRow(0x85, body);
    doc.PutSprites(0, records);
    doc.SetOverlayDistance(8);
    doc.AddObject(ConsecutiveObject("", 0, 2, 1));
    doc.ShowObjects(true);
    ASSERT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {8, kNoSprite}}));
    EXPECT_EQ(doc.Pixels().PixelWidthAt({24, 0}), 2);             // sprite 1's own pixels
    EXPECT_FALSE(doc.Pixels().Writes({24, 0}, kUpperColourPen));  // nothing over sprite 1
    EXPECT_TRUE(doc.Pixels().Writes({16, 0}, kUpperColourPen));
    doc.SetEditLayer(EditLayer::Upper);  // a fill of the upper layer stops where it ends
    FloodRegion(doc.Pixels(), {0, 0}).ForEachRun([](CanvasRun run) { EXPECT_LE(run.right, 24); });
    Stroke(doc, c.layer, c.pen, c.button, 16, 31);
    EXPECT_EQ(FirstRow(doc, 0), c.outline);
    EXPECT_EQ(FirstRow(doc, 8), c.body);
    EXPECT_EQ(FirstRow(doc, 1), c.plain);
    EXPECT_EQ(doc.UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(FirstRow(doc, 8), body);
    records[1][kAttributeOffset] |= kOverlayFlag;  // set outside an edit, in a sprite not shown
    doc.PutSprites(1, std::span(&records[1], 1));
    EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {8, 9}}));
  }
}

}  // namespace
}  // namespace kelvane
