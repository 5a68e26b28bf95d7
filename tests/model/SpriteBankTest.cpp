#include <gtest/gtest.h>

#include "model/PlotPixel.h"
#include "model/SpriteBank.h"

namespace kelvane {
namespace {

TEST(SpriteBank, FreshBankIsBlankMultiColourGrey) {
  const SpriteBank bank;
  ASSERT_EQ(bank.Bytes().size(), 16384u);
  for (int i = 0; i < kBankBytes; ++i) {
    EXPECT_EQ(bank.Bytes()[i], i % 64 == 63 ? 0x8C : 0x00) << "byte " << i;
  }
}

TEST(SpriteBank, SpriteNOccupiesItsOwn64Bytes) {
  SpriteBank bank;
  bank.Sprite(5)[0] = 0x11;
  bank.Attribute(5) = 0x22;
  EXPECT_EQ(bank.Bytes()[5 * 64], 0x11);
  EXPECT_EQ(bank.Bytes()[5 * 64 + 63], 0x22);
}

TEST(SpriteBank, DefaultAttributesLeavePixelsAlone) {
  SpriteBank bank;
  bank.Clear();
  bank.Sprite(3)[10] = 0xAA;
  bank.SetDefaultAttributes();
  EXPECT_EQ(bank.Sprite(3)[10], 0xAA);
  EXPECT_EQ(bank.Attribute(200), 0x8C);
}

struct PlotCase {
  const char* name;
  bool multiColour;
  std::uint8_t pen;
  int column, row;
  bool erase;
  std::uint8_t before;
  int byteIndex;
  std::uint8_t after;
};

class PlotPixelTable : public ::testing::TestWithParam<PlotCase> {};

TEST_P(PlotPixelTable, WritesExactlyTheExpectedByte) {
  const PlotCase& c = GetParam();
  SpriteBank bank;
  bank.Attribute(1) = c.multiColour ? 0x8C : 0x0C;  // the mode comes from the sprite itself
  bank.Sprite(1)[c.byteIndex] = c.before;
  SpriteBank expected = bank;
  expected.Sprite(1)[c.byteIndex] = c.after;
  PlotPixel(bank.Sprite(1), {c.column, c.row}, c.pen, c.erase);
  EXPECT_EQ(bank, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotPixelTable,
    ::testing::Values(
        // Multi-colour: pen value lands in the pair under the column.
        PlotCase{"mc_pen1_col0", true, 1, 0, 0, false, 0x00, 0, 0x40},
        PlotCase{"mc_pen2_col0", true, 2, 0, 0, false, 0x00, 0, 0x80},
        PlotCase{"mc_pen3_col7", true, 3, 7, 0, false, 0x00, 0, 0x03},
        PlotCase{"mc_col6_same_pair", true, 3, 6, 0, false, 0x00, 0, 0x03},
        PlotCase{"mc_erase_col6", true, 3, 6, 0, true, 0xFF, 0, 0xFC},
        PlotCase{"mc_erase_col7", true, 3, 7, 0, true, 0x03, 0, 0x00},
        PlotCase{"mc_pen0_clears", true, 0, 0, 0, false, 0xC0, 0, 0x00},
        PlotCase{"mc_repaint_replaces_pair", true, 1, 2, 0, false, 0x30, 0, 0x10},
        PlotCase{"mc_last_row_last_byte", true, 2, 23, 20, false, 0x00, 62, 0x02},
        // Hi-res: any pen but transparent sets the bit, transparent and erase clear it.
        PlotCase{"hr_pen2_col0", false, 2, 0, 0, false, 0x00, 0, 0x80},
        PlotCase{"hr_pen1_sets", false, 1, 1, 1, false, 0x00, 3, 0x40},
        PlotCase{"hr_pen3_sets", false, 3, 23, 0, false, 0x00, 2, 0x01},
        PlotCase{"hr_transparent_clears", false, 0, 0, 0, false, 0xFF, 0, 0x7F},
        PlotCase{"hr_erase_clears", false, 2, 7, 0, true, 0xFF, 0, 0xFE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotPixel, NeverTouchesTheAttributeByte) {
  SpriteBank bank;
  for (int row = 0; row < kSpriteRows; ++row)
    for (int column = 0; column < kHiresColumns; ++column)
      PlotPixel(bank.Sprite(0), {column, row}, 3, false);
  EXPECT_EQ(bank.Attribute(0), 0x8C);
  for (int i = 0; i < 63; ++i) EXPECT_EQ(bank.Sprite(0)[i], 0xFF);
  EXPECT_EQ(bank.Attribute(1), 0x8C);
  EXPECT_EQ(bank.Sprite(1)[0], 0x00);
}

}  // namespace
}  // namespace kelvane
