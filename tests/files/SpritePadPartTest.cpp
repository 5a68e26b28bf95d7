// A run of a SpritePad file's sprites keeps the file's version, and of its animations and tiles
// those that show sprites of the run, renumbered from its first sprite.
#include <gtest/gtest.h>

#include "SpritePadFixture.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using fixture::Concat;

fixture::SpdSpec Spec(int version, int sprites, std::uint8_t flags, int animations, int tiles = 0,
                      int tileAnimations = 1, std::vector<std::string> names = {}) {
  fixture::SpdSpec spec;
  spec.version = version;
  spec.sprites = sprites;
  spec.flags = flags;
  spec.animations = animations;
  spec.tiles = tiles;
  spec.tileWidth = tiles > 0 ? 2 : 0;
  spec.tileHeight = tiles > 0 ? 1 : 0;
  spec.tileAnimations = tileAnimations;
  spec.tileNames = std::move(names);
  return spec;
}

Bytes Records(int first, int count) {
  const Bytes all = fixture::RecordBytes(first + count);
  return Bytes(all.begin() + first * kSpriteBytes, all.end());
}

struct PartCase {
  const char* name;
  Bytes file;
  int first;
  int count;
  Bytes part;  // the file the part is written as
};

// Version 1: animations 2-5, 0-0 (unused), 7-9. Version 5: tiles of sprites 0,1 and 4,5 with
// attributes, tags and names; sprite animations 4-5 and 0-7; tile animations 0-1 and 1-1.
std::vector<PartCase> Cases() {
  const auto v1 = [](int sprites, int animations, const Bytes& trailer, int first) {
    return Concat(
        {fixture::SpdHeader(Spec(1, sprites, 0, animations)), Records(first, sprites), trailer});
  };
  const Bytes v1Animations{2, 0, 7, 5, 0, 9, 5, 1, 3, 0x80, 0, 0x90};
  const auto v5 = [](int sprites, std::uint8_t flags, int tiles, std::vector<std::string> names,
                     const Bytes& trailer, int first) {
    return Concat({fixture::SpdHeader(Spec(5, sprites, flags, 1, tiles, 1, std::move(names))),
                   Records(first, sprites), trailer});
  };
  const Bytes v5Blocks{0, 0, 1, 0, 4,   0, 5,   0,                   // tile cells
                       3, 4, 0, 1, 'a', 0, 'b', 'c', 0,              // attributes, tags, names
                       4, 0, 0, 0, 5,   0, 7,   0,   2, 9, 0, 0x10,  // sprite animations
                       0, 0, 1, 0, 1,   0, 1,   0,   2, 3, 0, 0};    // tile animations
  auto whole5 = Concat(
      {fixture::SpdHeader(Spec(5, 8, 7, 2, 2, 2, {"a", "bc"})), fixture::RecordBytes(8), v5Blocks});
  return {
      {"V1KeepsAnimationsInside", v1(10, 3, v1Animations, 0), 2, 6, v1(6, 1, {0, 3, 5, 0x80}, 2)},
      {"V1WithNoneLeftKeepsAnUnusedSlot", v1(10, 3, v1Animations, 0), 8, 2,
       v1(2, 1, {0, 0, 1, 0}, 8)},
      {"V5RenumbersSpritesAndTiles", whole5, 4, 4,
       v5(4, 7, 1, {"bc"}, {0, 0, 1, 0, 4, 1, 'b', 'c', 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 3, 0}, 4)},
      {"V5DropsBlocksLeftEmpty", whole5, 0, 4, v5(4, 1, 1, {"a"}, {0, 0, 1, 0, 3, 0, 'a', 0}, 0)},
  };
}

class SpritePadPart : public ::testing::TestWithParam<PartCase> {};

TEST_P(SpritePadPart, KeepsTheVersionAndWhatLiesInside) {
  const PartCase& c = GetParam();
  const auto whole = ReadSpritePad(c.file, "in.spd");
  ASSERT_TRUE(whole.ok()) << whole.error().reason;
  const SpriteSet part = PartOf(*whole, c.first, c.count);
  const auto written = WriteSpritePad(part, 1, "out.spd");
  ASSERT_TRUE(written.ok()) << written.error().reason;
  EXPECT_EQ(*written, c.part);
}

INSTANTIATE_TEST_SUITE_P(Parts, SpritePadPart, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever the blocks name, a part of every version is a file of that version that reads back.
TEST(SpritePadPart, EveryVersionGivesAFileOfItsOwnVersion) {
  for (const auto& spec :
       {Spec(0, 300, 0, 1), Spec(1, 20, 0, 3), Spec(2, 20, 7, 3, 4, 3), Spec(3, 20, 7, 3, 4, 2),
        Spec(4, 20, 7, 3, 4, 2), fixture::RichV5(1000)}) {
    SCOPED_TRACE(spec.version);
    const auto whole = ReadSpritePad(fixture::SpdFile(spec), "in.spd");
    ASSERT_TRUE(whole.ok()) << whole.error().reason;
    for (const auto& [first, count] : {std::pair{0, 5}, {3, 15}}) {
      const auto written = WriteSpritePad(PartOf(*whole, first, count), 1, "out.spd");
      ASSERT_TRUE(written.ok()) << written.error().reason;
      const auto back = ReadSpritePad(*written, "out.spd");
      ASSERT_TRUE(back.ok()) << back.error().reason;
      EXPECT_EQ(back->details.version, spec.version);
      EXPECT_EQ(back->records.size(), static_cast<std::size_t>(count));
    }
  }
}

}  // namespace
}  // namespace kelvane
