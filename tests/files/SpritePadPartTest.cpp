// A run of a SpritePad file's sprites keeps the file's version, and of its animations and tiles
// those that show sprites of the run, renumbered from its first sprite. (The fuzz target checks
// that a part of any file read is a file that can be written.)
#include <gtest/gtest.h>

#include "SpritePadFixture.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using fixture::SpdSpec;

// The header of spec, sprites first to first + spec.sprites - 1, then trailer.
Bytes File(const SpdSpec& spec, int first, const Bytes& trailer) {
  const Bytes all = fixture::RecordBytes(first + spec.sprites);
  return fixture::Concat(
      {fixture::SpdHeader(spec), Bytes(all.begin() + first * kSpriteBytes, all.end()), trailer});
}

SpdSpec V5(int sprites, std::uint8_t flags, int tiles, int animations,
           std::vector<std::string> names) {
  return {.sprites = sprites,
          .flags = flags,
          .tiles = tiles,
          .tileWidth = 2,
          .tileHeight = 1,
          .animations = animations,
          .tileAnimations = animations,
          .tileNames = std::move(names)};
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
  const auto v1 = [](int sprites, int animations) {
    return SpdSpec{.version = 1, .sprites = sprites, .animations = animations, .tileNames = {}};
  };
  const Bytes v1File = File(v1(10, 3), 0, {2, 0, 7, 5, 0, 9, 5, 1, 3, 0x80, 0, 0x90});
  const Bytes v5File = File(V5(8, 7, 2, 2, {"a", "bc"}), 0,
                            {0, 0, 1, 0, 4, 0, 5, 0, 3, 4, 0, 1,    'a', 0, 'b', 'c', 0,  // tiles
                             4, 0, 0, 0, 5, 0, 7, 0, 2, 9, 0, 0x10,  // sprite animations
                             0, 0, 1, 0, 1, 0, 1, 0, 2, 3, 0, 0});   // tile animations
  return {
      {"V1KeepsAnimationsInside", v1File, 2, 6, File(v1(6, 1), 2, {0, 3, 5, 0x80})},
      {"V1WithNoneLeftKeepsAnUnusedSlot", v1File, 8, 2, File(v1(2, 1), 8, {0, 0, 1, 0})},
      {"V5RenumbersSpritesAndTiles", v5File, 4, 4,
       File(V5(4, 7, 1, 1, {"bc"}), 4,
            {0, 0, 1, 0, 4, 1, 'b', 'c', 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 3, 0})},
      {"V5DropsBlocksLeftEmpty", v5File, 0, 4,
       File(V5(4, 1, 1, 1, {"a"}), 0, {0, 0, 1, 0, 3, 0, 'a', 0})},
  };
}

class SpritePadPart : public ::testing::TestWithParam<PartCase> {};

TEST_P(SpritePadPart, KeepsTheVersionAndWhatLiesInside) {
  const PartCase& c = GetParam();
  const auto whole = ReadSpritePad(c.file, "in.spd");
  ASSERT_TRUE(whole.ok()) << whole.error().reason;
  const auto written = WriteSpritePad(PartOf(*whole, c.first, c.count), 1, "out.spd");
  ASSERT_TRUE(written.ok()) << written.error().reason;
  EXPECT_EQ(*written, c.part);
}

INSTANTIATE_TEST_SUITE_P(Parts, SpritePadPart, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A part takes the animations as the set names them (as edited), not as the file held them.
TEST(SpritePadPartOfEdited, KeepsTheAnimationsAsEdited) {
  auto whole = ReadSpritePad(Cases()[2].file, "in.spd");
  ASSERT_TRUE(whole.ok()) << whole.error().reason;
  whole->animations = {{4, 5, 3, 0x80}, {5, 7, 2, 0}, {0, 2, 1, 0}, {1, 1, 6, 0x41, true}};
  const auto written = WriteSpritePad(PartOf(*whole, 4, 4), 1, "out.spd");
  ASSERT_TRUE(written.ok()) << written.error().reason;
  const auto part = ReadSpritePad(*written, "out.spd");
  ASSERT_TRUE(part.ok());
  EXPECT_EQ(SpritePadAnimationsOf(*part),
            (std::vector<SpriteAnimation>{{0, 1, 3, 0x80}, {1, 3, 2, 0}, {0, 0, 6, 0x41, true}}));
}

}  // namespace
}  // namespace kelvane
