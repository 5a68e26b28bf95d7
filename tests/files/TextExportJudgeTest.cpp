// The real tools judge the text exports: ACME, ca65 + ld65, 64tass and xa assemble them and the
// host C compiler compiles the C array, and what comes out must be exactly the records. Each
// source is wrapped in a driver that places it at a load address after some bytes of other
// content and follows it with a table of its labels' addresses, so alignment and labels are
// judged by the same tools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <tuple>

#include "ExportBanks.h"
#include "TempFolder.h"
#include "files/TextExport.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Where the export goes: the load address and how many bytes of other content come first.
struct Placement {
  int origin;
  int prefixBytes;
};

std::string HexAddress(int address) {
  std::ostringstream text;
  text << '$' << std::hex << address;
  return text.str();
}

// The other content before the export, a few values a line: xa refuses a line of more than
// about a hundred values.
constexpr int kPrefixValuesPerLine = 16;
std::uint8_t PrefixByte(int i) {
  return static_cast<std::uint8_t>(0xE0 + i % 16);
}

std::string PrefixLines(std::string_view directive, int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    lines +=
        i % kPrefixValuesPerLine == 0 ? (i ? "\n\t" : "\t") + std::string(directive) + " " : ",";
    lines += std::to_string(PrefixByte(i));
  }
  return count ? lines + "\n" : "";
}

std::vector<std::string> Labels(const std::string& prefix, int first, std::size_t count) {
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < count; ++i)
    labels.push_back(prefix + std::to_string(first + static_cast<int>(i)));
  return labels;
}

// A table of every label's address, one a line.
std::string WordLines(std::string_view directive, const std::vector<std::string>& labels) {
  std::string lines;
  for (const std::string& label : labels)
    lines += "\t" + std::string(directive) + " " + label + "\n";
  return lines;
}

struct Job {
  TextDialect dialect;
  std::string exportText;
  Placement placement;
  bool attributes;
  std::vector<std::string> labels;
};

struct Command {
  std::string source;  // file name of the driver
  std::string driver;
  std::string extraFile, extraText;  // ld65's configuration
  std::string run;
};

Command Build(const Job& job) {
  const Placement& at = job.placement;
  const std::string origin = "\t* = " + HexAddress(at.origin) + "\n";
  switch (job.dialect) {
    case TextDialect::Acme:
      return {"drv.asm",
              origin + PrefixLines("!byte", at.prefixBytes) + job.exportText +
                  WordLines("!word", job.labels),
              "", "", "acme -f plain -o out.bin drv.asm"};
    case TextDialect::Tass64:
      return {"drv.s",
              origin + PrefixLines(".byte", at.prefixBytes) + job.exportText +
                  WordLines(".word", job.labels),
              "", "", "64tass -q -Wall --nostart -o out.bin drv.s"};
    case TextDialect::Xa:
      return {"drv.s",
              origin + PrefixLines(".byt", at.prefixBytes) + job.exportText +
                  WordLines(".word", job.labels),
              "", "", "xa -o out.bin drv.s"};
    case TextDialect::Ca65: {
      // The documented contract: with attribute bytes the segment is given align = $40.
      const std::string config =
          "MEMORY { MAIN: start = " + HexAddress(at.origin) +
          ", size = " + HexAddress(0x10000 - at.origin) +
          ", file = %O; }\nSEGMENTS {\n  PREFIX: load = MAIN, type = ro, optional = yes;\n  " +
          std::string(kCa65Segment) + ": load = MAIN, type = ro" +
          (job.attributes ? ", align = $40" : "") + ";\n}\n";
      return {"drv.s",
              (at.prefixBytes ? ".segment \"PREFIX\"\n" : "") +
                  PrefixLines(".byte", at.prefixBytes) + job.exportText +
                  WordLines(".word", job.labels),
              "drv.cfg", config, "ca65 -o drv.o drv.s && ld65 -C drv.cfg -o out.bin drv.o"};
    }
    default:
      ADD_FAILURE() << "no assembler for " << DialectId(job.dialect);
      return {};
  }
}

std::vector<std::string> ProgramsFor(TextDialect dialect) {
  switch (dialect) {
    case TextDialect::Acme:
      return {"acme"};
    case TextDialect::Ca65:
      return {"ca65", "ld65"};
    case TextDialect::Tass64:
      return {"64tass"};
    case TextDialect::Xa:
      return {"xa"};
    case TextDialect::C:
      return {"cc"};
    default:
      return {};
  }
}

std::string MissingProgram(TextDialect dialect) {
  for (const std::string& program : ProgramsFor(dialect)) {
    if (!OnPath(program)) return program;
  }
  return "";
}

