#include <gtest/gtest.h>

#include <functional>

#include "SpritePadFixture.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using fixture::SpdSpec;

const std::string kShipPath = "/art/ship.spd";

FormatDetails Details(int version, Bytes header, Bytes trailer = {},
                      std::optional<std::uint16_t> loadAddress = {}) {
  FormatDetails details;
  details.version = version;
  details.header = std::move(header);
  details.trailer = std::move(trailer);
  details.loadAddress = loadAddress;
  return details;
}

struct VersionCase {
  std::string name;
  SpdSpec spec;
  std::size_t headerBytes;
};

class SpritePadVersion : public ::testing::TestWithParam<VersionCase> {};

// Each case reads with the right counts, colours and records (attribute bytes included), keeps
// its header and every block after the records, and writes back byte for byte.
TEST_P(SpritePadVersion, ReadsAndWritesBackUnchanged) {
  const auto& [name, spec, headerBytes] = GetParam();
  const Bytes file = fixture::SpdFile(spec);
  const SpritePadFormat codec;
  ASSERT_EQ(codec.Recognise(file, "x.bin"),
            spec.version == 0 ? Recognition::BySize : Recognition::ByMark);

  const auto set = ReadSpritePad(file, kShipPath);
  ASSERT_TRUE(set.ok()) << set.error().reason;
  EXPECT_EQ(set->format, "spd");
  EXPECT_EQ(set->records, fixture::Records(spec.sprites));
  EXPECT_EQ(set->colours, spec.colours);
  EXPECT_EQ(set->details.version, spec.version);
  EXPECT_EQ(set->details.header, Bytes(file.begin(), file.begin() + headerBytes));
  EXPECT_EQ(set->details.trailer, fixture::SpdTrailer(spec));

  const auto written = codec.Write(*set, "/out/copy.spd");
  ASSERT_TRUE(written.ok()) << written.error().reason;
  ASSERT_EQ(written->size(), 1u);
  EXPECT_EQ((*written)[0].path, "/out/copy.spd");
  EXPECT_EQ((*written)[0].bytes, file);
}

SpdSpec Spec(int version, int sprites, std::uint8_t flags = 0) {
  SpdSpec spec;
  spec.version = version;
  spec.sprites = sprites;
  spec.colours = {6, 10, 15};
  spec.flags = flags;
  return spec;
}

SpdSpec WithTiles(SpdSpec spec, std::vector<std::string> names = {}) {
  spec.tiles = 2;
  spec.tileWidth = 3;
  spec.tileHeight = 2;
  spec.animations = 3;
  spec.tileAnimations = 2;
  spec.tileNames = std::move(names);
  return spec;
}

// 166 sprites: a count read as a signed byte breaks past 128. 256 attribute bytes 0..255.
INSTANTIATE_TEST_SUITE_P(
    SpritePad, SpritePadVersion,
    ::testing::Values(
        VersionCase{"Headerless", Spec(0, 5), 3}, VersionCase{"HeaderlessEmpty", Spec(0, 0), 3},
        VersionCase{"V1OneSprite", Spec(1, 1), 9},
        VersionCase{"V1With166SpritesAnd17Animations",
                    [] {
                      auto spec = Spec(1, 166);
                      spec.animations = 17;
                      return spec;
                    }(),
                    9},
        VersionCase{"V1Full", Spec(1, 256), 9}, VersionCase{"V2Plain", Spec(2, 3), 16},
        VersionCase{"V2TilesAndAnimations", WithTiles(Spec(2, 4, 7)), 16},
        VersionCase{"V3SpriteAnimation", Spec(3, 7, 2), 16},
        VersionCase{"V3TilesAndAnimations", WithTiles(Spec(3, 166, 7)), 16},
        VersionCase{"V4Tiles", WithTiles(Spec(4, 2, 1)), 20},
        VersionCase{"V5Plain", Spec(5, 4), 20},
        VersionCase{"V5TilesWithNames", WithTiles(Spec(5, 8, 1), {"Untitled", "Untitled"}), 20},
        VersionCase{"V5Everything", fixture::RichV5(166), 20},
        VersionCase{"V5MoreThanTheBank", fixture::RichV5(300), 20}),
    [](const auto& info) { return info.param.name; });

