// The real kelvane-convert, run as a build script runs it: without a display, its outputs equal
// to the shared export of the same sprites, and every failure one line that leaves old outputs
// as they were.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>

#include "app/ConvertOptions.h"
#include "files/FileExtension.h"
#include "files/FormatRegistry.h"
#include "files/SafeFiles.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFixture.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"
#include "files/TempFolder.h"
#include "render/C64Palette.h"
#include "render/PngExport.h"
#include "render/PngImport.h"
#include "render/SpriteExport.h"

namespace kelvane {
namespace {

using fixture::Bytes;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// fileSizeLimit: RLIMIT_FSIZE for the child, in bytes, as `ulimit -f` sets it; standardOutput:
// a file to send standard output to instead of reading it; openFileLimit: RLIMIT_NOFILE, as
// `ulimit -n` sets it.
Outcome Convert(const std::vector<std::string>& arguments, rlim_t fileSizeLimit = RLIM_INFINITY,
                const char* standardOutput = nullptr, rlim_t openFileLimit = RLIM_INFINITY) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProgram(QStringLiteral(KELVANE_CONVERT));
  QStringList words;
  for (const auto& word : arguments) words << QString::fromStdString(word);
  process.setArguments(words);
  if (standardOutput) process.setStandardOutputFile(QString::fromLatin1(standardOutput));
  process.setChildProcessModifier([fileSizeLimit, openFileLimit] {
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const rlimit files{openFileLimit, openFileLimit};
    if (openFileLimit != RLIM_INFINITY) ::setrlimit(RLIMIT_NOFILE, &files);
  });
  process.start();
  Outcome run;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "kelvane-convert did not finish by itself";
    return run;
  }
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

bool IsOneLine(const std::string& text) {
  return text.ends_with('\n') && std::ranges::count(text, '\n') == 1;
}

// The same bank in every input format, all 256 attribute bytes in it.
struct Input {
  std::string name;  // the file's name; its stem names the output of a -d run
  Bytes bytes;
};

std::vector<Input> Inputs() {
  using namespace fixture;
  SpdSpec v1;
  v1.version = 1;
  v1.sprites = kSpriteCount;
  v1.animations = 3;
  v1.colours = {0xF6, 0x81, 0x70};  // bits above the colours, kept by a SpritePad output
  const Bytes records = RecordBytes(kSpriteCount);
  const Bytes png = ExportPng(Records(40), {0, 5, 9}, {.overlayDistance = 0});
  return {{"bank.spr", records},
          {"bank.spr.inf", {2, 5, 7}},  // the sidecar, itself no input
          {"one.spd", SpdFile(v1)},
          {"five.spd", SpdFile(RichV5(kSpriteCount))},
          {"chunk.prg", Concat({{0x00, 0x30}, records})},
          {"raw.bin", records},
          {"sheet.png", png}};
}

class Converter : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const Input& input : Inputs()) WriteBytes(PathOf(input.name), input.bytes);
  }
  std::vector<std::string> InputPaths() const {
    std::vector<std::string> paths;
    for (const Input& input : Inputs()) {
      if (!input.name.ends_with(".inf")) paths.push_back(PathOf(input.name));
    }
    return paths;
  }
  // What the window's Export writes for the input read as "Open..." reads it.
  static std::vector<FileImage> Expected(const std::string& input, const ExportRequest& request,
                                         const std::string& output, int first = 0, int count = -1) {
    Result<SpriteSet> set = HasExtension(input, ".png")
                                ? ImportPng(*ReadWholeFile(input, kMaxPngFileBytes), {})
                                : ReadSpriteSet(SpriteFormats(), input);
    EXPECT_TRUE(set.ok()) << input;
    if (!set) return {};
    const std::size_t n = count < 0 ? set->records.size() - first : count;
    auto files = ExportSprites(PartOf(*set, first, n), first, request, output);
    EXPECT_TRUE(files.ok()) << Describe(files.error());
    return files ? *files : std::vector<FileImage>{};
  }
  void ExpectWritten(const std::vector<FileImage>& expected) {
    for (const FileImage& file : expected) EXPECT_EQ(ReadBytes(file.path), file.bytes) << file.path;
  }
};

