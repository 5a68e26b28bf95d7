// The converter's list of overlay pairs.
#include <gtest/gtest.h>

#include <vector>

#include "files/OverlayListing.h"
#include "model/C64Format.h"

namespace kelvane {
namespace {

TEST(OverlayListing, NamesEachPairLowerFirst) {
  std::vector<SpriteRecord> records(6);
  for (const int n : {0, 2, 5}) records[n][kAttributeOffset] = kOverlayFlag | kMultiColourFlag;
  EXPECT_EQ(OverlayPairLines(records, 1), "overlay pairs (lower/upper, distance 1): 0/1, 2/3\n");
  EXPECT_EQ(OverlayPairLines(records, 3), "overlay pairs (lower/upper, distance 3): 0/3, 2/5\n");
  EXPECT_EQ(OverlayPairLines(std::span(records).first(2), 2), "");
  // A file's distance as it stands: none below 1, none past the sprites, never the nearest.
  for (const int distance : {0, -1, -0x8000, 6, 0x7FFF}) {
    EXPECT_EQ(OverlayPairLines(records, distance), "") << distance;
  }
}

}  // namespace
}  // namespace kelvane
