// An animated GIF of 64 frames of a 4 x 4 object at scale 4 as Export writes it, beside giflib
// encoding the same frames alone: what composing the frames and handing them over adds to the
// encoder's own work.
#include <benchmark/benchmark.h>

#include <vector>

#include "Benchmarks.h"
#include "files/AnimatedGif.h"
#include "render/AnimationExport.h"

namespace kelvane::bench {
namespace {

constexpr int kFrames = 64;
constexpr int kObjectSide = 4;  // sprites across and down: frames of 384 x 336 at scale 4
constexpr int kCells = kObjectSide * kObjectSide;
constexpr int kScale = 4;

// Sprites of busy pixels, hi-res and multi-colour by turns, every third one laid under the next,
// so the encoder has work to do and the frames compose overlays.
std::vector<SpriteRecord> BusySprites() {
  std::vector<SpriteRecord> sprites(kFrames * kCells);
  for (std::size_t n = 0; n < sprites.size(); ++n) {
    for (int i = 0; i < kPixelBytes; ++i) {
      sprites[n][i] = static_cast<std::uint8_t>(n * 37 + i * 11 + (i * i) % 7);
    }
    const auto overlay = n % 3 == 0 ? kOverlayFlag : 0;
    sprites[n][kAttributeOffset] =
        static_cast<std::uint8_t>((n % 2 ? kMultiColourFlag : 0) | overlay | (n & 0x0F));
  }
  return sprites;
}

// One 4 x 4 object a frame, each of sprites of its own.
std::vector<SpriteObject> Objects() {
  std::vector<SpriteObject> objects;
  for (int k = 0; k < kFrames; ++k) {
    objects.push_back(ConsecutiveObject("", k * kCells, kObjectSide, kObjectSide));
  }
  return objects;
}

const SpriteAnimation kAnimation{0, kFrames - 1, 2, kAnimationValidFlag, true};
const SharedColours kColours{6, 1, 0};

PngExportOptions Scaled() {
  PngExportOptions options;
  options.scale = kScale;
  return options;
}

void GifExportBench(benchmark::State& st) {
  const std::vector<SpriteRecord> sprites = BusySprites();
  const std::vector<SpriteObject> objects = Objects();
  for (auto _ : st) {
    auto bytes = ExportAnimatedGif(kAnimation, sprites, objects, kColours, Scaled(), "");
    benchmark::DoNotOptimize(bytes);
  }
}

void GiflibAloneBench(benchmark::State& st) {
  const GifAnimation frames =
      AnimationGifFrames(kAnimation, BusySprites(), Objects(), kColours, Scaled());
  for (auto _ : st) {
    auto bytes = EncodeAnimatedGif(frames, "");
    benchmark::DoNotOptimize(bytes);
  }
}

}  // namespace

void RegisterAnimationBenchmarks() {
  benchmark::RegisterBenchmark(kGifExportBench, GifExportBench)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kGiflibAloneBench, GiflibAloneBench)->Unit(benchmark::kMillisecond);
}

}  // namespace kelvane::bench
