// An animated GIF of 64 frames as Export writes it, beside giflib encoding the same frames alone:
// what drawing the frames and handing them over adds to the encoder's own work.
#include <benchmark/benchmark.h>

#include <vector>

#include "Benchmarks.h"
#include "files/AnimatedGif.h"
#include "render/AnimationExport.h"

namespace kelvane::bench {
namespace {

constexpr int kFrames = 64;
// Each frame 384 x 336, as large as a 4 x 4 object of sprites at scale 4.
constexpr int kFrameScale = 16;

// Sprites of busy pixels, hi-res and multi-colour by turns, so the encoder has work to do.
std::vector<SpriteRecord> BusySprites() {
  std::vector<SpriteRecord> sprites(kFrames);
  for (int n = 0; n < kFrames; ++n) {
    for (int i = 0; i < kPixelBytes; ++i) {
      sprites[n][i] = static_cast<std::uint8_t>(n * 37 + i * 11 + (i * i) % 7);
    }
    sprites[n][kAttributeOffset] = static_cast<std::uint8_t>((n % 2 ? kMultiColourFlag : 0) | n);
  }
  return sprites;
}

const SpriteAnimation kAnimation{0, kFrames - 1, 2, kAnimationValidFlag};
const SharedColours kColours{6, 1, 0};

PngExportOptions Scaled() {
  PngExportOptions options;
  options.scale = kFrameScale;
  return options;
}

void GifExportBench(benchmark::State& st) {
  const std::vector<SpriteRecord> sprites = BusySprites();
  for (auto _ : st) {
    auto bytes = ExportAnimatedGif(kAnimation, sprites, kColours, Scaled(), "");
    benchmark::DoNotOptimize(bytes);
  }
}

void GiflibAloneBench(benchmark::State& st) {
  const GifAnimation frames = AnimationGifFrames(kAnimation, BusySprites(), kColours, Scaled());
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