class EveryPair : public Converter, public ::testing::WithParamInterface<std::string_view> {};

// One run per output format converts every input format into a folder.
TEST_P(EveryPair, EqualsTheSharedExportAndKeepsEveryRecordByte) {
  const std::string format(GetParam());
  std::filesystem::create_directory(PathOf("out"));
  std::vector<std::string> arguments{"--to", format, "-d", PathOf("out")};
  for (const auto& input : InputPaths()) arguments.push_back(input);
  const Outcome run = Convert(arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");

  ExportRequest request;
  request.format = format;
  for (const std::string& input : InputPaths()) {
    SCOPED_TRACE(input);
    std::string stem = std::filesystem::path(input).stem().string();
    const auto expected =
        Expected(input, request, PathOf("out/" + stem + std::string(ExportExtension(format))));
    ExpectWritten(expected);
    // Whatever reads the sprite formats back gets the records, every attribute bit included.
    if (format == "png" || IsTextFormat(format) || input.ends_with(".png")) continue;
    const auto back = ReadSpriteSet(SpriteFormats(), expected.front().path);
    ASSERT_TRUE(back.ok()) << Describe(back.error());
    EXPECT_EQ(back->records, fixture::Records(kSpriteCount));
    if (format == "spd" && input.ends_with(".spd")) {
      EXPECT_EQ(ReadBytes(expected.front().path), ReadBytes(input));  // byte for byte
    }
  }
}

// A GIF shows an animation, not a set of sprites: it has tests of its own.
std::vector<std::string_view> SpriteSetFormats() {
  std::vector<std::string_view> formats(kExportFormatIds.begin(), kExportFormatIds.end());
  std::erase(formats, "gif");
  return formats;
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryPair, ::testing::ValuesIn(SpriteSetFormats()),
                         [](const auto& info) {
                           return "to_" +
                                  std::string(info.param == "64tass" ? "tass64" : info.param);
                         });

// Options that pick sprites, colours and an address, as the output shows them.
TEST_F(Converter, OptionsShowInTheOutput) {
  const auto records = fixture::Records(kSpriteCount);
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string input;
    std::string output;
    Bytes wanted;  // the output's bytes; for .spr, those of its sidecar
  } cases[] = {
      {"range",
       {"--sprites", "3-4"},
       "raw.bin",
       "r.bin",
       fixture::Concat({Bytes(records[3].begin(), records[3].end()),
                        Bytes(records[4].begin(), records[4].end())})},
      {"one sprite",
       {"--sprites", "255"},
       "raw.bin",
       "o.bin",
       Bytes(records[255].begin(), records[255].end())},
      {"colours where none", {"--colours", "1,2,15"}, "raw.bin", "c.spr", {1, 2, 15}},
      {"the file's own colours", {"--colours", "1,2,15"}, "bank.spr", "k.spr", {2, 5, 7}},
      {"address $", {"--load-address", "$1234", "--sprites", "0"}, "raw.bin", "a.prg", {}},
      {"address 0x", {"--load-address", "0x1234", "--sprites", "0"}, "raw.bin", "b.prg", {}},
      {"address decimal", {"--load-address", "4660", "--sprites", "0"}, "raw.bin", "d.prg", {}},
      {"a PRG part loads where it did", {"--sprites", "2"}, "chunk.prg", "p.prg", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto arguments = c.options;
    arguments.insert(arguments.end(), {PathOf(c.input), "-o", PathOf(c.output)});
    const Outcome run = Convert(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Bytes got = ReadBytes(PathOf(c.output) + (c.output.ends_with(".spr") ? ".inf" : ""));
    if (c.output.ends_with(".prg")) {
      const Bytes address(got.begin(), got.begin() + 2);
      const Bytes wanted = c.input == "chunk.prg" ? Bytes{0x80, 0x30} : Bytes{0x34, 0x12};
      EXPECT_EQ(address, wanted);
      EXPECT_EQ(got.size(), 2u + kSpriteBytes);
    } else {
      EXPECT_EQ(got, c.wanted);
    }
  }
}

// --palette draws the sheet in a measured palette; without it, in the default one.
TEST_F(Converter, APaletteColoursThePngSheetOnly) {
  for (int k = 0; k < kPaletteCount; ++k) {
    const std::string out = PathOf(std::string(kPalettes[k].name) + ".png");
    const Outcome run =
        Convert({"--palette", std::string(kPalettes[k].name), PathOf("raw.bin"), "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage sheet(QString::fromStdString(out));
    int inPalette = 0;
    for (int y = 0; y < sheet.height(); ++y) {
      for (int x = 0; x < sheet.width(); ++x) {
        const QRgb pixel = sheet.pixel(x, y);
        inPalette += qAlpha(pixel) < 128 ||
                     std::ranges::find(*kPalettes[k].rgb, pixel) != kPalettes[k].rgb->end();
      }
    }
    EXPECT_EQ(inPalette, sheet.width() * sheet.height()) << kPalettes[k].name;
  }
}

// Files past one bank are read whole for --sprites to take a part: a .spr as its records, a
// SpritePad file in its own version.
TEST_F(Converter, APartOfAFilePastOneBankKeepsItsFormat) {
  WriteBytes(PathOf("big.spr"), fixture::RecordBytes(400));
  WriteBytes(PathOf("big.spd"), fixture::SpdFile(fixture::RichV5(1000)));
  for (const auto& [input, output, listed] :
       {std::tuple{"big.spr", "p.bin", "Raw sprite data, 300 sprites"},
        {"big.spd", "p.spd", "SpritePad file, version 5, 300 sprites"}}) {
    const Outcome run = Convert({"--sprites", "100-399", PathOf(input), "-o", PathOf(output)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(Convert({"--list", PathOf(output)}).out.find(listed), std::string::npos) << listed;
  }
}

// A file without a single sprite is refused alike, whatever its format and the output's.
TEST_F(Converter, AFileWithoutSpritesIsRefused) {
  const std::pair<std::string, Bytes> inputs[] = {
      {"empty.bin", {}},
      {"empty.spr", {}},
      {"two.prg", {0x00, 0x20}},
      {"three.spr", {6, 1, 0}},
      {"none.spd", fixture::SpdFile({.sprites = 0, .tileNames = {}})}};
  for (const auto& [name, bytes] : inputs) WriteBytes(PathOf(name), bytes);
  const auto before = Entries();
  for (const auto& [name, bytes] : inputs) {
    for (const std::string output : {"x.prg", "x.bin", "x.asm", ""}) {
      const Outcome run = output.empty() ? Convert({"--list", PathOf(name)})
                                         : Convert({PathOf(name), "-o", PathOf(output)});
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_EQ(run.err, "kelvane-convert: " + PathOf(name) + ": holds no sprites\n");
    }
  }
  EXPECT_EQ(Entries(), before);
}

// Usage errors: one line naming what was wrong, exit 2, and nothing written.
TEST_F(Converter, RefusedCommandLinesSayWhyInOneLine) {
  const std::string in = PathOf("raw.bin");
  const std::string out = PathOf("x.asm");
  const struct {
    std::vector<std::string> arguments;
    const char* says;
  } cases[] = {
      {{"--sprites", "x", in, "-o", out}, "--sprites"},
      {{"--sprites", "5-3", in, "-o", out}, "'5-3'"},
      {{"--sprites", "-1", in, "-o", out}, "--sprites"},
      {{"--sprites", "250-256", in, "-o", out}, "holds 256 sprites"},
      {{"--colours", "1,2", in, "-o", out}, "--colours"},
      {{"--colours", "1,2,16", in, "-o", out}, "'1,2,16'"},
      {{"--colours", "1,2,3,4", in, "-o", out}, "--colours"},
      {{"--load-address", "$10000", in, "-o", out}, "--load-address"},
      {{"--load-address", "12ab", in, "-o", out}, "'12ab'"},
      {{"--load-address", "", in, "-o", out}, "--load-address"},
      {{"--load-address=$F000", in, "-o", PathOf("x.prg")}, "past $FFFF"},
      {{"--per-line", "65", in, "-o", out}, "--per-line"},
      {{"--scale", "0", in, "-o", out}, "--scale"},
      {{"--palette", "sepia", in, "-o", out}, "--palette"},
      {{"--to", "tiff", in, "-o", out}, "'tiff'"},
      {{"--to", "gif", in, "-o", out}, "give --animation"},
      {{"--animation", "0", in, "-o", PathOf("x.gif")}, "holds no animations"},
      {{"--animation", "0", "--sprites", "1", in, "-o", PathOf("x.gif")}, "--sprites"},
      {{"--animation", "0", "--objects", in, "-o", PathOf("x.png")}, "--objects"},
      {{"--animation", "0", in, "-o", out}, "gif or a png"},
      {{"--animation", "x", in, "-o", out}, "--animation"},
      {{"--from", "jpg", in, "-o", out}, "'jpg'"},
      {{"--number-base", "hex", "--to", "basic", in, "-o", out}, "decimal"},
      {{"--label", "9lives", in, "-o", out}, "label"},
      {{"--bogus", in, "-o", out}, "'--bogus'"},
      {{"--help", "--bogus"}, "'--bogus'"},
      {{in, "-o"}, "'-o'"},
      {{in}, "-o OUTPUT or -d FOLDER"},
      {{"-o", out}, "no INPUT"},
      {{in, in, "-o", out}, "-d FOLDER"},
      {{in, "-o", PathOf("x.tif")}, "--to"},
      {{in, "-o", "-"}, "--to"},
      {{in, "--to", "bin", "-o", "-"}, "text"},
      {{in, PathOf("sub/raw.bin"), "--to", "acme", "-d", PathOf("")}, "like an earlier input"},
      {{"--sprites\n2", in, "-o", out}, "'--sprites\\n2'"},
      {{"--sprites", "1", PathOf("high.prg"), "-o", PathOf("x.prg")}, "sprite 1 at $10000"},
      {{"--scale", "16", "--columns", "256", PathOf("many.bin"), "-o", PathOf("x.png")},
       "more than the 512 MiB"},
      {{"--scale", "16", "--columns", "1", PathOf("many.bin"), "-o", PathOf("x.png")},
       "1000000 pixels a side"},
  };
  std::filesystem::create_directory(PathOf("sub"));
  WriteBytes(PathOf("sub/raw.bin"), Bytes(64));
  WriteBytes(PathOf("high.prg"), fixture::Concat({{0xC0, 0xFF}, Bytes(2 * kSpriteBytes)}));
  WriteBytes(PathOf("many.bin"), Bytes(4400 * kSpriteBytes));
  const auto before = Entries();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    const Outcome run = Convert(c.arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_TRUE(run.err.starts_with("kelvane-convert: ")) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(Entries(), before);
}

// Exit 1 names the file; an output already there keeps its bytes and nothing is left beside it.
TEST_F(Converter, AFileThatCannotBeReadOrWrittenLeavesTheOldOutput) {
  const Bytes old{'o', 'l', 'd'};
  std::filesystem::create_directory(PathOf("locked"));
  WriteBytes(PathOf("locked/x.asm"), old);
  WriteBytes(PathOf("x.asm"), old);
  WriteBytes(PathOf("x.asm.inf"), old);
  ::chmod(PathOf("locked").c_str(), 0555);
  Bytes damaged = ExportPng(fixture::Records(1), {0, 5, 9}, {});
  damaged.resize(damaged.size() / 2);  // Qt's PNG code has its own say about this
  WriteBytes(PathOf("bad.png"), damaged);
  WriteBytes(PathOf("x.bin"), Bytes(kSpriteBytes));
  WriteBytes(PathOf("new.bin"), Bytes(kSpriteBytes));
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string names;  // the file the message names
    rlim_t limit = RLIM_INFINITY;
  } cases[] = {
      {"missing input", {PathOf("gone.spd"), "-o", PathOf("x.asm")}, PathOf("gone.spd")},
      {"not sprites", {PathOf("x.asm"), "-o", PathOf("y.asm")}, PathOf("x.asm")},
      {"missing folder", {PathOf("raw.bin"), "--to", "acme", "-d", PathOf("no")}, PathOf("no/")},
      {"read-only folder", {PathOf("raw.bin"), "-o", PathOf("locked/x.asm")}, PathOf("locked")},
      {"file-size limit", {PathOf("raw.bin"), "-o", PathOf("x.asm")}, PathOf("x.asm"), 4096},
      {"damaged PNG", {PathOf("bad.png"), "-o", PathOf("x.asm")}, PathOf("bad.png")},
      {"second input missing",
       {PathOf("raw.bin"), PathOf("gone.bin"), "--to", "spr", "-d", folder_},
       PathOf("gone.bin")},
      // x.asm and new.asm are in place when raw.asm fails: x.asm is put back, new.asm removed.
      {"last output past the file-size limit",
       {PathOf("x.bin"), PathOf("new.bin"), PathOf("raw.bin"), "--to", "acme", "-d", folder_},
       PathOf("raw.asm"),
       4096},
  };
  const auto before = Entries();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The owner of a folder may write into it whatever its mode says when that owner is root.
    if (std::string(c.name) == "read-only folder" && ::geteuid() == 0) continue;
    const Outcome run = Convert(c.arguments, c.limit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_TRUE(run.err.starts_with("kelvane-convert: " + c.names)) << run.err;
    EXPECT_EQ(ReadBytes(PathOf("x.asm")), old);
    EXPECT_EQ(ReadBytes(PathOf("locked/x.asm")), old);
  }
  EXPECT_EQ(Entries(), before);
  ::chmod(PathOf("locked").c_str(), 0755);
}

// In a -d run each input's output is a set of its own: a name that merely starts with another
// output's name is not that one's sidecar, and two names of one file are one output.
TEST_F(Converter, OutputsBesideLinksLandWhereTheyAreNamed) {
  for (const char* folder : {"in", "out", "elsewhere"})
    std::filesystem::create_directory(PathOf(folder));
  WriteBytes(PathOf("in/x.bin"), Bytes(kSpriteBytes, 1));
  WriteBytes(PathOf("in/x.spr.bin"), Bytes(kSpriteBytes, 2));
  WriteBytes(PathOf("in/y.bin"), Bytes(kSpriteBytes, 3));
  WriteBytes(PathOf("elsewhere/real.spr"), {});
  std::filesystem::create_symlink("../elsewhere/real.spr", PathOf("out/x.spr"));
  Outcome run =
      Convert({"--to", "spr", PathOf("in/x.bin"), PathOf("in/x.spr.bin"), "-d", PathOf("out")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(PathOf("elsewhere/real.spr")), Bytes(kSpriteBytes, 1));
  EXPECT_TRUE(std::filesystem::exists(PathOf("elsewhere/real.spr.inf")));
  EXPECT_EQ(ReadBytes(PathOf("out/x.spr.spr")), Bytes(kSpriteBytes, 2));
  EXPECT_TRUE(std::filesystem::exists(PathOf("out/x.spr.spr.inf")));

  std::filesystem::create_symlink("../elsewhere/real.spr", PathOf("out/y.spr"));
  const auto before = Entries();
  run = Convert({"--to", "spr", PathOf("in/x.bin"), PathOf("in/y.bin"), "-d", PathOf("out")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("like an earlier input"), std::string::npos) << run.err;
  EXPECT_EQ(Entries(), before);
  EXPECT_EQ(ReadBytes(PathOf("elsewhere/real.spr")), Bytes(kSpriteBytes, 1));

  // One input whose sidecar is its own sprite file: no earlier input is to blame.
  std::filesystem::remove(PathOf("elsewhere/real.spr.inf"));
  std::filesystem::create_symlink("real.spr", PathOf("elsewhere/real.spr.inf"));
  run = Convert({PathOf("in/y.bin"), "-o", PathOf("elsewhere/real.spr")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "kelvane-convert: " + PathOf("elsewhere/real.spr.inf") +
                         ": is the same file as " + PathOf("elsewhere/real.spr") + "\n");
}

// Each input's output is written and put in place before the next, holding nothing open for
// those still to come.
TEST_F(Converter, ManyInputsConvertUnderALowOpenFileLimit) {
  constexpr int kInputs = 100;
  constexpr rlim_t kOpenFiles = 32;
  std::filesystem::create_directory(PathOf("many"));
  std::vector<std::string> arguments{"--to", "bin", "-d", PathOf("many")};
  for (int i = 0; i < kInputs; ++i) {
    arguments.push_back(PathOf(std::to_string(i) + ".spr"));
    WriteBytes(arguments.back(), Bytes(kSpriteBytes, static_cast<std::uint8_t>(i)));
  }
  const Outcome run = Convert(arguments, RLIM_INFINITY, nullptr, kOpenFiles);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (int i = 0; i < kInputs; ++i) {
    EXPECT_EQ(ReadBytes(PathOf("many/" + std::to_string(i) + ".bin")),
              Bytes(kSpriteBytes, static_cast<std::uint8_t>(i)));
  }
}

// Whatever goes to standard output fails as a file does when it cannot be written.
TEST_F(Converter, AFullStandardOutputIsAFailure) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--list", PathOf("raw.bin")},
        {"--to", "acme", PathOf("raw.bin"), "-o", "-"},
        {"--help"},
        {"--version"}}) {
    SCOPED_TRACE(arguments.front());
    const Outcome run = Convert(arguments, RLIM_INFINITY, "/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kelvane-convert: standard output: No space left on device\n");
  }
}

TEST_F(Converter, TextGoesToStandardOutputAndNothingElseIsWritten) {
  const auto before = Entries();
  const Outcome run =
      Convert({"--to", "kickass", "--sprites", "9-10", PathOf("five.spd"), "-o", "-"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExportRequest request;
  request.format = "kickass";
  const auto expected = Expected(PathOf("five.spd"), request, "-", 9, 2);
  ASSERT_EQ(expected.size(), 1u);
  EXPECT_EQ(run.out, std::string(expected[0].bytes.begin(), expected[0].bytes.end()));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Entries(), before);
}

TEST_F(Converter, ListsWhatAFileHolds) {
  // A name steers no terminal: it is shown as error messages show it.
  WriteBytes(PathOf("esc\x1b[31mred\n.bin"), Bytes(kSpriteBytes));
  const Outcome run =
      Convert({"--list", PathOf("five.spd"), PathOf("chunk.prg"), PathOf("esc\x1b[31mred\n.bin")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  for (const std::string& line :
       {PathOf("five.spd") + ": SpritePad file, version 5, 256 sprites\n",
        PathOf("esc\\x1b[31mred\\n.bin") + ": Raw sprite data, 1 sprite\n",
        std::string("colours: background 14 (light blue), multi-colour 1 0 (black), "
                    "multi-colour 2 1 (white)\nanimations: 6\n"),
        std::string("animation 5: objects 25950-33146, timer 143, flags $9D\n"
                    "also: tile data: 3 tiles of 2 x 3 sprites; tile attributes; tile tags; "
                    "3 tile names\n"),
        std::string("objects: 3\nobject 0: 2 x 3, sprites 0 1 2 3 4 5, \"Untitled\"\n"
                    "object 1: 2 x 3, sprites 6 7 8 9 10 11\n"),
        std::string("sprite 241: attribute $F1, multi-colour, colour 1 (white), overlay, "
                    "expand X, expand Y\n"),
        PathOf("chunk.prg") + ": PRG file, load address $3000, 256 sprites\n",
        std::string("colours: none in the file\n")}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\nin:\n" << run.out;
  }
}

// A file's overlay distance pairs its sprites in the list and in a picture, as in the window; its
// object names steer no terminal either.
TEST_F(Converter, AFileShowsItsOwnOverlayPairsAndNames) {
  fixture::SpdSpec spec = fixture::RichV5(40);  // sprites 16-31 have the overlay bit
  spec.overlayDistance = 2;
  spec.tileNames[0] = "esc\x1b[31m\x9b";
  WriteBytes(PathOf("far.spd"), fixture::SpdFile(spec));
  const Outcome list = Convert({"--list", PathOf("far.spd")});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.out.find("overlay pairs (lower/upper, distance 2): 16/18, 17/19,"),
            std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find(", \"esc\\x1b[31m\\x9b\"\n"), std::string::npos) << list.out;
  EXPECT_EQ(list.out.find('\x1b'), std::string::npos);

  ExportRequest request;
  request.format = "png";
  request.png.overlayDistance = 2;
  const Outcome run = Convert({PathOf("far.spd"), "-o", PathOf("far.png")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectWritten(Expected(PathOf("far.spd"), request, PathOf("far.png")));
}

// --animation numbers the animations as --list shows them, those over objects after the sprite
// animations, and draws an animation over objects as its objects composed.
TEST_F(Converter, AnimationsOverObjectsFollowTheSpriteAnimations) {
  auto set = ReadSpritePad(ReadBytes(PathOf("five.spd")), "five.spd");
  ASSERT_TRUE(set.ok());
  std::vector<SpriteAnimation> animations = SpritePadAnimationsOf(*set);
  animations.resize(4);  // the fixture's tile animations name no tiles
  animations.push_back({2, 0, 3, kAnimationPingPongFlag, true});
  set->animations = animations;
  WriteBytes(PathOf("walk.spd"), *WriteSpritePad(*set, 1, "walk.spd"));
  const Outcome list = Convert({"--list", PathOf("walk.spd")});
  EXPECT_NE(list.out.find("animations: 5\n"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("animation 4: objects 2-0, timer 3, flags $10\n"), std::string::npos);
  for (const std::string out : {"walk.gif", "walk.png"}) {
    const Outcome run =
        Convert({PathOf("walk.spd"), "--animation", "4", "--scale", "2", "-o", PathOf(out)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ExportRequest request;
    request.format = out.substr(out.size() - 3);
    request.png.scale = 2;
    request.animation = animations[4];
    ExpectWritten(Expected(PathOf("walk.spd"), request, PathOf(out)));
  }
}

// --objects writes what Export writes for the objects, and is refused where there are none.
TEST_F(Converter, ObjectSheetsAreTheSharedExportOrRefused) {
  ExportRequest request;
  request.format = "png";
  request.png = {.scale = 2, .columns = 2, .expand = false, .objects = true};
  const std::string sheet = PathOf("objects.png");
  const Outcome run =
      Convert({PathOf("five.spd"), "--objects", "--scale", "2", "--columns", "2", "-o", sheet});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectWritten(Expected(PathOf("five.spd"), request, sheet));
  EXPECT_EQ(QImage(QString::fromStdString(sheet)).size(), QSize(2 * 48 * 2 + 1, 2 * 63 * 2 + 1));

  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{PathOf("one.spd"), "--objects", "-o", sheet}, "there are no objects to draw"},
      {{PathOf("five.spd"), "--objects", "-o", PathOf("x.spr")}, "--objects draws a PNG sheet"},
  };
  for (const auto& [arguments, says] : refusals) {
    const Outcome refused = Convert(arguments);
    EXPECT_EQ(refused.exitCode, kConvertUsageError);
    EXPECT_NE(refused.err.find(says), std::string::npos) << refused.err;
  }
}

}  // namespace
}  // namespace kelvane
