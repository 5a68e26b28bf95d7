// Which format reads a file, and what the file dialogs offer.
#include <gtest/gtest.h>

#include <string>

#include "files/FormatRegistry.h"
#include "files/SprFormat.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Stand-ins for formats to come: headerless records that a name ending in ".bin" claims, and a
// format with a mark at its start that it recognises whatever the name.
class Stub final : public SpriteFormat {
 public:
  Stub(std::string id, std::string suffix, bool marked, bool writable)
      : id_(std::move(id)), suffix_(std::move(suffix)), marked_(marked), writable_(writable) {}
  std::string_view Id() const override { return id_; }
  std::string_view Name() const override { return id_; }
  std::vector<std::string> Patterns() const override { return {"*" + suffix_, "*.x"}; }
  std::size_t MaxFileBytes() const override { return 70000000; }
  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override {
    if (marked_) return !bytes.empty() && bytes[0] == 'M' ? Recognition::ByMark : Recognition::No;
    if (bytes.size() % kSpriteBytes != 0) return Recognition::No;
    return path.ends_with(suffix_) ? Recognition::BySizeAndName : Recognition::BySize;
  }
  Result<SpriteSet> Read(const FileImage&,
                         std::span<const std::optional<FileImage>>) const override {
    return SpriteSet{};
  }
  bool CanWrite() const override { return writable_; }
  Result<std::vector<FileImage>> Write(const SpriteSet&, const std::string&) const override {
    return std::vector<FileImage>{};
  }

 private:
  std::string id_, suffix_;
  bool marked_, writable_;
};

FormatRegistry ThreeFormats() {
  FormatRegistry formats;
  formats.Add(std::make_unique<SprFormat>());
  formats.Add(std::make_unique<Stub>("bin", ".bin", false, true));
  formats.Add(std::make_unique<Stub>("mark", ".mrk", true, false));
  return formats;
}

TEST(SpriteFormats, OfferEveryFormatSprFirstAndAnyFile) {
  const FormatRegistry& formats = SpriteFormats();
  EXPECT_EQ(formats.OpenFilters(),
            (std::vector<std::string>{"All sprite files (*.spr *.spd *.spm *.prg *.bin)",
                                      "C64 sprite file (*.spr)", "SpritePad file (*.spd)",
                                      "Spritemate file (*.spm)", "PRG file (*.prg)",
                                      "Raw sprite data (*.bin)", "Any file (*)"}));
  EXPECT_EQ(formats.SaveFilters(),
            (std::vector<std::string>{"C64 sprite files (*.spr)", "SpritePad file (*.spd)",
                                      "Spritemate file (*.spm)", "PRG file (*.prg)",
                                      "Raw sprite data (*.bin)", "Any file (*)"}));
  EXPECT_EQ(formats.DefaultSuffix(), "spr");
  EXPECT_EQ(formats.WriterFor(0).Id(), "spr");
  EXPECT_EQ(formats.WriterFor(5).Id(), "spr");  // "Any file" saves as .spr
  EXPECT_EQ(formats.SaveFilterIndex("prg"), 3);
  EXPECT_EQ(formats.SaveFilterIndex("png"), -1);
  EXPECT_EQ(formats.WriterNamedFor("a/SHIP.SPD")->Id(), "spd");
  EXPECT_EQ(formats.WriterNamedFor("ship.asm"), nullptr);
}

TEST(FormatRegistry, FiltersListEveryFormatAndOnlyWritableOnesForSaving) {
  const FormatRegistry formats = ThreeFormats();
  EXPECT_EQ(formats.OpenFilters(),
            (std::vector<std::string>{"All sprite files (*.spr *.bin *.x *.mrk)",
                                      "C64 sprite file (*.spr)", "bin (*.bin *.x)",
                                      "mark (*.mrk *.x)", "Any file (*)"}));
  EXPECT_EQ(formats.SaveFilters(), (std::vector<std::string>{"C64 sprite files (*.spr)",
                                                             "bin (*.bin *.x)", "Any file (*)"}));
  EXPECT_EQ(formats.WriterFor(1).Id(), "bin");
  EXPECT_EQ(formats.WriterFor(2).Id(), "spr");
  EXPECT_EQ(formats.MaxFileBytes(), 70000000u);
  EXPECT_EQ(formats.Find("bin")->Id(), "bin");
  EXPECT_EQ(formats.Find("spd"), nullptr);
}

struct PickCase {
  const char* name;
  Bytes bytes;
  const char* path;
  const char* format;  // nullptr: none takes it
};

class Picking : public ::testing::TestWithParam<PickCase> {};

// The content decides; the name only settles a tie between formats the content cannot tell
// apart.
TEST_P(Picking, TheSurestFormatReadsTheFile) {
  const PickCase& c = GetParam();
  const FormatRegistry formats = ThreeFormats();
  const SpriteFormat* format = formats.Recognise(c.bytes, c.path);
  if (c.format == nullptr) {
    EXPECT_EQ(format, nullptr);
  } else {
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->Id(), c.format);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Picking,
    ::testing::Values(PickCase{"spr_by_name", Bytes(128), "/a/ship.spr", "spr"},
                      PickCase{"spr_name_any_case", Bytes(64), "SHIP.SPR", "spr"},
                      PickCase{"bin_by_name", Bytes(128), "ship.bin", "bin"},
                      PickCase{"no_name_first_added", Bytes(64), "ship", "spr"},
                      // Records past a bank are a sprite file by its name only.
                      PickCase{"spr_past_a_bank", Bytes(16448), "ship.spr", "spr"},
                      PickCase{"too_big_unnamed", Bytes(16448), "ship.dat", "bin"},
                      PickCase{"mark_beats_any_name", Bytes(64, 'M'), "ship.spr", "mark"},
                      PickCase{"nobody", Bytes(100), "ship.spr", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SprFormat, WritesRecordsAndTheSidecarAndRefusesMoreThanABank) {
  const SprFormat spr;
  SpriteSet set;
  set.records.resize(2);
  set.records[1][kAttributeOffset] = 0x8C;
  auto files = spr.Write(set, "/f/ship.spr");
  ASSERT_TRUE(files.ok());
  ASSERT_EQ(files->size(), 2u);
  EXPECT_EQ((*files)[0].path, "/f/ship.spr");
  EXPECT_EQ((*files)[0].bytes.size(), 128u);
  EXPECT_EQ((*files)[0].bytes[127], 0x8C);
  EXPECT_EQ((*files)[1].path, "/f/ship.spr.inf");
  EXPECT_EQ((*files)[1].bytes, (Bytes{6, 1, 0}));  // no colours: those a new bank starts with

  set.colours = SharedColours{1, 2, 3};
  EXPECT_EQ((*spr.Write(set, "s.spr"))[1].bytes, (Bytes{1, 2, 3}));

  set.records.resize(257);
  const auto refused = spr.Write(set, "s.spr");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().problem, FileProblem::TooManySprites);
}

}  // namespace
}  // namespace kelvane
