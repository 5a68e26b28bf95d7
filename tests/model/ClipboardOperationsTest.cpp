#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ClipboardOperations.h"
#include "model/EditorModel.h"
#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

// Every sprite distinct and non-blank; the attribute byte is the sprite number.
SpriteRecord Distinct(int n) {
  SpriteRecord s{};
  for (int i = 0; i < 63; ++i) s[i] = static_cast<std::uint8_t>(n * 7 + i * 13 + 1);
  s[63] = static_cast<std::uint8_t>(n);
  return s;
}

void FillDistinct(SpriteBank& bank) {
  for (int n = 0; n < kSpriteCount; ++n) bank.SetRecord(n, Distinct(n));
}

std::vector<SpriteRecord> DistinctRecords() {
  std::vector<SpriteRecord> records;
  for (int n = 0; n < kSpriteCount; ++n) records.push_back(Distinct(n));
  return records;
}

SpriteRecord WithAttribute(std::uint8_t pixel, std::uint8_t attribute) {
  SpriteRecord s{};
  s[0] = s[31] = s[62] = pixel;
  s[63] = attribute;
  return s;
}

const SpriteRecord kDefaultBlank = WithAttribute(0x00, 0x8C);

TEST(SpriteClipboard, CutLeavesTheDefaultBlankAndFillsTheClipboard) {
  EditorModel model;
  model.state.CurrentSprite = 4;
  const SpriteRecord hires = WithAttribute(0xA5, 0x05);
  model.bank.SetRecord(4, hires);
  SpriteBank expected = model.bank;
  expected.SetRecord(4, kDefaultBlank);

  CutSprite(model);
  EXPECT_EQ(model.bank, expected);
  EXPECT_EQ(model.clipboard.record, hires);
  EXPECT_TRUE(model.clipboard.ClipboardFull);
}

TEST(SpriteClipboard, CopyChangesNothingButTheClipboard) {
  EditorModel model;
  FillDistinct(model.bank);
  model.state.CurrentSprite = 77;
  const SpriteBank before = model.bank;
  CopySprite(model);
  EXPECT_EQ(model.bank, before);
  EXPECT_EQ(model.clipboard.record, Distinct(77));
  EXPECT_TRUE(model.clipboard.ClipboardFull);
}

TEST(SpriteClipboard, PasteBeforeAnyCopyDoesNothing) {
  EditorModel model;
  FillDistinct(model.bank);
  const SpriteBank before = model.bank;
  EXPECT_FALSE(PasteSprite(model));
  EXPECT_EQ(model.bank, before);
}

TEST(SpriteClipboard, PasteOfHiresSpriteOntoMultiColourMakesItHires) {
  EditorModel model;
  model.state.CurrentSprite = 1;
  model.bank.SetRecord(1, WithAttribute(0x33, 0x02));
  CopySprite(model);
  model.state.CurrentSprite = 2;
  model.bank.SetRecord(2, WithAttribute(0xFF, 0x8C));
  SpriteBank expected = model.bank;
  expected.SetRecord(2, WithAttribute(0x33, 0x02));

  EXPECT_TRUE(PasteSprite(model));
  EXPECT_EQ(model.bank, expected);
  // The clipboard keeps the sprite for another paste.
  model.state.CurrentSprite = 3;
  EXPECT_TRUE(PasteSprite(model));
  EXPECT_EQ(model.bank.Record(3), WithAttribute(0x33, 0x02));
}

// Cut and Paste are a step each; Copy and a paste of nothing take none.
TEST(SpriteClipboard, CutUndoThenPasteElsewhere) {
  SpriteDocument doc;
  doc.PutSprites(0, DistinctRecords());
  const SpriteBank original = doc.Bank();
  EXPECT_FALSE(doc.PasteSprite());
  doc.SelectSprite(4);
  doc.CopySprite();
  EXPECT_EQ(doc.UndoCount(), 0);
  doc.CutSprite();
  EXPECT_EQ(doc.UndoCount(), 1);
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank(), original);

  doc.SelectSprite(9);
  EXPECT_TRUE(doc.PasteSprite());
  EXPECT_EQ(doc.UndoCount(), 1);
  SpriteBank expected = original;
  expected.SetRecord(9, Distinct(4));
  EXPECT_EQ(doc.Bank(), expected);
}

// Expected bank after the paste: the distinct bank, with `cleared` sprites zeroed by the cut and
// each (target, source) pair holding the original sprite `source`.
struct RangeCase {
  const char* name;
  int from, to;
  bool cut;
  int pasteAt;
  int span;
  std::vector<int> cleared;
  std::vector<std::pair<int, int>> pasted;
};

