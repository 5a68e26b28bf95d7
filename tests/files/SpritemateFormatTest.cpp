#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "SpritePadFixture.h"
#include "files/SpritemateFormat.h"

namespace kelvane {
namespace {

using fixture::Bytes;

const std::string kHeroPath = "/art/hero.spm";

Bytes Text(const std::string& text) {
  return {text.begin(), text.end()};
}

// 21 rows of 24 pen values (or rows of them): the first begins with firstRow, zeros fill the rest.
std::string Pixels(const std::string& firstRow, int rows = kSpriteRows) {
  const auto given = firstRow.empty() ? 0 : std::ranges::count(firstRow, ',') + 1;
  std::string pixels = "[[" + firstRow;
  for (auto i = given; i < kHiresColumns * rows; ++i) {
    pixels += std::string(i == 0 ? "" : i % kHiresColumns == 0 ? "],[" : ",") + "0";
  }
  return pixels + "]]";
}

std::string Sprite(const std::string& fields, const std::string& pixels) {
  return "{" + fields + "\"pixels\":" + pixels + "}";
}

std::string File(const std::string& sprites,
                 const std::string& colours = R"({"0":11,"2":7,"3":5})") {
  return R"({"colors":)" + colours + R"(,"sprites":[)" + sprites + "]}";
}

TEST(Spritemate, PensBecomeTheBitPairsPaintingWritesAndFlagsTheAttribute) {
  // Multi-colour uses the even columns: 1 sprite colour (10), 2 multi-colour 1 (01), 3
  // multi-colour 2 (11); the odd columns between them are ignored. In hi-res any pen is a pixel.
  const std::string file = File(
      Sprite(R"("color":5,"multicolor":true,"double_x":true,"overlay":true,)",
             Pixels("1,3,2,3,3,0,0,2")) +
          "," +
          Sprite(R"("color":14,"multicolor":false,"double_y":true,)", Pixels("1,2,3,0,0,0,0,1")),
      R"({"t":1,"m1":2,"m2":15})");
  const auto set = ReadSpritemate(Text(file), kHeroPath);
  ASSERT_TRUE(set.ok()) << set.error().reason;
  ASSERT_EQ(set->records.size(), 2u);
  EXPECT_EQ(set->colours, (SharedColours{1, 2, 15}));
  EXPECT_EQ(set->records[0][0], 0b10'01'11'00);
  EXPECT_EQ(set->records[0][kAttributeOffset], 0x80 | 0x20 | 0x10 | 5);
  EXPECT_EQ(set->records[1][0], 0b1110'0001);
  EXPECT_EQ(set->records[1][kAttributeOffset], 0x40 | 14);
  EXPECT_EQ(SpritemateFormat().Recognise(Text(file), "any.name"), Recognition::ByMark);
}

TEST(Spritemate, WrittenAndReadBackKeepsRecordsNamesAndWhatElseTheFileHeld) {
  const std::string file =
      R"({"version":1.2,"colors":{"0":0,"2":1,"3":2},"sprites":[)" +
      Sprite(R"("name":"ship","color":3,"multicolor":true,)", Pixels("1,1,2,2,3,3")) + "," +
      Sprite(R"("color":1,)", Pixels("0,1")) +
      R"(],"current_sprite":1,"animation":{"frames":[0,1],"fps":5}})";
  const SpritemateFormat codec;
  const auto set = ReadSpritemate(Text(file), kHeroPath);
  ASSERT_TRUE(set.ok()) << set.error().reason;
  const auto written = codec.Write(*set, "/out/copy.spm");
  ASSERT_TRUE(written.ok());
  const auto again = ReadSpritemate((*written)[0].bytes, "/out/copy.spm");
  ASSERT_TRUE(again.ok()) << again.error().reason;
  EXPECT_EQ(*again, *set);

  // Every attribute a sprite can have, from a new bank, survives the trip.
  const auto records = fixture::Records(256);
  const auto bank = ReadSpritemate(WriteSpritemate(fixture::SetOf(records)), kHeroPath);
  ASSERT_TRUE(bank.ok()) << bank.error().reason;
  EXPECT_EQ(bank->records, records);
}

// The file is made when its case runs: every run of the test program registers every case, and
// some files are large.
struct Refused {
  std::string name;
  std::function<std::string()> file;
  std::string reason;  // a part of what the refusal says
};

class SpritemateRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(SpritemateRefuses, NamingTheFileAndWhy) {
  const auto& c = GetParam();
  const std::string file = c.file();
  const auto set = ReadSpritemate(Text(file), kHeroPath);
  ASSERT_FALSE(set.ok());
  EXPECT_EQ(set.error().file, kHeroPath);
  EXPECT_EQ(set.error().problem, FileProblem::Format);
  EXPECT_NE(set.error().reason.find(c.reason), std::string::npos) << set.error().reason;
  // Named .spm, it is still this format's to explain; named otherwise, it is not taken.
  EXPECT_EQ(SpritemateFormat().Recognise(Text(file), kHeroPath), Recognition::BySizeAndName);
  EXPECT_EQ(SpritemateFormat().Recognise(Text(file), "/art/hero.bin"), Recognition::No);
}

const std::string kGood = Sprite(R"("color":1,)", Pixels(""));

INSTANTIATE_TEST_SUITE_P(
    Spritemate, SpritemateRefuses,
    ::testing::Values(
        Refused{"BrokenJson", [] { return File(kGood).substr(0, 40); }, "malformed at byte"},
        Refused{"NumberPastADouble", [] { return std::string(R"({"colors":{"0":1e999}})"); },
                "number out of range"},
        Refused{"NoColours", [] { return std::string(R"({"sprites":[]})"); }, "no \"colors\""},
        Refused{"ColourKeyMissing", [] { return File(kGood, R"({"0":1,"2":2})"); },
                "no colour \"3\""},
        Refused{"ColourOutOfRange", [] { return File(kGood, R"({"0":16,"2":2,"3":3})"); },
                "0 to 15"},
        Refused{"NoPixels", [] { return File(R"({"color":1})"); }, "no \"pixels\""},
        Refused{"FlagNotBoolean",
                [] { return File(Sprite(R"("color":1,"multicolor":1,)", Pixels(""))); },
                "\"multicolor\" is not true or false"},
        Refused{"TwentyRows", [] { return File(Sprite(R"("color":1,)", Pixels("", 20))); },
                "not 21 rows"},
        Refused{"HugeArray", [] { return File(Sprite(R"("color":1,)", Pixels("", 20000))); },
                "not 21 rows"},
        Refused{"PenFour",
                [] { return File(kGood + "," + Sprite(R"("color":1,)", Pixels("0,4"))); },
                "sprite 2 row 1 column 2 is not a pen value"},
        Refused{"PenFraction", [] { return File(Sprite(R"("color":1,)", Pixels("1.5"))); },
                "pen value"},
        Refused{"NestedTooDeeply", [] { return R"({"colors":)" + std::string(100000, '[') + "}"; },
                "nests"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kelvane
