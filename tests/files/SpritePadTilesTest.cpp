#include <gtest/gtest.h>

#include <array>

#include "SpritePadFixture.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"
#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using fixture::SpdSpec;

const std::string kBossPath = "/art/boss.spd";

// 3 tiles of 2 x 3 sprites, sprite and tile animations after them.
SpdSpec Tiled(int version) {
  SpdSpec spec = fixture::RichV5(8);
  spec.version = version;
  return spec;
}

SpriteSet Read(const Bytes& file) {
  auto set = ReadSpritePad(file, kBossPath);
  EXPECT_TRUE(set.ok()) << set.error().reason;
  return set.ok() ? *set : SpriteSet{};
}

Bytes Written(const SpriteSet& set, int newFileVersion = 1) {
  auto bytes = WriteSpritePad(set, newFileVersion, kBossPath);
  EXPECT_TRUE(bytes.ok()) << bytes.error().reason;
  return bytes.ok() ? *bytes : Bytes{};
}

TEST(SpritePadTiles, OpenAsObjectsAndComeBackByteForByte) {
  for (const int version : {3, 5}) {
    const Bytes file = fixture::SpdFile(Tiled(version));
    const SpriteSet set = Read(file);
    ASSERT_EQ(set.objects.size(), 3u) << version;
    const SpriteObject& last = set.objects[2];
    EXPECT_EQ(last.columns, 2);
    EXPECT_EQ(last.rows, 3);
    EXPECT_EQ(last.cells, (std::vector<int>{4, 5, 6, 7, 0, 1}));  // the fixture's 12.. mod 8
    EXPECT_EQ(last.attribute, 0x20 + 2 * 7);
    EXPECT_EQ(last.name, version == 5 ? "walk left" : "");
    EXPECT_EQ(last.tag, version == 5 ? 0x30 + 2 * 7 : 0);
    EXPECT_EQ(Written(set), file) << version;
  }
}

// An edited, renamed, added or removed object changes the tile blocks and the header's tile
// fields; the animations after them stay byte for byte.
TEST(SpritePadTiles, EditedObjectsSaveWithTheOtherBlocksIntact) {
  const SpdSpec spec = Tiled(5);
  const Bytes file = fixture::SpdFile(spec);
  const Bytes animations(file.end() - 6 * (spec.animations + spec.tileAnimations), file.end());
  const std::size_t tiles = 20 + 8 * 64;

  SpriteSet set = Read(file);
  set.objects[1].cells[0] = 7;
  set.objects[0].name = "boss";
  Bytes expected = file;
  expected[tiles + 6 * 2] = 7;
  const std::size_t names = tiles + 3 * 6 * 2 + 3 + 3;
  expected.erase(expected.begin() + names, expected.begin() + names + 8);  // "Untitled"
  expected.insert(expected.begin() + names, {'b', 'o', 's', 's'});
  EXPECT_EQ(Written(set), expected);

  set.objects = {ConsecutiveObject("a", 0, 3, 1), ConsecutiveObject("", 5, 3, 1)};
  const Bytes added = Written(set);
  EXPECT_EQ(added[4], 7);                                                   // flags
  EXPECT_EQ(Bytes(added.begin() + 7, added.begin() + 9), (Bytes{2, 0}));    // count
  EXPECT_EQ(Bytes(added.begin() + 11, added.begin() + 13), (Bytes{3, 1}));  // size
  EXPECT_EQ(
      Bytes(added.begin() + tiles, added.end()),
      fixture::Concat({{0, 0, 1, 0, 2, 0, 5, 0, 6, 0, 7, 0, 0, 0, 0, 0, 'a', 0, 0}, animations}));

  set.objects.clear();
  const Bytes none = Written(set);
  EXPECT_EQ(none[4], 6);
  EXPECT_EQ(Bytes(none.begin() + tiles, none.end()), animations);
  EXPECT_TRUE(Read(none).objects.empty());
}

