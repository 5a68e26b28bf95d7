// What the shared export keeps of the file the sprites came from, format by format.
#include <gtest/gtest.h>

#include "files/SpritePadAnimations.h"
#include "files/SpritePadFixture.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"
#include "render/SpriteExport.h"

namespace kelvane {
namespace {

using fixture::Bytes;

Bytes Exported(const SpriteSet& set, const std::string& format) {
  ExportRequest request;
  request.format = format;
  auto files = ExportSprites(set, 0, request, "out");
  EXPECT_TRUE(files.ok()) << Describe(files.error());
  return files ? files->front().bytes : Bytes{};
}

TEST(SpriteExport, AFileInItsOwnFormatKeepsWhatItHeld) {
  const Bytes v5 = fixture::SpdFile(fixture::RichV5(20));
  const SpriteSet spd = *ReadSpritePad(v5, "in.spd");
  const SpriteSet raw = fixture::SetOf(fixture::Records(20), "bin");
  const Bytes v1Header{'S', 'P', 'D', 1, 19, 0, 6, 1, 0};  // 20 sprites, one animation slot

  const auto start = [](const Bytes& bytes) { return Bytes(bytes.begin(), bytes.begin() + 9); };
  EXPECT_EQ(Exported(spd, "spd"), v5);
  EXPECT_EQ(Exported(spd, "spd5"), v5);
  const Bytes asV1 = Exported(spd, "spd1");  // the fixture's animations lie past the bank
  EXPECT_EQ(asV1.size(), 9u + 20 * kSpriteBytes + 4);
  EXPECT_EQ(asV1[3], 1);
  const Bytes fromRaw = Exported(raw, "spd");
  EXPECT_EQ(fromRaw.size(), 9u + 20 * kSpriteBytes + 4);
  EXPECT_EQ(start(fromRaw), v1Header);
  EXPECT_EQ(Exported(PartOf(spd, 3, 5), "spd")[3], 5);  // a part keeps its file's version
  EXPECT_EQ(Exported(raw, "spd5").size(), 20u + 20 * kSpriteBytes);
}

// Another version of a SpritePad file keeps its sprite animations.
TEST(SpriteExport, AnotherVersionKeepsTheAnimations) {
  fixture::SpdSpec spec;
  spec.version = 1;
  spec.animations = 2;
  const SpriteSet v1 = *ReadSpritePad(fixture::SpdFile(spec), "in.spd");
  ASSERT_EQ(SpritePadAnimationsOf(v1).size(), 2u);
  const SpriteSet v5 = *ReadSpritePad(Exported(v1, "spd5"), "out.spd");
  EXPECT_EQ(v5.details.version, 5);
  EXPECT_EQ(SpritePadAnimationsOf(v5), SpritePadAnimationsOf(v1));
}

}  // namespace
}  // namespace kelvane
