// The real tools judge the text exports: ACME, ca65 + ld65, 64tass and xa assemble them and the
// host C compiler compiles the C arrays, and what comes out must be exactly the records. Each
// assembler source is wrapped in a driver that places it at a load address after some bytes of
// other content and follows it with a table of its labels' addresses, so alignment and labels
// are judged by the same tools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "ExportBanks.h"
#include "TempFolder.h"
#include "files/TextExport.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Where an export goes: the load address and how many bytes of other content come first.
struct Placement {
  int origin = 0x0801;  // where a BASIC stub ends, as often as not unaligned
  int prefixBytes = 1;
};

struct JudgeCase {
  std::string name;
  int bank = 0;
  TextExportOptions options{};
  Placement at{};
};

const std::vector<ExportBank>& Banks() {
  static const std::vector<ExportBank> banks = ExportBanks();
  return banks;
}

std::string Hex(int value) {
  std::ostringstream text;
  text << '$' << std::hex << value;
  return text.str();
}

// Other content before the export, a few values a line: xa refuses a line of more than about a
// hundred values.
std::uint8_t PrefixByte(int i) {
  return static_cast<std::uint8_t>(0xE0 + i % 16);
}
std::string PrefixLines(std::string_view directive, int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    lines += i % 16 ? "," : (i ? "\n\t" : "\t") + std::string(directive) + " ";
    lines += std::to_string(PrefixByte(i));
  }
  return count ? lines + "\n" : "";
}

std::vector<std::string> Labels(const JudgeCase& c) {
  std::vector<std::string> labels;
  const ExportBank& bank = Banks()[c.bank];
  for (std::size_t k = 0; k < bank.records.size(); ++k) {
    labels.push_back(c.options.labelPrefix +
                     std::to_string(bank.firstSprite + static_cast<int>(k)));
  }
  return labels;
}

struct Driver {
  std::string file;
  std::string text;
  std::string command;
  std::string linkerConfig{};  // ca65 only
};

// The linker configuration lines an export's opening comment gives, indented under "; ".
std::string CommentedConfig(const std::string& exportText) {
  std::string config;
  std::stringstream lines(exportText);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(";   ")) config += line.substr(4) + "\n";
  }
  return config;
}

// The export wrapped for its tool, with the commands that turn it into out.bin.
Driver Wrap(const JudgeCase& c, const std::string& exportText) {
  const Placement& at = c.at;
  std::string words;  // the label table
  const std::string word = c.options.dialect == TextDialect::Acme ? "!word" : ".word";
  for (const std::string& label : Labels(c)) words += "\t" + word + " " + label + "\n";
  const std::string origin = "\t* = " + Hex(at.origin) + "\n";
  switch (c.options.dialect) {
    case TextDialect::Acme:
      return {"drv.asm", origin + PrefixLines("!byte", at.prefixBytes) + exportText + words,
              "acme -f plain -o out.bin drv.asm"};
    case TextDialect::Tass64:
      return {"drv.s", origin + PrefixLines(".byte", at.prefixBytes) + exportText + words,
              "64tass -q -Wall --nostart -o out.bin drv.s"};
    case TextDialect::Xa:
      return {"drv.s", origin + PrefixLines(".byt", at.prefixBytes) + exportText + words,
              "xa -o out.bin drv.s"};
    case TextDialect::Ca65: {
      // The segment's line of the configuration is the one the export's comment gives.
      const std::string segmentLine = c.options.attributes
                                          ? CommentedConfig(exportText)
                                          : c.options.segment + ": load = MAIN, type = ro;\n";
      return {"drv.s",
              (at.prefixBytes ? ".segment \"PREFIX\"\n" : "") +
                  PrefixLines(".byte", at.prefixBytes) + exportText + words,
              "ca65 -o drv.o drv.s && ld65 -C drv.cfg -o out.bin drv.o",
              "MEMORY { MAIN: start = " + Hex(at.origin) + ", size = " + Hex(0x10000 - at.origin) +
                  ", file = %O; }\nSEGMENTS {\n  PREFIX: load = MAIN, type = ro, optional = yes;\n"
                  "  " +
                  segmentLine + "}\n"};
    }
    default: {  // C: a main that writes each array out in order
      std::string main = "int main(void) {\n  FILE* out = fopen(\"out.bin\", \"wb\");\n";
      for (const std::string& label : Labels(c)) {
        main += "  fwrite(" + label + ", 1, sizeof " + label + ", out);\n";
      }
      return {"drv.c", "#include <stdio.h>\n" + exportText + main + "  return fclose(out);\n}\n",
              "cc -std=c99 -Wall -Wextra -Werror -o drv drv.c && ./drv"};
    }
  }
}

