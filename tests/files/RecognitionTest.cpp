// The content decides the format, the name only breaks ties: each file is claimed most strongly
// by the codec that reads it, whatever it is called.
#include <gtest/gtest.h>

#include "SpritePadFixture.h"
#include "files/FormatRegistry.h"
#include "files/PrgFormat.h"
#include "files/RawFormat.h"
#include "files/SpritePadFormat.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using R = Recognition;

struct RecognitionCase {
  std::string name;
  Bytes bytes;
  std::string path;
  Recognition spritePad;
  Recognition prg;
  Recognition raw;
};

class Recognise : public ::testing::TestWithParam<RecognitionCase> {};

TEST_P(Recognise, EachCodecClaimsWhatItReads) {
  const auto& c = GetParam();
  EXPECT_EQ(SpritePadFormat().Recognise(c.bytes, c.path), c.spritePad);
  EXPECT_EQ(PrgFormat().Recognise(c.bytes, c.path), c.prg);
  EXPECT_EQ(RawFormat().Recognise(c.bytes, c.path), c.raw);
}

fixture::SpdSpec Spec(int version, int sprites) {
  fixture::SpdSpec spec;
  spec.version = version;
  spec.sprites = sprites;
  return spec;
}

Bytes Prg(int records, bool shortLast) {
  Bytes bytes = fixture::Concat({{0x00, 0x20}, fixture::RecordBytes(records)});
  if (shortLast) bytes.pop_back();
  return bytes;
}

Bytes Marked(Bytes bytes) {
  bytes[0] = 'S';
  bytes[1] = 'P';
  bytes[2] = 'D';
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Recognise,
    ::testing::Values(
        // The old SpritePad saved headerless files as .spr: three colours, then records.
        RecognitionCase{"HeaderlessNamedSpr", fixture::SpdFile(Spec(0, 2)), "/a/OLD.SPR",
                        R::BySizeAndName, R::No, R::No},
        RecognitionCase{"HeaderlessUnnamed", fixture::SpdFile(Spec(0, 2)), "/a/old.dat", R::BySize,
                        R::No, R::No},
        RecognitionCase{"Version3NamedBin", fixture::SpdFile(Spec(3, 7)), "/a/x.bin", R::ByMark,
                        R::No, R::No},
        RecognitionCase{"Version1NamedPrg", fixture::SpdFile(Spec(1, 1)), "/a/x.prg", R::ByMark,
                        R::No, R::No},
        RecognitionCase{"BrokenSpritePadNamedSpd",
                        fixture::Concat({fixture::SpdHeader(Spec(5, 2)), fixture::RecordBytes(1)}),
                        "/a/x.spd", R::BySizeAndName, R::No, R::No},
        RecognitionCase{"RawWhoseFirstPixelsSpellSpd", Marked(fixture::RecordBytes(2)), "/a/x.bin",
                        R::ByDamagedMark, R::No, R::BySizeAndName},
        RecognitionCase{"Raw", fixture::RecordBytes(2), "/a/x.bin", R::No, R::No, R::BySizeAndName},
        RecognitionCase{"Prg", Prg(2, false), "/a/x.prg", R::No, R::BySizeAndName, R::No},
        RecognitionCase{"PrgWithShortLastRecord", Prg(2, true), "/a/x.PRG", R::No, R::BySizeAndName,
                        R::No},
        RecognitionCase{"NothingFits", Bytes(70), "/a/x.spd", R::No, R::No, R::No}),
    [](const auto& info) { return info.param.name; });

// A SpritePad file cut short is SpritePad's to refuse, with its reason, whatever it is called,
// unless its name gives it to another format, which then reads it.
TEST(Recognise, ACutSpritePadFileIsRefusedAsOneUnlessNamedForAnother) {
  Bytes cut = fixture::SpdFile(Spec(5, 8));
  cut.resize(4 * kSpriteBytes);
  const struct {
    const char* path;
    std::string_view format;
  } cases[] = {{"/a/cut", kSpritePadId},
               {"/a/cut.spd", kSpritePadId},
               {"/a/cut.spr", "spr"},
               {"/a/cut.bin", kRawId}};
  for (const auto& c : cases) {
    const SpriteFormat* format = SpriteFormats().Recognise(cut, c.path);
    ASSERT_NE(format, nullptr) << c.path;
    EXPECT_EQ(format->Id(), c.format) << c.path;
  }
}

}  // namespace
}  // namespace kelvane
