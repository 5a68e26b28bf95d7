// A stroke on a pair by colour: the pen decides which sprite it lands in.
#include <gtest/gtest.h>

#include <array>

#include "tools/FreehandTool.h"

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

TEST(ByColour, EachPenWritesItsSpriteInOneStep) {
  constexpr std::uint8_t kMultiBase = 0x95;  // multi-colour, overlay bit, green
  constexpr std::uint8_t kHiresBase = 0x11;  // hi-res, overlay bit, white
  constexpr std::uint8_t kHiresTop = 0x00;
  constexpr std::uint8_t kMultiTop = 0x8A;
  const Row lowerBefore{0x00, 0xFF, 0x00};  // multi-colour 2 in pixels 4-7
  const Row upperBefore{0xFF, 0x00, 0x00};  // columns 0-7
  const struct {
    const char* what;
    std::uint8_t lowerAttribute, upperAttribute;
    EditLayer layer;
    std::uint8_t pen;
    unsigned button;
    Row lower, upper;  // row 0 after a stroke over columns 0-9
  } cases[] = {
      {"the upper colour writes the upper sprite",
       kMultiBase,
       kHiresTop,
       EditLayer::ByColour,
       kUpperColourPen,
       kLeftButton,
       lowerBefore,
       {0xFF, 0xC0, 0x00}},
      {"a lower pen writes below and clears above",
       kMultiBase,
       kHiresTop,
       EditLayer::ByColour,
       kMultiColour1Pen,
       kLeftButton,
       {0x55, 0x7F, 0x00},
       {0x00, 0x00, 0x00}},
      {"the lower colour too",
       kMultiBase,
       kHiresTop,
       EditLayer::ByColour,
       kSpriteColourPen,
       kLeftButton,
       {0xAA, 0xBF, 0x00},
       {0x00, 0x00, 0x00}},
      {"erasing clears both",
       kMultiBase,
       kHiresTop,
       EditLayer::ByColour,
       kSpriteColourPen,
       kRightButton,
       {0x00, 0x3F, 0x00},
       {0x00, 0x00, 0x00}},
      {"the transparent pen as well",
       kMultiBase,
       kHiresTop,
       EditLayer::ByColour,
       kTransparentPen,
       kLeftButton,
       {0x00, 0x3F, 0x00},
       {0x00, 0x00, 0x00}},
      {"a pen only the upper sprite has",
       kHiresBase,
       kMultiTop,
       EditLayer::ByColour,
       kMultiColour1Pen,
       kLeftButton,
       lowerBefore,
       {0x55, 0x40, 0x00}},
      {"the upper layer alone keeps the lower",
       kMultiBase,
       kHiresTop,
       EditLayer::Upper,
       kUpperColourPen,
       kRightButton,
       lowerBefore,
       {0x00, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SpriteDocument doc;
    const std::array<SpriteRecord, 2> pair{WithRow(c.lowerAttribute, lowerBefore),
                                           WithRow(c.upperAttribute, upperBefore)};
    doc.PutSprites(0, pair);
    ASSERT_TRUE(doc.PairShown());
    doc.SetEditLayer(c.layer);
    doc.SelectPen(c.pen);
    ASSERT_EQ(doc.CurrentPen(), c.pen);
    FreehandTool pen(doc);
    pen.Press({CanvasPoint{0, 0}, c.button, c.button, {}});
    pen.Move({CanvasPoint{9, 0}, kNoButton, c.button, {}});
    pen.Release({CanvasPoint{9, 0}, c.button, kNoButton, {}});
    EXPECT_EQ(FirstRow(doc, 0), c.lower);
    EXPECT_EQ(FirstRow(doc, 1), c.upper);
    EXPECT_EQ(doc.UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(FirstRow(doc, 0), lowerBefore);
    EXPECT_EQ(FirstRow(doc, 1), upperBefore);
  }
}

}  // namespace
}  // namespace kelvane