TEST(SpritePad, EditedRecordAndColoursChangeOnlyTheirBytes) {
  const SpdSpec spec = fixture::RichV5(10);
  const Bytes file = fixture::SpdFile(spec);
  auto set = ReadSpritePad(file, kShipPath);
  ASSERT_TRUE(set.ok());

  set->records[3].fill(0xEE);
  set->records[3][kAttributeOffset] = 0x7B;  // expand X and Y, overlay, colour 11
  set->colours = SharedColours{9, 8, 7};
  Bytes expected = file;
  std::fill(expected.begin() + 20 + 3 * 64, expected.begin() + 20 + 4 * 64 - 1, 0xEE);
  expected[20 + 4 * 64 - 1] = 0x7B;
  expected[13] = 9;
  expected[14] = 8;
  expected[15] = 7;

  const auto written = WriteSpritePad(*set, 1, kShipPath);
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(*written, expected);
}

// Colour bytes as read, with bits above the four the editor keeps (which it drops): written back
// unchanged, but for the colour that was changed.
TEST(SpritePad, ColourBytesComeBackAsTheFileHeldThemUnlessChanged) {
  for (const auto& [version, offset] : {std::pair{0, 0}, {1, 6}, {5, 13}}) {
    const Bytes file =
        fixture::SpdFile({.version = version, .colours = {0xF6, 0x81, 0x70}, .tileNames = {}});
    auto set = ReadSpriteSetAs(SpritePadFormat(), {kShipPath, file}, 0);
    ASSERT_TRUE(set.ok()) << set.error().reason;
    EXPECT_EQ(set->colours, (SharedColours{6, 1, 0}));
    EXPECT_EQ(*WriteSpritePad(*set, 1, kShipPath), file) << version;
    (*set->colours)[1] = 5;
    Bytes changed = file;
    changed[offset + 1] = 5;
    EXPECT_EQ(*WriteSpritePad(*set, 1, kShipPath), changed) << version;
  }
}

// Fewer or more records than were read: the counts follow, the blocks after the records stay
// verbatim, so tiles and animations keep the sprite numbers they had.
TEST(SpritePad, ChangedCountUpdatesHeaderAndKeepsTrailer) {
  const std::pair<SpdSpec, int> cases[] = {{Spec(1, 20), 2},
                                           {WithTiles(Spec(3, 8, 7)), 300},
                                           {fixture::RichV5(8), 300},
                                           {Spec(5, 8, 2), 0}};
  for (const auto& [spec, count] : cases) {
    auto set = ReadSpritePad(fixture::SpdFile(spec), kShipPath);
    ASSERT_TRUE(set.ok());
    set->records = fixture::Records(count);
    auto changed = spec;
    changed.sprites = count;
    const auto written = WriteSpritePad(*set, 1, kShipPath);
    ASSERT_TRUE(written.ok()) << written.error().reason;
    EXPECT_EQ(*written, fixture::Concat({fixture::SpdHeader(changed), fixture::RecordBytes(count),
                                         fixture::SpdTrailer(spec)}))
        << "version " << spec.version << ", " << count << " sprites";
  }
}

TEST(SpritePad, NewFilesAreVersion1UnlessAskedFor5) {
  const auto set = fixture::SetOf(fixture::Records(2), "", {}, SharedColours{11, 1, 6});
  const Bytes v1 =
      fixture::Concat({{'S', 'P', 'D', 1, 1, 0, 11, 1, 6}, fixture::RecordBytes(2), {0, 0, 1, 0}});
  const Bytes v5 =
      fixture::Concat({{'S', 'P', 'D', 5, 0, 2, 0, 0, 0, 0, 0, 0, 0, 11, 1, 6, 1, 0, 1, 0},
                       fixture::RecordBytes(2)});
  EXPECT_EQ(*WriteSpritePad(set, 1, kShipPath), v1);
  EXPECT_EQ(*WriteSpritePad(set, 5, kShipPath), v5);
  auto asked = set;
  asked.format = "spd";
  asked.details.version = 5;
  EXPECT_EQ(*WriteSpritePad(asked, 1, kShipPath), v5);

  // A set read from another format carries none of that format's details into the file.
  auto fromPrg = set;
  fromPrg.format = "prg";
  fromPrg.details = Details(1, {1, 2}, {3}, 0x2000);
  EXPECT_EQ(*WriteSpritePad(fromPrg, 1, kShipPath), v1);
}

// The set is made when its case runs: every run of the test program registers every case, and
// some sets are large.
struct WriteRefusal {
  std::string name;
  std::function<SpriteSet()> set;
  int newFileVersion;
  FileProblem problem;
  std::string says;
};

class SpritePadWriteRefusal : public ::testing::TestWithParam<WriteRefusal> {};

