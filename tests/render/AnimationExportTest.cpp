#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>

#include "files/ChildProcess.h"
#include "files/SpritePadAnimations.h"
#include "render/AnimationExport.h"
#include "render/C64Palette.h"

namespace kelvane {
namespace {

TEST(AnimationCycle, IsWhatTheAnimatorShowsFromTheFirstSprite) {
  const struct {
    SpriteAnimation animation;
    std::vector<int> cycle;
  } cases[] = {
      {{3, 5, 1, kAnimationValidFlag}, {3, 4, 5}},
      {{3, 5, 1, kAnimationPingPongFlag}, {3, 4, 5, 5, 4, 3}},  // each end twice
      {{7, 7, 1, kAnimationPingPongFlag}, {7, 7}},
      {{5, 3, 1, 0}, {5, 4, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(AnimationCycle(c.animation), c.cycle);
}

TEST(SpritePadAnimations, ReadTheParallelArraysOfEitherWidth) {
  const std::vector<std::uint8_t> narrow{1, 4, 2, 9, 3, 5, 0x80, 0x90};
  EXPECT_EQ(ReadSpritePadAnimations(narrow, 2, false),
            (std::vector<SpriteAnimation>{{1, 2, 3, 0x80}, {4, 9, 5, 0x90}}));
  const std::vector<std::uint8_t> wide{0x2C, 0x01, 0x30, 0x01, 7, 0x10};
  EXPECT_EQ(ReadSpritePadAnimations(wide, 1, true),
            (std::vector<SpriteAnimation>{{300, 304, 7, 0x10}}));
}

struct GifMemory {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

int ReadGif(GifFileType* gif, GifByteType* out, int count) {
  auto* in = static_cast<GifMemory*>(gif->UserData);
  const auto n = std::min<std::size_t>(count, in->bytes->size() - in->at);
  std::memcpy(out, in->bytes->data() + in->at, n);
  in->at += n;
  return static_cast<int>(n);
}

// Sprite k: hi-res in colour k + 2 with only its top-left pixel set; sprite 1 expands in X.
TEST(AnimatedGif, LoopsOneCycleAtTheAnimationsSpeedOnTheBackground) {
  std::vector<SpriteRecord> sprites(3);
  for (int k = 0; k < 3; ++k) {
    sprites[k][0] = 0x80;
    sprites[k][kAttributeOffset] = static_cast<std::uint8_t>(k + 2);
  }
  sprites[1][kAttributeOffset] |= kExpandXFlag;
  const SharedColours colours{6, 0, 1};
  const SpriteAnimation animation{0, 2, 3, kAnimationPingPongFlag};
  ASSERT_EQ(AnimationExportProblem(animation, sprites, {}, {}), "");
  const auto bytes = ExportAnimatedGif(animation, sprites, {}, colours, {}, "a.gif");
  ASSERT_TRUE(bytes.ok()) << Describe(bytes.error());

  GifMemory memory{&*bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&memory, ReadGif, &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, 2 * kHiresColumns);  // every frame as wide as the expanded one
  EXPECT_EQ(gif->SHeight, kSpriteRows);
  const std::vector<int> shown{0, 1, 2, 2, 1, 0};
  ASSERT_EQ(gif->ImageCount, static_cast<int>(shown.size()));
  const ColorMapObject* map = gif->SColorMap;
  for (int i = 0; i < gif->ImageCount; ++i) {
    SCOPED_TRACE(i);
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 6);  // 3 frames of 20 ms
    const GifByteType* pixels = gif->SavedImages[i].RasterBits;
    EXPECT_EQ(pixels[0], shown[i] + 2);
    EXPECT_EQ(pixels[1], shown[i] == 1 ? 3 : 6);  // the expanded pixel, else the background
    EXPECT_EQ(pixels[gif->SWidth * kSpriteRows - 1], 6);
    const GifColorType c = map->Colors[pixels[0]];
    EXPECT_EQ(qRgb(c.Red, c.Green, c.Blue), PaletteRgb(shown[i] + 2));
  }
  // The loop: the application extension before the first frame, repeating forever.
  const SavedImage& first = gif->SavedImages[0];
  bool loops = false;
  for (int e = 0; e + 1 < first.ExtensionBlockCount; ++e) {
    const ExtensionBlock& name = first.ExtensionBlocks[e];
    const ExtensionBlock& count = first.ExtensionBlocks[e + 1];
    loops = loops || (name.Function == APPLICATION_EXT_FUNC_CODE &&
                      std::memcmp(name.Bytes, "NETSCAPE2.0", 11) == 0 && count.ByteCount == 3 &&
                      count.Bytes[1] == 0 && count.Bytes[2] == 0);
  }
  EXPECT_TRUE(loops);
  DGifCloseFile(gif, &error);

  EXPECT_NE(AnimationExportProblem({0, 3, 1, 0}, sprites, {}, {}).find("sprite 3"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// A sprite with the overlay bit shows its partner in the bank over it in every frame it stands
// in, also on the way back of a ping-pong.
TEST(AnimatedGif, ComposesOverlayPartnersFromTheBank) {
  std::vector<SpriteRecord> sprites(3);
  sprites[0][0] = 0x80;  // its first pixel
  sprites[0][kAttributeOffset] = kOverlayFlag | 2;
  sprites[1][0] = 0x40;  // the partner's second pixel
  sprites[1][kAttributeOffset] = 5;
  sprites[2][kAttributeOffset] = 7;
  const GifAnimation gif =
      AnimationGifFrames({0, 2, 1, kAnimationPingPongFlag}, sprites, {}, {6, 0, 1}, {});
  ASSERT_EQ(gif.frames.size(), 6u);  // 0 1 2 2 1 0
  for (const std::size_t k : {0u, 5u}) {
    EXPECT_EQ(gif.frames[k].pixels[0], 2) << k;
    EXPECT_EQ(gif.frames[k].pixels[1], 5) << k;
  }
  EXPECT_EQ(gif.frames[1].pixels[0], 6);  // the partner alone
  EXPECT_EQ(gif.frames[1].pixels[1], 5);
}

// The address space the process holds now, in bytes.
rlim_t AddressSpace() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// A GIF larger than the memory left fails with its reason instead of ending the program: room
// for the picture the frames are cut from, not for the frames beside it.
TEST(AnimatedGif, WithoutMemoryForItsFramesIsAFailure) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#endif
  constexpr rlim_t kRoom = 100 << 20;  // the 512 frames at scale 16 take 66 MB, twice
  const std::vector<SpriteRecord> sprites(kSpriteCount);
  PngExportOptions options;
  options.scale = kMaxPngScale;
  const std::string outcome = InChild([&] {
    const rlimit limit{AddressSpace() + kRoom, AddressSpace() + kRoom};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return std::string("no limit");
    try {
      const auto gif = ExportAnimatedGif({0, kLastSprite, 1, kAnimationPingPongFlag}, sprites, {},
                                         {0, 1, 2}, options, "big.gif");
      return gif ? std::string("written") : gif.error().reason;
    } catch (...) {
      ::_exit(1);  // as an exception out of the export would end the program
    }
  });
  EXPECT_EQ(outcome, "no memory for the frames");
}

}  // namespace
}  // namespace kelvane

#include "render/ObjectSheet.h"

namespace kelvane {
namespace {

// An animation over objects shows each object composed, overlays drawn, as the object sheet
// draws it alone; a smaller object stands at the top left on the background. The strip holds the
// same frames side by side; an object past the list is refused.
TEST(AnimatedGif, OverObjectsShowsEachObjectComposed) {
  std::vector<SpriteRecord> sprites(6);
  for (int n = 0; n < 6; ++n) {
    for (int i = 0; i < kPixelBytes; ++i) sprites[n][i] = static_cast<std::uint8_t>(n * 41 + i);
    sprites[n][kAttributeOffset] = static_cast<std::uint8_t>(n + 2);
  }
  sprites[0][kAttributeOffset] |= kOverlayFlag | kMultiColourFlag;
  const std::vector<SpriteObject> objects{ConsecutiveObject("", 0, 2, 1),
                                          ConsecutiveObject("", 3, 1, 1)};
  const SharedColours colours{6, 0, 1};
  PngExportOptions options;
  options.scale = 2;
  const SpriteAnimation animation{1, 0, 4, kAnimationPingPongFlag, true};  // 1 0 0 1
  ASSERT_EQ(AnimationExportProblem(animation, sprites, objects, options), "");
  const GifAnimation gif = AnimationGifFrames(animation, sprites, objects, colours, options);
  ASSERT_EQ(gif.frames.size(), 4u);
  EXPECT_EQ(gif.width, 2 * kHiresColumns * 2);
  EXPECT_EQ(gif.height, kSpriteRows * 2);
  for (std::size_t k = 0; k < 4; ++k) {
    const SpriteObject& object = objects[k == 1 || k == 2 ? 0 : 1];
    const QImage alone = RenderObjectSheet({object}, sprites, colours, options);
    for (int y = 0; y < gif.height; ++y) {
      for (int x = 0; x < gif.width; ++x) {
        const bool inside = x < alone.width();
        const int want = inside ? alone.pixelIndex(x, y) : kColourCount;
        const int pixel = gif.frames[k].pixels[static_cast<std::size_t>(y * gif.width + x)];
        ASSERT_EQ(pixel, want == kColourCount ? colours[0] : want) << k << " " << x << "," << y;
      }
    }
  }
  EXPECT_FALSE(ExportAnimationStrip(animation, sprites, objects, colours, options).empty());
  EXPECT_NE(AnimationExportProblem({1, 3, 1, 0, true}, sprites, objects, options).find("object 3"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvane
