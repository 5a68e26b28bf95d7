// Which sprite is drawn over which, and the pair the document shows and edits.
#include <gtest/gtest.h>

#include "model/OverlayPairs.h"
#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

TEST(OverlayPairs, PartnerByBitDistanceAndEndOfBank) {
  const struct {
    int n;
    std::uint8_t attribute;
    int distance;
    std::optional<int> partner;
  } cases[] = {
      {0, 0x80, 1, std::nullopt},    // no bit
      {0, 0x95, 1, 1},               // multi-colour with the bit
      {7, 0x11, 2, 9},               // hi-res, distance 2
      {254, 0x10, 1, 255},           // the last sprite is still a partner
      {255, 0x10, 1, std::nullopt},  // none past the bank
      {250, 0x10, 6, std::nullopt},  // nor far past it
      {3, 0x10, 0, std::nullopt},    // a distance of 0 would lay it over itself
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OverlayPartner(c.n, c.attribute, kSpriteCount, c.distance), c.partner)
        << c.n << " " << int{c.attribute} << " " << c.distance;
  }
  // A chain is pairs that share a sprite; the last one's bit names nothing past the records.
  std::vector<SpriteRecord> records(4);
  for (auto& r : records) r[kAttributeOffset] = kOverlayFlag;
  EXPECT_EQ(OverlayPairs(records, 1), (std::vector<OverlayPair>{{0, 1}, {1, 2}, {2, 3}}));
  EXPECT_EQ(OverlayPairs(records, 2), (std::vector<OverlayPair>{{0, 2}, {1, 3}}));
}

TEST(OverlayPairs, TheBitIsOneStepAndThePairFollowsItThroughTheHistory) {
  SpriteDocument doc;
  doc.SelectSprite(4);
  doc.SetOverlay(true);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(1, 1, {{4}, {5}}));
  EXPECT_EQ(doc.Bank().Attribute(4), kDefaultAttribute | kOverlayFlag);
  EXPECT_EQ(doc.UndoCount(), 1);
  doc.SetOverlayDistance(3);
  EXPECT_EQ(doc.Canvas(), SpriteCanvas(1, 1, {{4}, {7}}));
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Canvas(), SpriteCanvas::Single(4));
  EXPECT_EQ(doc.RedoCount(), 1);  // the history outlives the canvas it changed
  ASSERT_TRUE(doc.Redo());
  EXPECT_TRUE(doc.PairShown());
  doc.SetOverlay(true);  // already so: no step
  EXPECT_EQ(doc.UndoCount(), 1);
}

TEST(OverlayPairs, ATransformMovesTheEditedLayerOrBoth) {
  const struct {
    EditLayer layer;
    bool lowerMoves, upperMoves;
  } cases[] = {{EditLayer::Lower, true, false},
               {EditLayer::Upper, false, true},
               {EditLayer::ByColour, true, true}};
  for (const auto& c : cases) {
    SpriteDocument doc;
    std::array<SpriteRecord, 2> pair{};
    pair[0][0] = pair[1][0] = 0xFF;  // row 0
    pair[0][kAttributeOffset] = kOverlayFlag;
    doc.PutSprites(0, pair);
    doc.SetEditLayer(c.layer);
    doc.TransformSprite(Transform::NudgeDown);
    EXPECT_EQ(doc.Bank().Sprite(0)[kRowBytes] == 0xFF, c.lowerMoves);
    EXPECT_EQ(doc.Bank().Sprite(1)[kRowBytes] == 0xFF, c.upperMoves);
    EXPECT_EQ(doc.UndoCount(), 1);
  }
}

}  // namespace
}  // namespace kelvane