// The bytes the tools must produce: the other content, zeros up to the next 64-byte boundary
// when attribute bytes are included, the records, then each label's address.
Bytes Expected(const std::vector<SpriteRecord>& records, Placement at, bool attributes) {
  Bytes bytes;
  for (int i = 0; i < at.prefixBytes; ++i) bytes.push_back(PrefixByte(i));
  int address = at.origin + at.prefixBytes;
  if (attributes) {
    while (address % kSpriteBytes != 0) {
      bytes.push_back(0);
      ++address;
    }
  }
  const int size = attributes ? kSpriteBytes : kPixelBytes;
  for (const SpriteRecord& record : records)
    bytes.insert(bytes.end(), record.begin(), record.begin() + size);
  for (std::size_t k = 0; k < records.size(); ++k) {
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
  text << "got " << got.size() << " bytes, want " << want.size() << "; first difference at offset "
       << (g - got.begin());
  if (g != got.end() && w != want.end()) text << ": " << int{*g} << " instead of " << int{*w};
  return text.str();
}

// Any warning fails the judgement, except ld65 saying that it padded a memory area's start,
// which is what an unaligned load address asks for.
bool HasWarning(std::string log) {
  std::transform(log.begin(), log.end(), log.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  std::stringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("warning") != std::string::npos &&
        line.find("needs fill bytes for alignment") == std::string::npos) {
      return true;
    }
  }
  return false;
}

class Judge : public TempFolderTest {
 protected:
  std::string ReadText(const std::string& name) {
    const Bytes bytes = ReadBytes(PathOf(name));
    return {bytes.begin(), bytes.end()};
  }
  void WriteText(const std::string& name, const std::string& text) {
    WriteBytes(PathOf(name), Bytes(text.begin(), text.end()));
  }

  // Runs command in the folder; the tool's output goes to a log shown on failure.
  bool Run(const std::string& command, std::string& log) {
    const int status =
        std::system(("cd '" + folder_ + "' && (" + command + ") > tool.log 2>&1").c_str());
    log = ReadText("tool.log");
    return status == 0;
  }

  void Check(const std::vector<SpriteRecord>& records, int firstSprite,
             const TextExportOptions& options, Placement at) {
    const std::string exportText = ExportText(records, firstSprite, kExportColours, options);
    const Job job{options.dialect, exportText, at, options.attributes,
                  Labels(options.labelPrefix, firstSprite, records.size())};
    const Command command = Build(job);
    WriteText(command.source, command.driver);
    if (!command.extraFile.empty()) WriteText(command.extraFile, command.extraText);
    std::string log;
    ASSERT_TRUE(Run(command.run, log)) << command.run << "\n"
                                       << log << "\n"
                                       << exportText.substr(0, 2000);
    EXPECT_FALSE(HasWarning(log)) << log;
    const std::string difference =
        FirstDifference(ReadBytes(PathOf("out.bin")), Expected(records, at, options.attributes));
    EXPECT_EQ(difference, "") << exportText.substr(0, 2000);
  }
};

std::string NameOf(TextDialect dialect) {
  std::string id(DialectId(dialect));
  return id == "64tass" ? "Tass64" : id;
}

constexpr std::array kAssembled{TextDialect::Acme, TextDialect::Ca65, TextDialect::Tass64,
                                TextDialect::Xa};

const std::vector<ExportBank>& Banks() {
  static const std::vector<ExportBank> banks = ExportBanks();
  return banks;
}

// Every bank in every assembled dialect and number base, with and without attribute bytes,
// placed one byte after an unaligned load address, as a BASIC stub's end often is.
using MatrixCase = std::tuple<int, TextDialect, NumberBase, bool>;
std::string MatrixCaseName(const ::testing::TestParamInfo<MatrixCase>& info) {
  const auto [bank, dialect, base, attributes] = info.param;
  return Banks()[bank].name + "_" + NameOf(dialect) + "_" + std::string(NumberBaseId(base)) +
         (attributes ? "_WithAttributes" : "_PixelsOnly");
}
class AssemblerJudge : public Judge, public ::testing::WithParamInterface<MatrixCase> {};

TEST_P(AssemblerJudge, AssemblesToExactlyTheRecords) {
  const auto [bank, dialect, base, attributes] = GetParam();
  if (const std::string missing = MissingProgram(dialect); !missing.empty()) {
    GTEST_SKIP() << missing << " is not installed; scripts/setup.sh installs it";
  }
  TextExportOptions options;
  options.dialect = dialect;
  options.numberBase = base;
  options.attributes = attributes;
  Check(Banks()[bank].records, Banks()[bank].firstSprite, options, {0x0801, 1});
}

INSTANTIATE_TEST_SUITE_P(
    Exports, AssemblerJudge,
    ::testing::Combine(::testing::Range(0, static_cast<int>(ExportBanks().size())),
                       ::testing::ValuesIn(kAssembled), ::testing::ValuesIn(kNumberBases),
                       ::testing::Bool()),
    MatrixCaseName);

