#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/BankOperations.h"
#include "model/EditorModel.h"
#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

// A non-blank sprite with one pixel byte set; the attribute byte is the sprite number.
SpriteRecord Filled(int n) {
  SpriteRecord s{};
  s[n % 63] = static_cast<std::uint8_t>(1 + n % 200);
  s[63] = static_cast<std::uint8_t>(n);
  return s;
}

// Blank sprites get assorted attribute bytes so that the test sees they are ignored.
SpriteBank BankWithFilled(const std::vector<int>& filled) {
  SpriteBank bank;
  for (int n = 0; n < kSpriteCount; ++n) bank.Attribute(n) = static_cast<std::uint8_t>(n ^ 0x8C);
  for (int n : filled) bank.SetRecord(n, Filled(n));
  return bank;
}

std::vector<int> AllSprites() {
  std::vector<int> v;
  for (int n = 0; n < kSpriteCount; ++n) v.push_back(n);
  return v;
}

struct BlankCase {
  const char* name;
  int byte;
  std::uint8_t value;
  bool blank;
};

class IsBlankTable : public ::testing::TestWithParam<BlankCase> {};

TEST_P(IsBlankTable, LooksAtPixelBytesOnly) {
  const BlankCase& c = GetParam();
  SpriteBank bank;
  bank.Clear();
  bank.Sprite(6)[c.byte] = c.value;
  EXPECT_EQ(IsBlankSprite(bank, 6), c.blank);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsBlankTable,
                         ::testing::Values(BlankCase{"all_zero", 0, 0x00, true},
                                           BlankCase{"attribute_8C", 63, 0x8C, true},
                                           BlankCase{"attribute_FF", 63, 0xFF, true},
                                           BlankCase{"first_byte", 0, 0x80, false},
                                           BlankCase{"middle_byte", 31, 0x10, false},
                                           BlankCase{"last_pixel_byte", 62, 0x01, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RemoveCase {
  const char* name;
  std::vector<int> filled;
};

class RemoveBlanksTable : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveBlanksTable, ClosesUpNonBlankSpritesAndZeroesTheRest) {
  const RemoveCase& c = GetParam();
  EditorModel model;
  model.bank = BankWithFilled(c.filled);
  model.state.CurrentSprite = 2;
  RemoveBlanks(model);

  SpriteBank expected;
  expected.Clear();
  for (std::size_t k = 0; k < c.filled.size(); ++k) expected.SetRecord(k, Filled(c.filled[k]));
  EXPECT_EQ(model.bank, expected);
  EXPECT_EQ(model.state.CurrentSprite, 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveBlanksTable,
                         ::testing::Values(RemoveCase{"three_scattered", {3, 7, 200}},
                                           RemoveCase{"none_blank", AllSprites()},
                                           RemoveCase{"all_blank", {}},
                                           RemoveCase{"ends_of_bank", {0, 255}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RemoveBlanks, EmptySpriteWithOddAttributeIsStillDropped) {
  EditorModel model;
  model.bank.Clear();
  model.bank.SetRecord(4, Filled(4));
  model.bank.Attribute(5) = 0x01;
  model.bank.Sprite(6)[62] = 0x01;
  RemoveBlanks(model);
  SpriteBank expected;
  expected.Clear();
  expected.SetRecord(0, Filled(4));
  expected.Sprite(1)[62] = 0x01;
  EXPECT_EQ(model.bank, expected);
}

struct RemoveUndoCase {
  const char* name;
  int current;
  std::vector<int> filled;
  int expectedCount;
};

class RemoveBlanksUndoTable : public ::testing::TestWithParam<RemoveUndoCase> {};

// Two steps that leave the shown sprite as it was, then Remove Blanks.
TEST_P(RemoveBlanksUndoTable, HistoryIsForgottenOnlyWhenTheShownSpriteChanges) {
  const RemoveUndoCase& c = GetParam();
  SpriteDocument doc;
  const SpriteBank bank = BankWithFilled(c.filled);
  std::vector<SpriteRecord> records;
  for (int n = 0; n < kSpriteCount; ++n) records.push_back(bank.Record(n));
  doc.PutSprites(0, records);
  doc.SelectSprite(c.current);
  doc.TransformSprite(Transform::NudgeUp);
  doc.TransformSprite(Transform::NudgeDown);
  doc.RemoveBlanks();
  EXPECT_EQ(doc.UndoCount(), c.expectedCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveBlanksUndoTable,
    ::testing::Values(RemoveUndoCase{"other_sprite_moves_in", 1, {3, 7}, 0},
                      RemoveUndoCase{"current_stays_in_place", 1, {0, 1, 9}, 2},
                      RemoveUndoCase{"blank_loses_its_attribute", 200, {3}, 0},
                      // Sprite 140 is the one blank whose attribute byte is already 0.
                      RemoveUndoCase{"all_zero_record_stays", 140, {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CopyAttributesToAll, WritesTheWholeByteAndLeavesPixels) {
  for (std::uint8_t attribute : {0x02, 0xF7}) {
    SpriteDocument doc;
    doc.TransformSprite(Transform::FlipTopToBottom);
    const SpriteBank bank = BankWithFilled({0, 5, 255});
    std::vector<SpriteRecord> records;
    for (int n = 1; n < kSpriteCount; ++n) records.push_back(bank.Record(n));
    doc.PutSprites(1, records);
    SpriteBank expected = doc.Bank();
    for (int n = 0; n < kSpriteCount; ++n) expected.Attribute(n) = attribute;
    doc.CopyAttributesToAll(attribute);
    EXPECT_EQ(doc.Bank(), expected);
    EXPECT_EQ(doc.UndoCount(), 1);
  }
}

TEST(ResetForNewBank, FreshBankAndStateButClipboardsSurvive) {
  EditorModel model;
  model.bank = BankWithFilled({1, 2, 3});
  model.state = EditorState{201, true, 3, {1, 2, 3, 4}};
  model.clipboard = SpriteClipboard{Filled(9), true};
  model.range.RangeSpan = 7;
  model.range.entries[3] = Filled(40);

  ResetForNewBank(model);
  EXPECT_EQ(model.bank, SpriteBank{});
  EXPECT_EQ(model.state.CurrentSprite, 0);
  EXPECT_FALSE(model.state.UpperHalf);
  EXPECT_EQ(model.state.CurrentPen, 2);
  EXPECT_EQ(model.state.PenColours, (std::array<std::uint8_t, 4>{6, 1, 5, 0}));
  EXPECT_EQ(model.clipboard.record, Filled(9));
  EXPECT_TRUE(model.clipboard.ClipboardFull);
  EXPECT_EQ(model.range.RangeSpan, 7);
  EXPECT_EQ(model.range.entries[3], Filled(40));
}

}  // namespace
}  // namespace kelvane