TEST_P(SpritePadWriteRefusal, NamesFileAndReason) {
  const auto& c = GetParam();
  const auto written = WriteSpritePad(c.set(), c.newFileVersion, kShipPath);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().file, kShipPath);
  EXPECT_EQ(written.error().problem, c.problem);
  EXPECT_NE(written.error().reason.find(c.says), std::string::npos) << written.error().reason;
}

INSTANTIATE_TEST_SUITE_P(
    SpritePad, SpritePadWriteRefusal,
    ::testing::Values(
        WriteRefusal{"V1Over256", [] { return fixture::SetOf(fixture::Records(257)); }, 1,
                     FileProblem::TooManySprites, "at most 256 sprites, not 257"},
        WriteRefusal{"V1Empty", [] { return fixture::SetOf({}); }, 1, FileProblem::Format,
                     "at least 1 sprite"},
        WriteRefusal{"V5Over65535", [] { return fixture::SetOf(std::vector<SpriteRecord>(65536)); },
                     5, FileProblem::TooManySprites, "at most 65535"},
        WriteRefusal{"UnknownNewVersion", [] { return fixture::SetOf(fixture::Records(1)); }, 3,
                     FileProblem::Format, "version 1 or 5"},
        WriteRefusal{"HeaderOfAnotherVersion",
                     [] {
                       return fixture::SetOf(fixture::Records(1), "spd",
                                             Details(3, fixture::SpdHeader(Spec(5, 1))));
                     },
                     1, FileProblem::Format, "not that of a version 3 file"},
        WriteRefusal{"TrailerThatDoesNotFit",
                     [] {
                       return fixture::SetOf(
                           fixture::Records(1), "spd",
                           Details(5, fixture::SpdHeader(Spec(5, 1, 2)), {1, 2, 3}));
                     },
                     1, FileProblem::Format, "do not fit together"}),
    [](const auto& info) { return info.param.name; });

struct ReadRefusal {
  std::string name;
  Bytes bytes;
  std::string says;
};

class SpritePadReadRefusal : public ::testing::TestWithParam<ReadRefusal> {};

TEST_P(SpritePadReadRefusal, NamesFileAndWhatDidNotAddUp) {
  const auto& c = GetParam();
  const auto set = ReadSpritePad(c.bytes, kShipPath);
  ASSERT_FALSE(set.ok());
  EXPECT_EQ(set.error().file, kShipPath);
  EXPECT_EQ(set.error().problem, FileProblem::Format);
  EXPECT_NE(set.error().reason.find(c.says), std::string::npos) << set.error().reason;
}

Bytes Cut(Bytes bytes, std::size_t drop) {
  return Bytes(bytes.begin(), bytes.end() - drop);
}
Bytes Plus(Bytes bytes, Bytes extra) {
  return fixture::Concat({bytes, extra});
}
Bytes WithByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    SpritePad, SpritePadReadRefusal,
    ::testing::Values(
        ReadRefusal{"NoMarkWrongSize", Bytes(100), "has no \"SPD\" mark"},
        ReadRefusal{"MarkOnly", {'S', 'P', 'D'}, "before the version"},
        ReadRefusal{"VersionZero", Plus({'S', 'P', 'D', 0}, Bytes(60)), "version 0"},
        ReadRefusal{"Version6", WithByte(fixture::SpdFile(Spec(5, 1)), 3, 6),
                    "version 6, which this program does not read"},
        ReadRefusal{"ShortHeader", Cut(fixture::SpdHeader(Spec(5, 0)), 1),
                    "too short for a SpritePad version 5 header"},
        ReadRefusal{"OneByteShort", Cut(fixture::SpdFile(Spec(1, 3)), 1),
                    "= 205 bytes, but the file has 204 (1 byte short)"},
        ReadRefusal{"ExtraByte", Plus(fixture::SpdFile(Spec(3, 7, 2)), {0}),
                    "16 (header) + 448 (7 sprites) + 6 (1 sprite animation) = 470 bytes, but "
                    "the file has 471 (1 byte too many)"},
        ReadRefusal{"AnimationsFlaggedButMissing",
                    fixture::Concat({fixture::SpdHeader(Spec(5, 2, 2)), fixture::RecordBytes(2)}),
                    "+ 6 (1 sprite animation) = 154 bytes, but the file has 148"},
        ReadRefusal{"TileNameWithoutEnd",
                    Cut(fixture::SpdFile(WithTiles(Spec(5, 1, 1), {"a", "bc"})), 1),
                    "ends inside tile name 2 of 2"},
        ReadRefusal{"NoRoomForTileNames",
                    Cut(fixture::SpdFile(WithTiles(Spec(5, 1, 1), {"", ""})), 2),
                    "before the 2 tile names"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kelvane