std::string MissingTool(TextDialect dialect) {
  const std::map<TextDialect, std::vector<std::string>> tools{{TextDialect::Acme, {"acme"}},
                                                              {TextDialect::Ca65, {"ca65", "ld65"}},
                                                              {TextDialect::Tass64, {"64tass"}},
                                                              {TextDialect::Xa, {"xa"}},
                                                              {TextDialect::C, {"cc"}}};
  const char* path = std::getenv("PATH");
  for (const std::string& tool : tools.at(dialect)) {
    bool found = false;
    std::stringstream dirs(path ? path : "");
    for (std::string dir; !found && std::getline(dirs, dir, ':');) {
      found = !dir.empty() && ::access((dir + "/" + tool).c_str(), X_OK) == 0;
    }
    if (!found) return tool;
  }
  return "";
}

// What the tool must produce: the other content, zeros up to the next 64-byte boundary when
// attribute bytes are included, the records, then each label's address. C has no addresses.
Bytes Expected(const JudgeCase& c) {
  const bool addressed = c.options.dialect != TextDialect::C;
  Bytes bytes;
  int address = c.at.origin + c.at.prefixBytes;
  if (addressed) {
    for (int i = 0; i < c.at.prefixBytes; ++i) bytes.push_back(PrefixByte(i));
    for (; c.options.attributes && address % kSpriteBytes != 0; ++address) bytes.push_back(0);
  }
  const int size = c.options.attributes ? kSpriteBytes : kPixelBytes;
  const std::vector<SpriteRecord>& records = Banks()[c.bank].records;
  for (const SpriteRecord& record : records) {
    bytes.insert(bytes.end(), record.begin(), record.begin() + size);
  }
  for (std::size_t k = 0; addressed && k < records.size(); ++k) {
    const int label = address + static_cast<int>(k) * size;
    bytes.push_back(static_cast<std::uint8_t>(label & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(label >> 8));
  }
  return bytes;
}

std::string FirstDifference(const Bytes& got, const Bytes& want) {
  const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
  if (g == got.end() && w == want.end()) return "";
  std::ostringstream text;
  text << "got " << got.size() << " bytes, want " << want.size() << "; first difference at "
       << (g - got.begin());
  return text.str();
}

// Any warning fails the judgement, except ld65 saying that it padded a memory area's start,
// which is what an unaligned load address asks for.
bool HasWarning(const std::string& log) {
  std::stringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, std::regex("warning", std::regex::icase)) &&
        line.find("needs fill bytes for alignment") == std::string::npos) {
      return true;
    }
  }
  return false;
}

std::string NameOf(TextDialect dialect) {
  const std::string id(DialectId(dialect));
  return id == "64tass" ? "Tass64" : id;
}

// Every bank in every dialect and number base, with and without attribute bytes; then, on the
// bank of every byte value, placements before and after a boundary (from an aligned address
// the sprites are exactly N x 64 bytes) and the narrowest and widest lines.
std::vector<JudgeCase> JudgeCases() {
  std::vector<JudgeCase> cases;
  for (int bank = 0; bank < static_cast<int>(Banks().size()); ++bank) {
    for (TextDialect dialect : {TextDialect::Acme, TextDialect::Ca65, TextDialect::Tass64,
                                TextDialect::Xa, TextDialect::C}) {
      for (NumberBase base : kNumberBases) {
        for (bool attributes : {true, false}) {
          JudgeCase c{Banks()[bank].name + "_" + NameOf(dialect) + "_" +
                          std::string(NumberBaseId(base)) +
                          (attributes ? "_WithAttributes" : "_PixelsOnly"),
                      bank};
          c.options = {.dialect = dialect, .numberBase = base, .attributes = attributes};
          cases.push_back(c);
        }
      }
    }
  }
  for (TextDialect dialect :
       {TextDialect::Acme, TextDialect::Ca65, TextDialect::Tass64, TextDialect::Xa}) {
    for (Placement at : {Placement{0x2000, 0}, Placement{0x2000, 1}, Placement{0x2000, 63},
                         Placement{0x2000, 64}, Placement{0x0801, 0}, Placement{0x0801, 130}}) {
      cases.push_back({NameOf(dialect) + "_At" + std::to_string(at.origin) + "_After" +
                           std::to_string(at.prefixBytes),
                       0,
                       {.dialect = dialect},
                       at});
    }
    for (int perLine : {1, 5, kMaxBytesPerLine}) {
      cases.push_back({NameOf(dialect) + "_BinaryLinesOf" + std::to_string(perLine),
                       0,
                       {.dialect = dialect,
                        .labelPrefix = "Ship",
                        .numberBase = NumberBase::Binary,
                        .bytesPerLine = perLine}});
    }
  }
  // ca65 source placed at a chosen address after other content is in a segment of its own.
  for (JudgeCase& c : cases) {
    if (c.options.dialect == TextDialect::Ca65) c.options.segment = "SPRITES";
  }
  return cases;
}