// With attribute bytes the first sprite lands on the next 64-byte boundary wherever the export
// is placed; from an aligned address there is no padding at all, so the sprites are exactly
// N x 64 bytes.
using PlacementCase = std::tuple<TextDialect, Placement>;
std::string PlacementCaseName(const ::testing::TestParamInfo<PlacementCase>& info) {
  const auto [dialect, at] = info.param;
  return NameOf(dialect) + "_At" + std::to_string(at.origin) + "_After" +
         std::to_string(at.prefixBytes);
}
class AssemblerAlignment : public Judge, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(AssemblerAlignment, FirstSpriteStartsOnTheNextBoundary) {
  const auto [dialect, at] = GetParam();
  if (const std::string missing = MissingProgram(dialect); !missing.empty()) {
    GTEST_SKIP() << missing << " is not installed; scripts/setup.sh installs it";
  }
  TextExportOptions options;
  options.dialect = dialect;
  Check(Banks()[0].records, 0, options, at);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, AssemblerAlignment,
    ::testing::Combine(::testing::ValuesIn(kAssembled),
                       ::testing::Values(Placement{0x2000, 0}, Placement{0x2000, 1},
                                         Placement{0x2000, 63}, Placement{0x2000, 64},
                                         Placement{0x0801, 0}, Placement{0x0801, 130})),
    PlacementCaseName);

// The narrowest and widest lines, and a width that does not divide a sprite, in the widest base.
using WidthCase = std::tuple<TextDialect, int>;
std::string WidthCaseName(const ::testing::TestParamInfo<WidthCase>& info) {
  return NameOf(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param));
}
class AssemblerLineWidths : public Judge, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(AssemblerLineWidths, AnyBytesPerLineAssemble) {
  const auto [dialect, perLine] = GetParam();
  if (const std::string missing = MissingProgram(dialect); !missing.empty()) {
    GTEST_SKIP() << missing << " is not installed; scripts/setup.sh installs it";
  }
  TextExportOptions options;
  options.dialect = dialect;
  options.numberBase = NumberBase::Binary;
  options.bytesPerLine = perLine;
  options.labelPrefix = "Ship";
  Check(Banks()[0].records, 0, options, {0x0801, 1});
}

INSTANTIATE_TEST_SUITE_P(Exports, AssemblerLineWidths,
                         ::testing::Combine(::testing::ValuesIn(kAssembled),
                                            ::testing::Values(1, 5, kMaxBytesPerLine)),
                         WidthCaseName);

// The C arrays, compiled by the host compiler with a main that writes each array out in order.
using CCase = std::tuple<int, NumberBase, bool>;
std::string CCaseName(const ::testing::TestParamInfo<CCase>& info) {
  const auto [bank, base, attributes] = info.param;
  return Banks()[bank].name + "_" + std::string(NumberBaseId(base)) +
         (attributes ? "_WithAttributes" : "_PixelsOnly");
}
class CompilerJudge : public Judge, public ::testing::WithParamInterface<CCase> {};

TEST_P(CompilerJudge, CompilesToExactlyTheRecords) {
  const auto [bank, base, attributes] = GetParam();
  if (!OnPath("cc")) GTEST_SKIP() << "no C compiler (cc) is installed";
  const ExportBank& sprites = Banks()[bank];
  TextExportOptions options;
  options.dialect = TextDialect::C;
  options.numberBase = base;
  options.attributes = attributes;
  const std::string exportText =
      ExportText(sprites.records, sprites.firstSprite, kExportColours, options);

  std::string main = "int main(void) {\n  FILE* out = fopen(\"out.bin\", \"wb\");\n";
  for (const std::string& label : Labels("sprite_", sprites.firstSprite, sprites.records.size())) {
    main += "  fwrite(" + label + ", 1, sizeof " + label + ", out);\n";
  }
  main += "  return fclose(out) != 0;\n}\n";
  WriteText("drv.c", "#include <stdio.h>\n" + exportText + main);
  std::string log;
  ASSERT_TRUE(Run("cc -std=c99 -Wall -Wextra -Werror -o drv drv.c && ./drv", log))
      << log << "\n"
      << exportText.substr(0, 2000);
  Bytes want;
  for (const SpriteRecord& record : sprites.records) {
    want.insert(want.end(), record.begin(),
                record.begin() + (attributes ? kSpriteBytes : kPixelBytes));
  }
  EXPECT_EQ(FirstDifference(ReadBytes(PathOf("out.bin")), want), "");
}

INSTANTIATE_TEST_SUITE_P(
    Exports, CompilerJudge,
    ::testing::Combine(::testing::Range(0, static_cast<int>(ExportBanks().size())),
                       ::testing::ValuesIn(kNumberBases), ::testing::Bool()),
    CCaseName);

}  // namespace
}  // namespace kelvane
