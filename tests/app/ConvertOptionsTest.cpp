// What a converter command line comes to, decided without running anything.
#include <gtest/gtest.h>

#include "app/ConvertOptions.h"

namespace kelvane {
namespace {

ConvertOptions Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "kelvane-convert");
  return ParseConvertOptions(words);
}

TEST(ConvertOptions, ValuesInEitherSpellingReachTheRequest) {
  const ConvertOptions o =
      Parse({"--sprites=2-9", "--colours", "0,15,3", "--load-address", "$C000", "--label=s",
             "--number-base", "bin", "--per-line=3", "--no-attributes", "--no-colour-comment",
             "--scale", "4", "--columns=5", "--expand", "--from", "prg", "in", "-oout.s"});
  ASSERT_EQ(o.action, ConvertOptions::Action::Convert) << o.message;
  EXPECT_EQ(o.inputs, std::vector<std::string>{"in"});
  EXPECT_EQ(o.output, "out.s");
  EXPECT_EQ(o.from, "prg");
  EXPECT_EQ(o.request.format, "ca65");  // from the name
  ASSERT_TRUE(o.sprites.has_value());
  EXPECT_EQ(o.sprites->first, 2);
  EXPECT_EQ(o.sprites->last, 9);
  EXPECT_EQ(o.colours, (SharedColours{0, 15, 3}));
  EXPECT_EQ(o.request.loadAddress, 0xC000);
  EXPECT_EQ(o.request.text.labelPrefix, "s");
  EXPECT_EQ(o.request.text.numberBase, NumberBase::Binary);
  EXPECT_EQ(o.request.text.bytesPerLine, 3);
  EXPECT_FALSE(o.request.text.attributes);
  EXPECT_FALSE(o.request.text.colourComment);
  EXPECT_EQ(o.request.png.scale, 4);
  EXPECT_EQ(o.request.png.columns, 5);
  EXPECT_TRUE(o.request.png.expand);
}

TEST(ConvertOptions, TheOutputFormatComesFromToOrTheName) {
  const struct {
    std::vector<std::string> words;
    const char* format;
  } cases[] = {
      {{"a", "-o", "b.SPD"}, "spd"},
      {{"a", "-o", "b.h"}, "c"},
      {{"a", "-o", "b.bas"}, "basic"},
      {{"a", "-o", "b.asm"}, "acme"},
      {{"a", "--to", "xa", "-o", "b.asm"}, "xa"},
      {{"a", "b", "--to", "spd5", "-d", "f"}, "spd5"},
      {{"--to", "64tass", "-o", "-", "--", "-a"}, "64tass"},
  };
  for (const auto& c : cases) {
    const ConvertOptions o = Parse(c.words);
    EXPECT_EQ(o.action, ConvertOptions::Action::Convert) << o.message;
    EXPECT_EQ(o.request.format, c.format);
  }
  EXPECT_EQ(Parse({"--to", "c", "-o", "-", "--", "-a"}).inputs, std::vector<std::string>{"-a"});
}

TEST(ConvertOptions, HelpAndVersionNeedNoInputButABadOptionWins) {
  EXPECT_EQ(Parse({"--help"}).action, ConvertOptions::Action::Help);
  EXPECT_EQ(Parse({"-h", "--version"}).action, ConvertOptions::Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, ConvertOptions::Action::Version);
  EXPECT_EQ(Parse({"--version", "--scale", "99"}).action, ConvertOptions::Action::Error);
  EXPECT_EQ(Parse({"--list", "a", "b"}).action, ConvertOptions::Action::List);
  EXPECT_EQ(Parse({"--list", "a", "-o", "b.asm"}).action, ConvertOptions::Action::Error);
}

// A segment is named only in ca65 source, and only as ca65 takes the name.
TEST(ConvertOptions, ASegmentIsForCa65SourceAndAName) {
  const ConvertOptions o = Parse({"--segment", "_Sprites2", "a", "-o", "b.s"});
  ASSERT_EQ(o.action, ConvertOptions::Action::Convert) << o.message;
  EXPECT_EQ(o.request.text.segment, "_Sprites2");
  for (const auto& words :
       std::vector<std::vector<std::string>>{{"--segment", "2SPRITES", "a", "-o", "b.s"},
                                             {"--segment", "SPR\"ITES", "a", "-o", "b.s"},
                                             {"--segment", "SPRITES", "a", "-o", "b.asm"},
                                             {"--segment", "SPRITES", "a", "-o", "b.png"}}) {
    EXPECT_EQ(Parse(words).action, ConvertOptions::Action::Error) << words[1] << " " << words[4];
  }
}

}  // namespace
}  // namespace kelvane
