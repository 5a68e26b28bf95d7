// The drawing paths every edit and every Animator frame go through.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Benchmarks.h"
#include "model/C64Format.h"
#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "render/BrowserSheet.h"
#include "render/C64Palette.h"
#include "render/EditorGeometry.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane::bench {
namespace {

constexpr int kHiresSprite = 2;
constexpr int kMultiSprite = 3;
constexpr QRgb kButtonFace = 0xFFF0F0F0;

constexpr std::size_t kSpriteImageBytes =
    std::size_t{kHiresColumns} * kSpriteRows * kBytesPerPixel;  // 24 x 21
constexpr std::size_t kPreviewBytes = std::size_t{kPreviewWidth} * kPreviewHeight * kBytesPerPixel;
constexpr std::size_t kEditorBytes = std::size_t{kEditorWidth} * kEditorHeight * kBytesPerPixel;
// What the browser sheet writes: each of the 25 thumbnails is rendered into the 24 x 21 sprite
// image and then drawn at 2x (48 x 42) into the sheet. The gaps between them are not written.
constexpr SpriteView kThumbnail = kSheetGeometry.Thumbnail({0, 0});
constexpr std::size_t kSheetBytes = std::size_t{kWindowCells} * kWindowCells *
                                    (std::size_t{kHiresColumns} * kSpriteRows +
                                     std::size_t{kThumbnail.Width()} * kThumbnail.Height()) *
                                    kBytesPerPixel;

// Sprites full of irregular bits, so that no drawing profits from runs of one colour; even
// sprites hi-res, odd ones multi-colour, colours cycling through the palette.
SpriteBank NoisyBank() {
  SpriteBank bank;
  std::uint32_t x = 2463534242u;
  for (std::uint8_t& byte : bank.Bytes()) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    byte = static_cast<std::uint8_t>(x >> 24);
  }
  for (int n = 0; n < kSpriteCount; ++n) {
    bank.Attribute(n) =
        static_cast<std::uint8_t>((n % 2 ? kMultiColourFlag : 0) | (n + 5) % kColourCount);
  }
  return bank;
}

struct Scene {
  SpriteBank bank = NoisyBank();
  EditorState state;
  WorkImages images;
  QImage preview = MakeWorkImage(kPreviewWidth, kPreviewHeight, PaletteRgb(0));
  QImage sheet = MakeWorkImage(kSheetWidth, kSheetHeight, kButtonFace);
};

void RenderSpriteBench(benchmark::State& st, int sprite) {
  Scene scene;
  for (auto _ : st) {
    RenderSprite(scene.images.SpriteImage, scene.bank, scene.state, sprite, false);
    benchmark::DoNotOptimize(scene.images.SpriteImage.constBits());
    benchmark::ClobberMemory();
  }
}

// What follows every painted cell and every Animator frame: render, preview, editor grid.
void EditorRefreshBench(benchmark::State& st, int sprite) {
  Scene scene;
  scene.state.CurrentSprite = sprite;
  const bool multiColour = IsMultiColour(scene.bank.Attribute(sprite));
  for (auto _ : st) {
    RenderSprite(scene.images.SpriteImage, scene.bank, scene.state, sprite, false);
    DrawPreview(scene.preview, scene.images.SpriteImage, scene.state);
    DrawEditorGrid(scene.images.EditorImage, scene.images.SpriteImage, multiColour, true);
    benchmark::DoNotOptimize(scene.preview.constBits());
    benchmark::DoNotOptimize(scene.images.EditorImage.constBits());
    benchmark::ClobberMemory();
  }
}

// currentSprite decides whether one thumbnail carries its number: sprite 0 is in the window
// scrolled to the top left, sprite 255 is not.
void BrowserSheetBench(benchmark::State& st, int currentSprite) {
  Scene scene;
  scene.state.CurrentSprite = currentSprite;
  for (auto _ : st) {
    DrawBrowserSheet(scene.sheet, scene.images.SpriteImage, scene.bank, scene.state, 0, 0);
    benchmark::DoNotOptimize(scene.sheet.constBits());
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterMemcpyFloor(const std::string& name, std::size_t bytes) {
  benchmark::RegisterBenchmark(name.c_str(), [bytes](benchmark::State& st) {
    // Both ends on cache lines, and apart by a distance that is no multiple of 4 KiB, which
    // would make the processor mistake loads for reloads of the stores just made. Every run
    // then copies under the same conditions, the best ones memcpy can get.
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kPage = 4096;
    std::size_t span = (bytes + kLine - 1) / kLine * kLine + kLine;
    if (span % kPage == 0) span += kLine;
    std::vector<unsigned char> arena(2 * span + kLine, 0x5A);
    unsigned char* from =
        arena.data() + (kLine - reinterpret_cast<std::uintptr_t>(arena.data()) % kLine);
    unsigned char* to = from + span;
    for (auto _ : st) {
      benchmark::DoNotOptimize(from);
      std::memcpy(to, from, bytes);
      benchmark::DoNotOptimize(to);
      benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * bytes));
  });
}

void RegisterRenderBenchmarks(std::vector<FloorComparison>& comparisons) {
  RegisterMemcpyFloor("floor/sprite image", kSpriteImageBytes);
  benchmark::RegisterBenchmark("RenderSprite/hi-res", RenderSpriteBench, kHiresSprite);
  benchmark::RegisterBenchmark("RenderSprite/multi-colour", RenderSpriteBench, kMultiSprite);
  comparisons.push_back({"RenderSprite hi-res", "RenderSprite/hi-res", "floor/sprite image", 4});
  comparisons.push_back(
      {"RenderSprite multi-colour", "RenderSprite/multi-colour", "floor/sprite image", 4});

  RegisterMemcpyFloor("floor/editor refresh", kSpriteImageBytes + kPreviewBytes + kEditorBytes);
  benchmark::RegisterBenchmark("EditorRefresh/hi-res", EditorRefreshBench, kHiresSprite);
  benchmark::RegisterBenchmark("EditorRefresh/multi-colour", EditorRefreshBench, kMultiSprite);
  comparisons.push_back(
      {"editor refresh hi-res", "EditorRefresh/hi-res", "floor/editor refresh", 4});
  comparisons.push_back(
      {"editor refresh multi-colour", "EditorRefresh/multi-colour", "floor/editor refresh", 4});

  RegisterMemcpyFloor("floor/browser sheet", kSheetBytes);
  benchmark::RegisterBenchmark("DrawBrowserSheet/with number", BrowserSheetBench, 0);
  benchmark::RegisterBenchmark("DrawBrowserSheet/without number", BrowserSheetBench, kLastSprite);
  comparisons.push_back(
      {"browser sheet", "DrawBrowserSheet/with number", "floor/browser sheet", 4});
}

}  // namespace kelvane::bench