class ToolJudge : public TempFolderTest, public ::testing::WithParamInterface<JudgeCase> {
 protected:
  void WriteText(const std::string& name, const std::string& text) {
    WriteBytes(PathOf(name), Bytes(text.begin(), text.end()));
  }
};

TEST_P(ToolJudge, TurnsTheExportIntoExactlyTheRecords) {
  const JudgeCase& c = GetParam();
  if (const std::string missing = MissingTool(c.options.dialect); !missing.empty()) {
    GTEST_SKIP() << missing << " is not installed; scripts/setup.sh installs it";
  }
  const ExportBank& bank = Banks()[c.bank];
  const std::string exportText =
      ExportText(bank.records, bank.firstSprite, kExportColours, c.options);
  const Driver driver = Wrap(c, exportText);
  WriteText(driver.file, driver.text);
  if (!driver.linkerConfig.empty()) WriteText("drv.cfg", driver.linkerConfig);

  const int status =
      std::system(("cd '" + folder_ + "' && (" + driver.command + ") > tool.log 2>&1").c_str());
  const Bytes logBytes = ReadBytes(PathOf("tool.log"));
  const std::string log(logBytes.begin(), logBytes.end());
  const std::string excerpt = exportText.substr(0, 1500);
  ASSERT_EQ(status, 0) << driver.command << "\n" << log << "\n" << excerpt;
  EXPECT_FALSE(HasWarning(log)) << log;
  EXPECT_EQ(FirstDifference(ReadBytes(PathOf("out.bin")), Expected(c)), "") << excerpt;
}

// Without a segment, ca65 source links as it is with the stock configuration, its records in
// order after the load address; linked with the configuration its comment gives, every label
// lands on a 64-byte boundary.
TEST_F(TempFolderTest, Ca65SourceWithoutASegmentLinksAsItIsAndAlignedAsItsCommentSays) {
  if (const std::string missing = MissingTool(TextDialect::Ca65); !missing.empty()) {
    GTEST_SKIP() << missing << " is not installed; scripts/setup.sh installs it";
  }
  const ExportBank& bank = Banks()[0];
  const JudgeCase c{"Ca65", 0, {.dialect = TextDialect::Ca65}, {0x2000, 0}};
  std::string words;
  for (const std::string& label : Labels(c)) words += "\t.word " + label + "\n";
  const std::string text = ExportText(bank.records, bank.firstSprite, kExportColours, c.options);
  const std::string source = text + words;
  WriteBytes(PathOf("drv.s"), Bytes(source.begin(), source.end()));
  const std::string config = CommentedConfig(text);
  WriteBytes(PathOf("drv.cfg"), Bytes(config.begin(), config.end()));

  const std::string stock = std::string(kCa65StockLink) + " -o out.prg drv.s";
  const std::string commented = "ca65 -o drv.o drv.s && ld65 -C drv.cfg -o out.bin drv.o";
  for (const std::string& command : {stock, commented}) {
    const int status =
        std::system(("cd '" + folder_ + "' && (" + command + ") > tool.log 2>&1").c_str());
    const Bytes logBytes = ReadBytes(PathOf("tool.log"));
    const std::string log(logBytes.begin(), logBytes.end());
    ASSERT_EQ(status, 0) << command << "\n" << log;
    EXPECT_FALSE(HasWarning(log)) << log;
  }
  // The stock configuration loads at $0801 and puts CODE right there.
  constexpr int kStockStart = 0x0801;
  Bytes expected{kStockStart & 0xFF, kStockStart >> 8};
  for (const SpriteRecord& record : bank.records) {
    expected.insert(expected.end(), record.begin(), record.end());
  }
  for (std::size_t k = 0; k < bank.records.size(); ++k) {
    const int label = kStockStart + static_cast<int>(k) * kSpriteBytes;
    expected.push_back(static_cast<std::uint8_t>(label & 0xFF));
    expected.push_back(static_cast<std::uint8_t>(label >> 8));
  }
  EXPECT_EQ(FirstDifference(ReadBytes(PathOf("out.prg")), expected), "");
  EXPECT_EQ(FirstDifference(ReadBytes(PathOf("out.bin")), Expected(c)), "");
}

INSTANTIATE_TEST_SUITE_P(Exports, ToolJudge, ::testing::ValuesIn(JudgeCases()),
                         [](const ::testing::TestParamInfo<JudgeCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace kelvane
