// What the text exports look like, line by line: the syntax of the dialects no tool here can
// judge (KickAssembler, BASIC), the shape common to all, and the options that are refused.
#include <gtest/gtest.h>

#include <sstream>

#include "ExportBanks.h"
#include "files/TextExport.h"

namespace kelvane {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// One sprite whose first byte is $ff and attribute byte $8c, the rest 0.
SpriteRecord Marked() {
  SpriteRecord record{};
  record[0] = 0xFF;
  record[kAttributeOffset] = 0x8C;
  return record;
}

struct Golden {
  TextDialect dialect;
  std::string text;
  int bytesPerLine = kMaxBytesPerLine;
};

class GoldenExport : public ::testing::TestWithParam<Golden> {};

// Sprite 7 with all 64 bytes on one line (BASIC: four): every piece of each dialect shows.
TEST_P(GoldenExport, OneSprite) {
  TextExportOptions options;
  options.dialect = GetParam().dialect;
  options.bytesPerLine = GetParam().bytesPerLine;
  const std::vector<SpriteRecord> sprites{Marked()};
  EXPECT_EQ(ExportText(sprites, 7, kExportColours, options), GetParam().text);
}

const std::string kColours = "colours bg 6 blue, mc1 1 white, mc2 0 black";
const std::string kSixteenZeros = Repeat("0,", 15) + "0";
INSTANTIATE_TEST_SUITE_P(
    Dialects, GoldenExport,
    ::testing::Values(
        Golden{TextDialect::Acme, "; " + kColours +
                                      "\n\t!align 63, 0, 0\n\nsprite_7\n\t!byte $ff," +
                                      Repeat("$00,", 62) + "$8c\n"},
        Golden{TextDialect::Ca65,
               "; " + kColours +
                   "\n; Links as it is: cl65 -t c64 -C c64-asm.cfg (the sprites in CODE).\n"
                   "; Each sprite must start on a 64-byte boundary for the VIC-II; linked alone "
                   "with\n; this ld65 configuration, they do:\n"
                   ";   MEMORY { MAIN: file = %O, start = $2000, size = $2000; }\n"
                   ";   SEGMENTS { CODE: load = MAIN, type = ro; }\n\nsprite_7:\n\t.byte $ff," +
                   Repeat("$00,", 62) + "$8c\n"},
        Golden{TextDialect::KickAssembler, "// " + kColours +
                                               "\n\t.align $40\n\nsprite_7:\n\t.byte $ff," +
                                               Repeat("$00,", 62) + "$8c\n"},
        Golden{TextDialect::Tass64, "; " + kColours + "\n\t.align 64, 0\n\nsprite_7\n\t.byte $ff," +
                                        Repeat("$00,", 62) + "$8c\n"},
        Golden{TextDialect::Xa, "; " + kColours +
                                    "\n\t.dsb (64 - (* & 63)) & 63, 0\n\nsprite_7\n\t.byt $ff," +
                                    Repeat("$00,", 62) + "$8c\n"},
        Golden{TextDialect::C, "/* " + kColours +
                                   " */\n\nconst unsigned char sprite_7[] = {\n    0xff, " +
                                   Repeat("0x00, ", 62) + "0x8c,\n};\n"},
        Golden{TextDialect::Basic,
               "1000 rem " + kColours + "\n1010 rem sprite_7\n1020 data 255," + Repeat("0,", 14) +
                   "0\n1030 data " + kSixteenZeros + "\n1040 data " + kSixteenZeros +
                   "\n1050 data " + Repeat("0,", 15) + "140\n",
               16}),
    [](const ::testing::TestParamInfo<Golden>& info) {
      const std::string id(DialectId(info.param.dialect));
      return id == "64tass" ? std::string("Tass64") : id;
    });

// KickAssembler cannot run here: its whole syntax is held to the manual's forms.
TEST(KickAssemblerExport, UsesOnlyItsOwnSyntax) {
  TextExportOptions options;
  options.dialect = TextDialect::KickAssembler;
  for (NumberBase base : kNumberBases) {
    options.numberBase = base;
    const std::vector<SpriteRecord> sprites = EveryByteValue(4);
    const std::vector<std::string> lines =
        SplitLines(ExportText(sprites, 0, kExportColours, options));
    int labels = 0;
    for (const std::string& line : lines) {
      if (line.empty()) continue;
      if (line.starts_with("//") || line == "\t.align $40") continue;
      if (line.starts_with("sprite_")) {
        EXPECT_EQ(line, "sprite_" + std::to_string(labels++) + ":");
        continue;
      }
      ASSERT_TRUE(line.starts_with("\t.byte ")) << line;
      std::stringstream values(line.substr(7));
      for (std::string value; std::getline(values, value, ',');) {
        const std::string digits = base == NumberBase::Hex      ? "0123456789abcdef"
                                   : base == NumberBase::Binary ? "01"
                                                                : "0123456789";
        const std::size_t prefix = base == NumberBase::Decimal ? 0 : 1;
        if (prefix) {
          EXPECT_EQ(value[0], base == NumberBase::Hex ? '$' : '%') << line;
        }
        EXPECT_EQ(value.find_first_not_of(digits, prefix), std::string::npos) << line;
      }
    }
    EXPECT_EQ(labels, 4);
  }
}

// Without attribute bytes a sprite is 63 bytes and nothing claims alignment.
TEST(TextExport, PixelsOnlyDropsTheAttributeByteAndTheAlignment) {
  const std::vector<SpriteRecord> sprites{Marked(), Marked()};
  for (TextDialect dialect : kTextDialects) {
    TextExportOptions options;
    options.dialect = dialect;
    options.attributes = false;
    const std::string text = ExportText(sprites, 0, kExportColours, options);
    EXPECT_EQ(text.find("align"), std::string::npos) << text;
    EXPECT_EQ(text.find(".dsb"), std::string::npos) << text;
    EXPECT_EQ(text.find("140\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("8c"), std::string::npos) << text;
  }
}

// Binary lines are picture rows by default; the attribute byte then stands on a line of its own.
TEST(TextExport, BinaryDefaultsToOneSpriteRowALine) {
  TextExportOptions options;
  options.numberBase = NumberBase::Binary;
  options.colourComment = false;
  SpriteRecord arrow{};
  arrow[0] = 0x80;
  arrow[3] = 0xC0;
  arrow[kAttributeOffset] = 0x01;
  const std::vector<SpriteRecord> sprites{arrow};
  const std::vector<std::string> lines =
      SplitLines(ExportText(sprites, 0, kExportColours, options));
  ASSERT_EQ(lines.size(), 3u + kSpriteRows + 1);  // align, gap, label, 21 rows, attribute byte
  EXPECT_EQ(lines[3], "\t!byte %10000000,%00000000,%00000000");
  EXPECT_EQ(lines[4], "\t!byte %11000000,%00000000,%00000000");
  EXPECT_EQ(lines.back(), "\t!byte %00000001");

  options.bytesPerLine = 8;  // a chosen width holds in binary too
  EXPECT_EQ(SplitLines(ExportText(sprites, 0, kExportColours, options)).size(), 3u + 8);
}

// Every line under 80 characters, numbered 1000, 1010, ..., and the DATA values read back as
// the records, for a whole bank in the widest colours names and at every allowed width.
TEST(BasicExport, LinesAreNumberedShortAndReadBackAsTheRecords) {
  const std::vector<SpriteRecord> bank = ScrambledSprites(kSpriteCount, 7);
  for (int perLine : {3, 8, 17}) {
    TextExportOptions options;
    options.dialect = TextDialect::Basic;
    options.bytesPerLine = perLine;
    ASSERT_EQ(TextExportProblem(options, kSpriteCount, 0), "");
    const std::string text = ExportText(bank, 0, SharedColours{13, 13, 13}, options);
    std::vector<std::uint8_t> values;
    int expectedNumber = kBasicFirstLine;
    for (const std::string& line : SplitLines(text)) {
      ASSERT_LT(line.size(), 80u) << line;
      std::stringstream fields(line);
      int number = 0;
      std::string keyword;
      fields >> number >> keyword;
      ASSERT_EQ(number, expectedNumber) << line;
      expectedNumber += kBasicLineStep;
      if (keyword == "rem") continue;
      ASSERT_EQ(keyword, "data") << line;
      std::string value;
      while (std::getline(fields >> std::ws, value, ',')) {
        ASSERT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << line;
        const int byte = std::stoi(value);
        ASSERT_LE(byte, 255);
        values.push_back(static_cast<std::uint8_t>(byte));
      }
    }
    EXPECT_LE(expectedNumber - kBasicLineStep, kBasicLastLineNumber);
    std::vector<std::uint8_t> want;
    for (const SpriteRecord& record : bank) want.insert(want.end(), record.begin(), record.end());
    EXPECT_EQ(values, want) << perLine << " a line";
  }
}

struct Refusal {
  std::string name;
  TextExportOptions options;
  int spriteCount;
  int firstSprite;
  std::string reason;  // a part of the message
};

TextExportOptions With(TextDialect dialect, std::optional<NumberBase> base = std::nullopt,
                       std::optional<int> perLine = std::nullopt, std::string prefix = "sprite_") {
  TextExportOptions options;
  options.dialect = dialect;
  options.numberBase = base;
  options.bytesPerLine = perLine;
  options.labelPrefix = std::move(prefix);
  return options;
}

class RefusedOptions : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedOptions, SayWhyAndAreNeverWritten) {
  const Refusal& refusal = GetParam();
  const std::string problem =
      TextExportProblem(refusal.options, refusal.spriteCount, refusal.firstSprite);
  EXPECT_NE(problem.find(refusal.reason), std::string::npos) << problem;
  const std::vector<SpriteRecord> sprites(refusal.spriteCount);
  EXPECT_THROW(ExportText(sprites, refusal.firstSprite, kExportColours, refusal.options),
               std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    TextExport, RefusedOptions,
    ::testing::Values(
        Refusal{"NoSprites", With(TextDialect::Acme), 0, 0, "no sprites"},
        Refusal{"EmptyPrefix", With(TextDialect::Acme, {}, {}, ""), 1, 0, "label prefix"},
        Refusal{"PrefixStartsWithDigit", With(TextDialect::Xa, {}, {}, "1st"), 1, 0,
                "label prefix"},
        Refusal{"PrefixWithBlank", With(TextDialect::C, {}, {}, "my sprite"), 1, 0, "label prefix"},
        Refusal{"ZeroPerLine", With(TextDialect::Ca65, {}, 0), 1, 0, "from 1 to 64"},
        Refusal{"PerLinePastASprite", With(TextDialect::Tass64, {}, 65), 1, 0, "from 1 to 64"},
        Refusal{"BasicInHex", With(TextDialect::Basic, NumberBase::Hex), 1, 0, "decimal only"},
        Refusal{"BasicInBinary", With(TextDialect::Basic, NumberBase::Binary), 1, 0,
                "decimal only"},
        Refusal{"BasicLineTooLong", With(TextDialect::Basic, {}, 18), 1, 0, "under 80"},
        Refusal{"BasicLabelTooLong", With(TextDialect::Basic, {}, {}, std::string(70, 'x')), 1, 0,
                "too long"},
        Refusal{"BasicPastLastLineNumber", With(TextDialect::Basic, {}, 2), kSpriteCount, 0,
                "63999"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvane
