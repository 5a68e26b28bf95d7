#include <gtest/gtest.h>

#include "SpritePadFixture.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"

namespace kelvane {
namespace {

using fixture::Bytes;

// Changed animations are written in the file's own version, read back as written, and leave the
// tiles and tile animations byte for byte; what a version cannot hold is refused with the reason.
TEST(SpritePadAnimations, ChangedOnesAreWrittenBackInTheFilesVersion) {
  const std::vector<SpriteAnimation> edited{{1, 3, 7, kAnimationValidFlag},
                                            {2, 5, 4, kAnimationPingPongFlag}};
  const struct {
    int version;
    std::vector<SpriteAnimation> animations;
    std::string refused;  // "" when it is written
  } cases[] = {
      {5, edited, ""},
      {5, {}, ""},
      {3, edited, ""},
      {1, edited, ""},
      {1, {}, ""},  // version 1 keeps the unused slot
      {1, {{0, 300, 1, 0}}, "up to 255"},
      {5, std::vector<SpriteAnimation>(257), "at most 256"},
      {2, edited, "together"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    fixture::SpdSpec spec = fixture::RichV5(8);
    spec.version = c.version;
    const Bytes file = fixture::SpdFile(spec);
    auto set = ReadSpritePad(file, "a.spd");
    ASSERT_TRUE(set.ok()) << set.error().reason;
    const auto tiles = set->objects;
    const auto held = SpritePadAnimationsOf(*set);  // 4 of sprites, then those over tiles
    const std::vector<SpriteAnimation> overTiles(held.begin() + 4, held.end());
    set->animations = c.animations;
    set->animations->insert(set->animations->end(), overTiles.begin(), overTiles.end());
    const auto written = WriteSpritePad(*set, 1, "a.spd");
    if (!c.refused.empty()) {
      ASSERT_FALSE(written.ok());
      EXPECT_NE(written.error().reason.find(c.refused), std::string::npos)
          << written.error().reason;
      continue;
    }
    ASSERT_TRUE(written.ok()) << written.error().reason;
    const auto back = ReadSpritePad(*written, "a.spd");
    ASSERT_TRUE(back.ok()) << back.error().reason;
    const std::vector<SpriteAnimation> expected = c.version == 1 && c.animations.empty()
                                                      ? std::vector<SpriteAnimation>{{0, 0, 1, 0}}
                                                      : c.animations;
    auto expectedBoth = expected;
    expectedBoth.insert(expectedBoth.end(), overTiles.begin(), overTiles.end());
    EXPECT_EQ(SpritePadAnimationsOf(*back), expectedBoth);
    EXPECT_EQ(back->objects, tiles);
    EXPECT_EQ(back->records, set->records);
    // The tile animations, last in the file, are as they were.
    if (c.version > 1) {
      const std::size_t tail = 6 * static_cast<std::size_t>(spec.tileAnimations);
      EXPECT_TRUE(std::equal(file.end() - tail, file.end(), written->end() - tail));
    }
    // Written back unchanged, the file is the same bytes.
    set->animations = SpritePadAnimationsOf(*set);
    EXPECT_EQ(*WriteSpritePad(*set, 1, "a.spd"), file);
  }
}

// A version without tiles leaves out the animations over objects with the objects.
TEST(SpritePadAnimations, AVersionWithoutTilesLeavesOutThoseOverObjects) {
  auto set = *ReadSpritePad(fixture::SpdFile({.version = 1, .sprites = 2, .tileNames = {}}), "");
  set.animations = {{0, 1, 2, 0x80}, {0, 1, 2, 0, true}};
  EXPECT_EQ(SpritePadAnimationsOf(*ReadSpritePad(*WriteSpritePad(set, 1, ""), "")),
            (std::vector<SpriteAnimation>{{0, 1, 2, 0x80}}));
}

}  // namespace
}  // namespace kelvane