TEST(SpritePadTiles, NewFileWithObjectsIsVersion5) {
  auto set = fixture::SetOf(fixture::Records(2), "", {}, SharedColours{11, 1, 6});
  set.objects = {ConsecutiveObject("", 0, 2, 1)};
  set.overlayDistance = 2;
  const Bytes v5 =
      fixture::Concat({{'S', 'P', 'D', 5, 1, 2, 0, 1, 0, 0, 0, 2, 1, 11, 1, 6, 2, 0, 1, 0},
                       fixture::RecordBytes(2),
                       {0, 0, 1, 0, 0, 0, 0}});
  EXPECT_EQ(Written(set, 1), v5);
  EXPECT_EQ(Read(v5).overlayDistance, 2);
  EXPECT_EQ(Read(v5).objects, set.objects);
}

TEST(SpritePadTiles, HostileTilesAreRefusedWithTheReason) {
  const struct {
    std::size_t at;
    std::uint8_t value;
    std::string says;
  } cases[] = {
      {11, 0, "tiles of 0 x 3 sprites"},
      {12, 9, "tiles of 2 x 9 sprites"},
      {20 + 8 * 64 + 2, 8, "names sprite 8 in tile 0, but holds 8 sprites"},
      {20 + 8 * 64 + 5, 1, "names sprite 258 in tile 0"},
  };
  for (const auto& c : cases) {
    SpdSpec spec = Tiled(5);
    if (c.at == 11 || c.at == 12) {
      (c.at == 11 ? spec.tileWidth : spec.tileHeight) = c.value;
      spec.tiles = 1;
      spec.tileNames = {"x"};
    }
    Bytes file = fixture::SpdFile(spec);
    if (c.at > 20) file[c.at] = c.value;
    // Not taken for a sound file by its mark: opening it says what is wrong.
    EXPECT_EQ(SpritePadFormat().Recognise(file, "x.bin"), Recognition::ByDamagedMark);
    const auto set = ReadSpritePad(file, kBossPath);
    ASSERT_FALSE(set.ok()) << c.says;
    EXPECT_EQ(set.error().file, kBossPath);
    EXPECT_NE(set.error().reason.find(c.says), std::string::npos) << set.error().reason;
  }
}

TEST(SpritePadTiles, ObjectsThatCannotBeTilesAreNeverWritten) {
  const struct {
    std::vector<SpriteObject> objects;
    int records;
    std::string says;
  } cases[] = {
      {{ConsecutiveObject("", 0, 2, 2), ConsecutiveObject("", 4, 3, 1)},
       8,
       "object 0 is 2 x 2 sprites while object 1 is 3 x 1"},
      {{ConsecutiveObject("", 6, 2, 2)}, 8, "object 0 holds sprite 8, but the file holds 8"},
      {{ConsecutiveObject("", 0, 2, 2)}, 3, "holds sprite 3, but the file holds 3"},
  };
  for (const auto& c : cases) {
    SpriteSet set = Read(fixture::SpdFile(Tiled(5)));
    set.objects = c.objects;
    set.records.resize(static_cast<std::size_t>(c.records));
    const auto written = WriteSpritePad(set, 1, kBossPath);
    ASSERT_FALSE(written.ok()) << c.says;
    EXPECT_NE(written.error().reason.find(c.says), std::string::npos) << written.error().reason;
  }
}

TEST(SpritePadTiles, OverlayDistanceIsReadAndKept) {
  Bytes file = fixture::SpdFile(Tiled(5));
  file[16] = 0xFF;  // -1
  file[17] = 0xFF;
  SpriteSet set = Read(file);
  EXPECT_EQ(set.overlayDistance, -1);
  EXPECT_EQ(Written(set), file);
  set.overlayDistance = 3;
  file[16] = 3;
  file[17] = 0;
  EXPECT_EQ(Written(set), file);
  EXPECT_EQ(Read(fixture::SpdFile(Tiled(3))).overlayDistance, 1);
}

