#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/SpriteDocument.h"
#include "model/Transforms.h"

namespace kelvane {
namespace {

using Rows = std::vector<std::pair<int, std::array<std::uint8_t, 3>>>;

SpriteRecord SpriteWithRows(const Rows& rows, std::uint8_t attribute) {
  SpriteRecord s{};
  for (const auto& [r, bytes] : rows) std::ranges::copy(bytes, s.begin() + 3 * r);
  s[63] = attribute;
  return s;
}

SpriteRecord RandomSprite(std::mt19937& rng, std::uint8_t attribute) {
  SpriteRecord s;
  for (auto& b : s) b = static_cast<std::uint8_t>(rng());
  s[63] = attribute;
  return s;
}

constexpr Transform kAllTransforms[] = {Transform::NudgeUp,
                                        Transform::NudgeDown,
                                        Transform::NudgeLeft,
                                        Transform::NudgeRight,
                                        Transform::FlipTopToBottom,
                                        Transform::FlipLeftToRight,
                                        Transform::SymmetrizeTopToBottom,
                                        Transform::SymmetrizeLeftToRight};

struct MirrorCase {
  std::uint8_t v;
  bool multiColour;
  std::uint8_t expected;
};

class MirrorByteTable : public ::testing::TestWithParam<MirrorCase> {};

TEST_P(MirrorByteTable, ReversesPixelOrder) {
  const MirrorCase& c = GetParam();
  EXPECT_EQ(MirrorByte(c.v, c.multiColour), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MirrorByteTable,
    ::testing::Values(MirrorCase{0x01, false, 0x80}, MirrorCase{0xC5, false, 0xA3},
                      MirrorCase{0x0F, false, 0xF0}, MirrorCase{0x01, true, 0x40},
                      MirrorCase{0x02, true, 0x80}, MirrorCase{0x1B, true, 0xE4},
                      MirrorCase{0xC5, true, 0x53}, MirrorCase{0xFF, true, 0xFF}));

// Rows not named are zero before and must be zero after.
struct TransformCase {
  const char* name;
  Transform t;
  bool multiColour;
  Rows before;
  Rows after;
};

class TransformTable : public ::testing::TestWithParam<TransformCase> {};

TEST_P(TransformTable, RewritesRowsExactly) {
  const TransformCase& c = GetParam();
  SpriteRecord sprite = SpriteWithRows(c.before, 0x8C);
  ApplyTransform(sprite, c.t, c.multiColour);
  EXPECT_EQ(sprite, SpriteWithRows(c.after, 0x8C));
}

const Rows kTallShape{{0, {0x11, 0x22, 0x33}},  {1, {0x44, 0x55, 0x66}},  {9, {0x77, 0x88, 0x99}},
                      {10, {0xAA, 0xBB, 0xCC}}, {15, {0xDD, 0xEE, 0xFF}}, {20, {0x01, 0x02, 0x03}}};

INSTANTIATE_TEST_SUITE_P(Cases, TransformTable,
                         ::testing::Values(TransformCase{"hr_left_pixel0_wraps_to_23",
                                                         Transform::NudgeLeft,
                                                         false,
                                                         {{4, {0x80, 0x00, 0x00}}},
                                                         {{4, {0x00, 0x00, 0x01}}}},
                                           TransformCase{"hr_right_pixel23_wraps_to_0",
                                                         Transform::NudgeRight,
                                                         false,
                                                         {{4, {0x00, 0x00, 0x01}}},
                                                         {{4, {0x80, 0x00, 0x00}}}},
                                           TransformCase{"hr_left_carries_between_bytes",
                                                         Transform::NudgeLeft,
                                                         false,
                                                         {{0, {0x01, 0x80, 0x00}}},
                                                         {{0, {0x03, 0x00, 0x00}}}},
                                           TransformCase{"hr_right_carries_between_bytes",
                                                         Transform::NudgeRight,
                                                         false,
                                                         {{20, {0x01, 0x01, 0x00}}},
                                                         {{20, {0x00, 0x80, 0x80}}}},
                                           TransformCase{"mc_left_pixel0_wraps_to_11",
                                                         Transform::NudgeLeft,
                                                         true,
                                                         {{7, {0x40, 0x00, 0x00}}},
                                                         {{7, {0x00, 0x00, 0x01}}}},
                                           TransformCase{"mc_left_keeps_pair_whole",
                                                         Transform::NudgeLeft,
                                                         true,
                                                         {{7, {0xC0, 0x00, 0x00}}},
                                                         {{7, {0x00, 0x00, 0x03}}}},
                                           TransformCase{"mc_right_pixel11_wraps_to_0",
                                                         Transform::NudgeRight,
                                                         true,
                                                         {{7, {0x00, 0x00, 0x01}}},
                                                         {{7, {0x40, 0x00, 0x00}}}},
                                           TransformCase{"mc_right_moves_pair_across_bytes",
                                                         Transform::NudgeRight,
                                                         true,
                                                         {{3, {0x02, 0x00, 0x00}}},
                                                         {{3, {0x00, 0x80, 0x00}}}},
                                           TransformCase{"hr_flip_lr",
                                                         Transform::FlipLeftToRight,
                                                         false,
                                                         {{2, {0x01, 0x02, 0x03}}},
                                                         {{2, {0xC0, 0x40, 0x80}}}},
                                           TransformCase{"mc_flip_lr",
                                                         Transform::FlipLeftToRight,
                                                         true,
                                                         {{2, {0x01, 0x02, 0x03}}},
                                                         {{2, {0xC0, 0x80, 0x40}}}},
                                           TransformCase{"hr_symmetrize_lr",
                                                         Transform::SymmetrizeLeftToRight,
                                                         false,
                                                         {{5, {0xF0, 0xA5, 0x00}}},
                                                         {{5, {0xF0, 0xA5, 0x0F}}}},
                                           TransformCase{"mc_symmetrize_lr",
                                                         Transform::SymmetrizeLeftToRight,
                                                         true,
                                                         {{5, {0xE4, 0x80, 0x00}}},
                                                         {{5, {0xE4, 0x82, 0x1B}}}},
                                           TransformCase{"hr_symmetrize_lr_overwrites_right_half",
                                                         Transform::SymmetrizeLeftToRight,
                                                         false,
                                                         {{5, {0x00, 0x0F, 0xFF}}},
                                                         {}},
                                           TransformCase{"hr_up_top_row_wraps",
                                                         Transform::NudgeUp,
                                                         false,
                                                         kTallShape,
                                                         {{0, {0x44, 0x55, 0x66}},
                                                          {8, {0x77, 0x88, 0x99}},
                                                          {9, {0xAA, 0xBB, 0xCC}},
                                                          {14, {0xDD, 0xEE, 0xFF}},
                                                          {19, {0x01, 0x02, 0x03}},
                                                          {20, {0x11, 0x22, 0x33}}}},
                                           TransformCase{"mc_down_bottom_row_wraps",
                                                         Transform::NudgeDown,
                                                         true,
                                                         kTallShape,
                                                         {{0, {0x01, 0x02, 0x03}},
                                                          {1, {0x11, 0x22, 0x33}},
                                                          {2, {0x44, 0x55, 0x66}},
                                                          {10, {0x77, 0x88, 0x99}},
                                                          {11, {0xAA, 0xBB, 0xCC}},
                                                          {16, {0xDD, 0xEE, 0xFF}}}},
                                           TransformCase{"hr_flip_tb_keeps_row_10",
                                                         Transform::FlipTopToBottom,
                                                         false,
                                                         kTallShape,
                                                         {{0, {0x01, 0x02, 0x03}},
                                                          {5, {0xDD, 0xEE, 0xFF}},
                                                          {10, {0xAA, 0xBB, 0xCC}},
                                                          {11, {0x77, 0x88, 0x99}},
                                                          {19, {0x44, 0x55, 0x66}},
                                                          {20, {0x11, 0x22, 0x33}}}},
                                           TransformCase{"mc_symmetrize_tb_mirrors_upper_ten",
                                                         Transform::SymmetrizeTopToBottom,
                                                         true,
                                                         kTallShape,
                                                         {{0, {0x11, 0x22, 0x33}},
                                                          {1, {0x44, 0x55, 0x66}},
                                                          {9, {0x77, 0x88, 0x99}},
                                                          {10, {0xAA, 0xBB, 0xCC}},
                                                          {11, {0x77, 0x88, 0x99}},
                                                          {19, {0x44, 0x55, 0x66}},
                                                          {20, {0x11, 0x22, 0x33}}}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RoundTripCase {
  const char* name;
  Transform t;
  bool multiColour;
  int times;
};

class RoundTripTable : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTable, RepeatingGivesTheSpriteBack) {
  const RoundTripCase& c = GetParam();
  std::mt19937 rng(1234);
  for (int trial = 0; trial < 20; ++trial) {
    const SpriteRecord start = RandomSprite(rng, 0x8C);
    SpriteRecord sprite = start;
    ApplyTransform(sprite, c.t, c.multiColour);
    EXPECT_NE(sprite, start);
    for (int i = 1; i < c.times; ++i) ApplyTransform(sprite, c.t, c.multiColour);
    EXPECT_EQ(sprite, start);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripTable,
    ::testing::Values(RoundTripCase{"up_hr", Transform::NudgeUp, false, 21},
                      RoundTripCase{"up_mc", Transform::NudgeUp, true, 21},
                      RoundTripCase{"down_hr", Transform::NudgeDown, false, 21},
                      RoundTripCase{"down_mc", Transform::NudgeDown, true, 21},
                      RoundTripCase{"left_hr", Transform::NudgeLeft, false, 24},
                      RoundTripCase{"left_mc", Transform::NudgeLeft, true, 12},
                      RoundTripCase{"right_hr", Transform::NudgeRight, false, 24},
                      RoundTripCase{"right_mc", Transform::NudgeRight, true, 12},
                      RoundTripCase{"flip_tb", Transform::FlipTopToBottom, false, 2},
                      RoundTripCase{"flip_lr_hr", Transform::FlipLeftToRight, false, 2},
                      RoundTripCase{"flip_lr_mc", Transform::FlipLeftToRight, true, 2}),
    [](const auto& info) { return std::string(info.param.name); });

std::uint8_t HiresPixel(const SpriteRecord& s, int r, int x) {
  return (s[3 * r + x / 8] >> (7 - x % 8)) & 1;
}
std::uint8_t MultiPixel(const SpriteRecord& s, int r, int m) {
  return (s[3 * r + m / 4] >> (6 - 2 * (m % 4))) & 3;
}

TEST(Symmetrize, LeftToRightMirrorsLeftHalfAndIsIdempotent) {
  std::mt19937 rng(99);
  for (bool mc : {false, true}) {
    const SpriteRecord start = RandomSprite(rng, 0x8C);
    SpriteRecord once = start;
    ApplyTransform(once, Transform::SymmetrizeLeftToRight, mc);
    SpriteRecord twice = once;
    ApplyTransform(twice, Transform::SymmetrizeLeftToRight, mc);
    EXPECT_EQ(twice, once);
    const int width = mc ? 12 : 24;
    const auto pixel = mc ? MultiPixel : HiresPixel;
    for (int r = 0; r < 21; ++r) {
      for (int x = 0; x < width / 2; ++x) {
        EXPECT_EQ(pixel(once, r, x), pixel(start, r, x)) << "mc " << mc << " row " << r;
        EXPECT_EQ(pixel(once, r, width - 1 - x), pixel(start, r, x)) << "mc " << mc << " row " << r;
      }
    }
  }
}

TEST(Symmetrize, TopToBottomMirrorsUpperRowsAndIsIdempotent) {
  std::mt19937 rng(7);
  const SpriteRecord start = RandomSprite(rng, 0x8C);
  SpriteRecord once = start;
  ApplyTransform(once, Transform::SymmetrizeTopToBottom, false);
  SpriteRecord twice = once;
  ApplyTransform(twice, Transform::SymmetrizeTopToBottom, true);
  EXPECT_EQ(twice, once);
  for (int r = 0; r <= 10; ++r) {
    for (int b = 0; b < 3; ++b) {
      EXPECT_EQ(once[3 * r + b], start[3 * r + b]);
      EXPECT_EQ(once[3 * (20 - r) + b], start[3 * r + b]);
    }
  }
}

TEST(Transforms, NoSequenceEverChangesTheAttributeByte) {
  std::mt19937 rng(42);
  for (std::uint8_t attribute : {0x8C, 0x00, 0xFF, 0x35}) {
    SpriteRecord sprite = RandomSprite(rng, attribute);
    for (int i = 0; i < 1000; ++i) {
      ApplyTransform(sprite, kAllTransforms[rng() % 8], rng() % 2 == 0);
      ASSERT_EQ(sprite[63], attribute) << "step " << i;
    }
  }
}

class RunTransformEach : public ::testing::TestWithParam<Transform> {};

TEST_P(RunTransformEach, BlankSpriteTakesExactlyOneStep) {
  SpriteDocument doc;
  doc.SelectSprite(9);
  const SpriteBank fresh = doc.Bank();
  doc.TransformSprite(GetParam());
  EXPECT_EQ(doc.Bank(), fresh);
  EXPECT_EQ(doc.UndoCount(), 1);
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank(), fresh);
  EXPECT_FALSE(doc.Undo());
}

TEST_P(RunTransformEach, ChangesOnlyTheCurrentSpriteAndUndoesIt) {
  std::mt19937 rng(5);
  SpriteDocument doc;
  std::vector<SpriteRecord> records;
  for (int n = 0; n < kSpriteCount; ++n) records.push_back(RandomSprite(rng, 0x0A));
  doc.PutSprites(0, records);
  doc.SelectSprite(200);
  const SpriteBank original = doc.Bank();
  SpriteRecord expected = doc.Bank().Record(200);
  ApplyTransform(expected, GetParam(), false);

  doc.TransformSprite(GetParam());
  SpriteBank expectedBank = original;
  expectedBank.SetRecord(200, expected);
  EXPECT_EQ(doc.Bank(), expectedBank);
  doc.Undo();
  EXPECT_EQ(doc.Bank(), original);
}

INSTANTIATE_TEST_SUITE_P(All, RunTransformEach, ::testing::ValuesIn(kAllTransforms));

}  // namespace
}  // namespace kelvane
