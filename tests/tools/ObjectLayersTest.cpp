// An object whose sprites have partners: the partners are its upper layer over those cells only,
// and a stroke across its sprites follows the Edit Layer rule in each cell, as one step.
#include <gtest/gtest.h>

#include <array>

#include "tools/FreehandTool.h"

namespace kelvane {
namespace {

using Row = std::array<std::uint8_t, kRowBytes>;

constexpr int kDistance = 8;
constexpr std::uint8_t kOutline = kOverlayFlag | 0x01;    // hi-res white, with a partner
constexpr std::uint8_t kBody = kMultiColourFlag | 0x05;   // multi-colour green: the partner
constexpr std::uint8_t kPlain = kMultiColourFlag | 0x02;  // multi-colour red, alone

Row FirstRow(const SpriteDocument& doc, int n) {
  const auto sprite = doc.Bank().Sprite(n);
  return {sprite[0], sprite[1], sprite[2]};
}

// Object 0 1 side by side, sprite 0 an outline with body 8 over it (row 0: multi-colour 2 in
// columns 16-23), sprite 1 alone; sprite 1 shown.
void MakeObject(SpriteDocument& doc) {
  std::array<SpriteRecord, kDistance + 1> records{};
  records[0][kAttributeOffset] = kOutline;
  records[1][kAttributeOffset] = kPlain;
  records[kDistance][kAttributeOffset] = kBody;
  records[kDistance][2] = 0xFF;
  doc.PutSprites(0, records);
  doc.SetOverlayDistance(kDistance);
  doc.AddObject(ConsecutiveObject("", 0, 2, 1));
  doc.ShowObjects(true);
  doc.SelectSprite(1);
}

TEST(ObjectLayers, PartnersAreTheUpperLayerOfTheirCellsOnly) {
  SpriteDocument doc;
  MakeObject(doc);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {kDistance, kNoSprite}}));
  EXPECT_TRUE(doc.PairShown());
  EXPECT_EQ(doc.UpperOfShown(), std::nullopt);
  EXPECT_EQ(doc.PenUpper(), kDistance);  // the first pair's, the shown sprite having none

  const struct {
    EditLayer layer;
    int x;
    std::optional<std::uint8_t> pen;
    int width;
  } cases[] = {
      {EditLayer::ByColour, 16, kMultiColour2Pen, 1},  // the body over the outline
      {EditLayer::ByColour, 24, kTransparentPen, 2},   // sprite 1, with nothing over it
      {EditLayer::Upper, 16, kMultiColour2Pen, 2},
      {EditLayer::Upper, 24, std::nullopt, 1},  // no upper pixels to edit
      {EditLayer::Lower, 16, kTransparentPen, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    doc.SetEditLayer(c.layer);
    EXPECT_EQ(doc.Pixels().PenAt({c.x, 0}), c.pen);
    EXPECT_EQ(doc.Pixels().PixelWidthAt({c.x, 0}), c.width);
  }

  // The layer follows the bits, the distance and Show Object, the history kept for the first.
  doc.SelectSprite(0);
  EXPECT_EQ(doc.UpperOfShown(), kDistance);
  doc.SetOverlay(false);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}}));
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {kDistance, kNoSprite}}));
  doc.SetOverlayDistance(1);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {1, kNoSprite}}));
  SpriteRecord withBit = doc.Bank().Record(1);
  withBit[kAttributeOffset] |= kOverlayFlag;
  doc.PutSprites(1, std::span(&withBit, 1));  // a sprite not shown, its bit set without an edit
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(2, 1, {{0, 1}, {1, 2}}));
  doc.ShowObjects(false);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(1, 1, {{0}, {1}}));
}

TEST(ObjectLayers, AStrokeAcrossTheObjectFollowsTheEditLayerInEachCell) {
  const Row outline{};
  const Row body{0x00, 0x00, 0xFF};
  const Row plain{};
  constexpr unsigned L = kLeftButton;
  constexpr unsigned R = kRightButton;
  const struct {
    EditLayer layer;
    std::uint8_t pen;
    unsigned button;
    Row outline, body, plain;  // row 0 after a stroke over columns 16-31
  } cases[] = {
      // The body's colour lands in the body; sprite 1 has no sprite of that colour.
      {EditLayer::ByColour, kUpperColourPen, L, outline, {0x00, 0x00, 0xAA}, plain},
      // The outline's colour: the body goes from over it; sprite 1's own colour.
      {EditLayer::ByColour, kSpriteColourPen, L, {0x00, 0x00, 0xFF}, {}, {0xAA, 0x00, 0x00}},
      // Multi-colour 1: the body's, over a hi-res outline; sprite 1 has it itself.
      {EditLayer::ByColour, kMultiColour1Pen, L, outline, {0x00, 0x00, 0x55}, {0x55, 0x00, 0x00}},
      {EditLayer::ByColour, kSpriteColourPen, R, outline, {}, plain},  // erasing clears all
      {EditLayer::Upper, kUpperColourPen, L, outline, {0x00, 0x00, 0xAA}, plain},
      {EditLayer::Lower, kSpriteColourPen, L, {0x00, 0x00, 0xFF}, body, {0xAA, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SpriteDocument doc;
    MakeObject(doc);
    doc.SetEditLayer(c.layer);
    doc.SelectPen(c.pen);
    ASSERT_EQ(doc.CurrentPen(), c.pen);
    FreehandTool pen(doc);
    pen.Press({CanvasPoint{16, 0}, c.button, c.button, {}});
    pen.Move({CanvasPoint{31, 0}, kNoButton, c.button, {}});
    pen.Release({CanvasPoint{31, 0}, c.button, kNoButton, {}});
    EXPECT_EQ(FirstRow(doc, 0), c.outline);
    EXPECT_EQ(FirstRow(doc, kDistance), c.body);
    EXPECT_EQ(FirstRow(doc, 1), c.plain);
    EXPECT_EQ(doc.UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(FirstRow(doc, 0), outline);
    EXPECT_EQ(FirstRow(doc, kDistance), body);
    EXPECT_EQ(FirstRow(doc, 1), plain);
  }
}

}  // namespace
}  // namespace kelvane
