#include <gtest/gtest.h>

#include "render/ObjectSheet.h"

namespace kelvane {
namespace {

constexpr int kTransparent = 16;

// Sprite 0: hi-res, colour 1, its first pixel set. Sprite 1: multi-colour, its first pair
// multi-colour 1 and its last row's last pair the sprite colour (3).
std::vector<SpriteRecord> TwoSprites() {
  std::vector<SpriteRecord> sprites(2);
  sprites[0][0] = 0x80;
  sprites[0][kAttributeOffset] = 0x01;
  sprites[1][0] = 0x40;
  sprites[1][kPixelBytes - 1] = 0x02;
  sprites[1][kAttributeOffset] = kMultiColourFlag | 0x03;
  return sprites;
}

// Objects [0 1] and [1]: composed side by side, the second row one pixel below the first, the
// gap in the background colour, what the narrower object leaves transparent.
TEST(ObjectSheet, ComposesEachObjectWithAGapInTheBackground) {
  const std::vector<SpriteObject> objects{ConsecutiveObject("", 0, 2, 1),
                                          ConsecutiveObject("", 1, 1, 1)};
  const SharedColours colours{6, 2, 5};
  const struct {
    int scale;
    int columns;
    QSize size;
    std::vector<std::pair<QPoint, int>> pixels;
  } cases[] = {
      {1,
       1,
       {48, 43},
       {{{0, 0}, 1},
        {{1, 0}, 6},
        {{24, 0}, 2},
        {{25, 0}, 2},
        {{26, 0}, 6},
        {{47, 20}, 3},
        {{46, 20}, 3},
        {{10, 21}, 6},
        {{47, 21}, 6},
        {{0, 22}, 2},
        {{1, 22}, 2},
        {{23, 42}, 3},
        {{24, 22}, kTransparent}}},
      {2,
       2,
       {48 * 2 * 2 + 1, 42},
       {{{0, 0}, 1},
        {{1, 1}, 1},
        {{2, 0}, 6},
        {{96, 0}, 6},
        {{96, 41}, 6},
        {{97, 0}, 2},
        {{100, 0}, 2},
        {{101, 0}, 6},
        {{97 + 48, 0}, kTransparent}}},
  };
  for (const auto& c : cases) {
    const PngExportOptions options{.scale = c.scale, .columns = c.columns, .objects = true};
    ASSERT_EQ(ObjectSheetProblem(objects, TwoSprites(), options), "");
    const QImage sheet = RenderObjectSheet(objects, TwoSprites(), colours, options);
    ASSERT_EQ(sheet.size(), c.size) << c.scale;
    for (const auto& [point, index] : c.pixels) {
      EXPECT_EQ(sheet.pixelIndex(point), index)
          << c.scale << " at " << point.x() << "," << point.y();
    }
  }
}

TEST(ObjectSheet, RefusesWhatCannotBeDrawn) {
  const PngExportOptions options{.objects = true};
  EXPECT_EQ(ObjectSheetProblem({}, TwoSprites(), options), "there are no objects to draw");
  EXPECT_EQ(ObjectSheetProblem({ConsecutiveObject("", 1, 2, 1)}, TwoSprites(), options),
            "object 0 holds sprite 2, which is not among the 2 sprites drawn");
}

}  // namespace
}  // namespace kelvane