class RangeTable : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeTable, TakeThenPasteWritesExactlyTheseSprites) {
  const RangeCase& c = GetParam();
  EditorModel model;
  FillDistinct(model.bank);
  model.state.CurrentSprite = c.pasteAt;
  TakeRange(model, c.from, c.to, c.cut);
  EXPECT_EQ(model.range.RangeSpan, c.span);
  for (int k = 0; k <= c.span; ++k) EXPECT_EQ(model.range.entries[k], Distinct(c.from + k));
  if (c.span < 0) {
    EXPECT_EQ(model.range.entries[0], SpriteRecord{});  // nothing taken
  }

  SpriteBank expected;
  FillDistinct(expected);
  for (int n : c.cleared) expected.SetRecord(n, SpriteRecord{});
  EXPECT_EQ(model.bank, expected);

  PasteRangeAtCurrent(model);
  for (auto [target, source] : c.pasted) expected.SetRecord(target, Distinct(source));
  EXPECT_EQ(model.bank, expected);
  EXPECT_EQ(model.state.CurrentSprite, c.pasteAt);
}

std::vector<int> Sprites(int first, int last) {
  std::vector<int> v;
  for (int n = first; n <= last; ++n) v.push_back(n);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeTable,
    ::testing::Values(
        RangeCase{
            "copy_10_12_at_100", 10, 12, false, 100, 2, {}, {{100, 10}, {101, 11}, {102, 12}}},
        RangeCase{"copy_10_12_at_254", 10, 12, false, 254, 2, {}, {{254, 10}, {255, 11}}},
        RangeCase{
            "cut_10_12_at_11", 10, 12, true, 11, 2, {10, 11, 12}, {{11, 10}, {12, 11}, {13, 12}}},
        RangeCase{"from_equals_to", 50, 50, false, 0, 0, {}, {{0, 50}}},
        RangeCase{"from_above_to_copy", 12, 10, false, 100, -2, {}, {}},
        RangeCase{"from_above_to_cut", 12, 10, true, 11, -2, {}, {}},
        RangeCase{"cut_whole_bank", 0, 255, true, 255, 255, Sprites(0, 255), {{255, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeClipboard, EntriesPastTheNewRangeKeepWhatTheyHeld) {
  EditorModel model;
  FillDistinct(model.bank);
  TakeRange(model, 0, 5, false);
  TakeRange(model, 10, 11, false);
  EXPECT_EQ(model.range.entries[0], Distinct(10));
  EXPECT_EQ(model.range.entries[1], Distinct(11));
  for (int k = 2; k <= 5; ++k) EXPECT_EQ(model.range.entries[k], Distinct(k));
}

// The undo stack belongs to the sprite on display; it survives only while that slot's bytes do.
struct RangeUndoCase {
  const char* name;
  int from, to;
  bool cut;
  int current;
  int expectedCount;
};

class RangeUndoTable : public ::testing::TestWithParam<RangeUndoCase> {};

TEST_P(RangeUndoTable, HistoryIsForgottenOnlyWhenTheShownSpriteChanges) {
  const RangeUndoCase& c = GetParam();
  SpriteDocument doc;
  doc.PutSprites(0, DistinctRecords());
  doc.SelectSprite(c.current);
  doc.TransformSprite(Transform::NudgeUp);
  doc.TransformSprite(Transform::NudgeDown);
  doc.TakeRange(c.from, c.to, c.cut);
  doc.PasteRange();
  EXPECT_EQ(doc.UndoCount(), c.expectedCount);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeUndoTable,
    ::testing::Values(RangeUndoCase{"paste_other_content", 10, 12, false, 100, 0},
                      RangeUndoCase{"paste_same_content", 100, 102, false, 100, 2},
                      RangeUndoCase{"negative_span", 12, 10, false, 100, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeClipboard, CutRangeAddsNoUndoStep) {
  SpriteDocument doc;
  doc.PutSprites(0, DistinctRecords());
  doc.SelectSprite(20);
  doc.TransformSprite(Transform::NudgeUp);
  doc.TakeRange(18, 22, true);
  EXPECT_EQ(doc.Bank().Record(20), SpriteRecord{});
  EXPECT_EQ(doc.UndoCount(), 1);
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank().Record(20), Distinct(20));
}

}  // namespace
}  // namespace kelvane