// A part keeps the objects as they are now, renumbered, and drops those it cuts through.
TEST(SpritePadTiles, PartKeepsTheEditedObjectsInside) {
  SpriteSet set = Read(fixture::SpdFile(Tiled(5)));
  set.objects = {ConsecutiveObject("in", 2, 1, 2), ConsecutiveObject("cut", 6, 1, 2)};
  const SpriteSet part = PartOf(set, 2, 5);
  ASSERT_EQ(part.objects.size(), 1u);
  EXPECT_EQ(part.objects[0].cells, (std::vector<int>{0, 1}));
  EXPECT_EQ(part.objects[0].name, "in");
  EXPECT_EQ(Read(Written(part)).objects, part.objects);
}

TEST(SpritePadTiles, VersionsWithoutTilesOrNamesSayWhatTheyLeaveOut) {
  auto set = Read(fixture::SpdFile({.version = 1, .tileNames = {}}));
  set.objects = {ConsecutiveObject("named", 0, 1, 1)};
  EXPECT_EQ(SpritePadFormat().LeavesOut(set), std::vector<std::string>{"objects"});
  auto v3 = Read(fixture::SpdFile(Tiled(3)));
  EXPECT_TRUE(SpritePadFormat().LeavesOut(v3).empty());
  v3.objects[0].name = "named";
  EXPECT_EQ(SpritePadFormat().LeavesOut(v3), std::vector<std::string>{"object names"});
}

// A file of four 1 x 1 tiles named by letter, one sprite animation and tile animations, laid out
// by hand.
Bytes TilesFile(const std::vector<int>& cells, const std::vector<std::array<int, 4>>& overTiles) {
  const auto tiles = static_cast<int>(cells.size());
  SpdSpec spec = fixture::RichV5(4);
  spec.tiles = tiles;
  spec.tileWidth = spec.tileHeight = spec.animations = 1;
  spec.tileAnimations = static_cast<int>(overTiles.size());
  Bytes trailer;
  const auto u16 = [&](int n) {
    trailer.push_back(static_cast<std::uint8_t>(n & 0xFF));
    trailer.push_back(static_cast<std::uint8_t>(n >> 8));
  };
  for (const int cell : cells) u16(cell);
  for (const int cell : cells) trailer.push_back(static_cast<std::uint8_t>(0x20 + cell));
  for (const int cell : cells) trailer.push_back(static_cast<std::uint8_t>(0x30 + cell));
  for (const int cell : cells) trailer.insert(trailer.end(), {std::uint8_t('a' + cell), 0});
  trailer.insert(trailer.end(), {0, 0, 3, 0, 2, 0x80});  // sprites 0-3
  for (const auto& a : overTiles) u16(a[0]);
  for (const auto& a : overTiles) u16(a[1]);
  for (const auto& a : overTiles) trailer.push_back(static_cast<std::uint8_t>(a[2]));
  for (const auto& a : overTiles) trailer.push_back(static_cast<std::uint8_t>(a[3]));
  return fixture::Concat({fixture::SpdHeader(spec), fixture::RecordBytes(4), trailer});
}

// An object deleted in the document saves its tile animations pointing at the same tiles as
// before, those of it alone gone; every other byte stays.
TEST(SpritePadTiles, DeletedObjectSavesTheTileAnimationsRenumbered) {
  const Bytes file = TilesFile({0, 1, 2, 3}, {{0, 3, 2, 0}, {1, 1, 3, 0x41}, {3, 1, 4, 0x10}});
  const struct {
    std::size_t removed;
    Bytes saved;
  } cases[] = {
      {1, TilesFile({0, 2, 3}, {{0, 2, 2, 0}, {2, 1, 4, 0x10}})},
      {3, TilesFile({0, 1, 2}, {{0, 2, 2, 0}, {1, 1, 3, 0x41}, {2, 1, 4, 0x10}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.removed);
    SpriteSet set = Read(file);
    SpriteDocument doc;
    doc.Load(set.records, set.colours, SpritePadAnimationsOf(set), set.objects);
    doc.RemoveObject(c.removed);
    set.objects = doc.Objects();
    set.animations = doc.Animations();
    EXPECT_EQ(Written(set), c.saved);
    EXPECT_EQ(SpritePadAnimationsOf(Read(c.saved)), doc.Animations());
  }
}

}  // namespace
}  // namespace kelvane
