#include "render/AnimationExport.h"

#include <QImage>
#include <algorithm>
#include <cstring>
#include <new>

#include "model/OverlayPairs.h"
#include "render/C64Palette.h"
#include "render/ObjectSheet.h"

namespace kelvane {
namespace {

// The frames as a sheet of columns cells a row, expanded sprites drawn expanded.
PngExportOptions FrameOptions(PngExportOptions options, int columns) {
  options.expand = true;
  options.columns = columns;
  return options;
}

constexpr std::uint8_t kSheetTransparentEntry = kColourCount;

}  // namespace

int StripColumns(std::size_t frames) {
  return static_cast<int>(std::min<std::size_t>(frames, kSpriteCount));
}

namespace {

// The cycle's frames as a sheet of columns cells a row, each as the Animator shows it: a sprite
// with the overlay bit has its partner in the bank drawn over it, wherever the frame stands.
QImage RenderFrames(const SpriteAnimation& animation, const std::vector<SpriteRecord>& sprites,
                    const SharedColours& colours, const PngExportOptions& options, int columns) {
  const std::vector<int> cycle = AnimationCycle(animation);
  PngExportOptions alone = FrameOptions(options, columns);
  alone.overlayDistance = 0;
  QImage sheet = RenderSpriteSheet(AnimationFrames(animation, sprites), colours, alone);
  if (sheet.isNull() || options.overlayDistance == 0) return sheet;
  const int cellWidth = sheet.width() / std::min<int>(columns, static_cast<int>(cycle.size()));
  const int rows = (static_cast<int>(cycle.size()) + columns - 1) / columns;
  const int cellHeight = sheet.height() / rows;
  const int count = static_cast<int>(sprites.size());
  for (std::size_t k = 0; k < cycle.size(); ++k) {
    const int n = cycle[k];
    const auto upper =
        OverlayPartner(n, sprites[n][kAttributeOffset], count, options.overlayDistance);
    if (!upper) continue;
    PngExportOptions pair = FrameOptions(options, 2);
    pair.overlayDistance = 1;
    const SpriteRecord both[] = {sprites[n], sprites[*upper]};
    const QImage composed = RenderSpriteSheet(both, colours, pair);
    if (composed.isNull()) continue;
    const int left = static_cast<int>(k) % columns * cellWidth;
    const int top = static_cast<int>(k) / columns * cellHeight;
    const int width = std::min(cellWidth, composed.width() / 2);
    for (int y = 0; y < std::min(cellHeight, composed.height()); ++y) {
      std::memcpy(sheet.scanLine(top + y) + left, composed.constScanLine(y),
                  static_cast<std::size_t>(width));
    }
  }
  return sheet;
}

// The cycle's objects, in the order they are shown.
std::vector<SpriteObject> CycleObjects(const SpriteAnimation& animation,
                                       std::span<const SpriteObject> objects) {
  std::vector<SpriteObject> shown;
  for (const int n : AnimationCycle(animation)) shown.push_back(objects[n]);
  return shown;
}

// The cycle's objects as frames of columns cells a row, with no gap between them.
QImage RenderObjectFrames(const SpriteAnimation& animation,
                          const std::vector<SpriteRecord>& sprites,
                          std::span<const SpriteObject> objects, const SharedColours& colours,
                          const PngExportOptions& options, int columns) {
  const std::vector<SpriteObject> shown = CycleObjects(animation, objects);
  int widest = 1;
  int tallest = 1;
  for (const SpriteObject& object : shown) {
    widest = std::max(widest, object.columns);
    tallest = std::max(tallest, object.rows);
  }
  const int spriteWidth = kHiresColumns * options.scale;
  const int spriteHeight = kSpriteRows * options.scale;
  const int count = static_cast<int>(shown.size());
  const int rows = (count + columns - 1) / columns;
  QImage sheet =
      NewSheet(widest * spriteWidth * std::min(columns, count), tallest * spriteHeight * rows);
  if (sheet.isNull()) return sheet;
  PngExportOptions drawn = options;
  drawn.expand = false;
  for (int k = 0; k < count; ++k) {
    const SpriteObject& object = shown[static_cast<std::size_t>(k)];
    const int left = k % columns * widest * spriteWidth;
    const int top = k / columns * tallest * spriteHeight;
    for (int row = 0; row < object.rows; ++row) {
      for (int column = 0; column < object.columns; ++column) {
        DrawObjectCell(sheet, left + column * spriteWidth, top + row * spriteHeight, object, column,
                       row, sprites, colours, drawn);
      }
    }
  }
  return sheet;
}

QImage RenderAnyFrames(const SpriteAnimation& animation, const std::vector<SpriteRecord>& sprites,
                       std::span<const SpriteObject> objects, const SharedColours& colours,
                       const PngExportOptions& options, int columns) {
  return animation.overObjects
             ? RenderObjectFrames(animation, sprites, objects, colours, options, columns)
             : RenderFrames(animation, sprites, colours, options, columns);
}

}  // namespace

std::vector<std::uint8_t> ExportAnimationStrip(const SpriteAnimation& animation,
                                               const std::vector<SpriteRecord>& sprites,
                                               std::span<const SpriteObject> objects,
                                               const SharedColours& colours,
                                               const PngExportOptions& options) {
  const auto frames = static_cast<int>(AnimationCycle(animation).size());
  return EncodePng(
      RenderAnyFrames(animation, sprites, objects, colours, options, StripColumns(frames)));
}

std::vector<SpriteRecord> AnimationFrames(const SpriteAnimation& animation,
                                          const std::vector<SpriteRecord>& sprites) {
  std::vector<SpriteRecord> frames;
  for (const int n : AnimationCycle(animation)) frames.push_back(sprites[n]);
  return frames;
}

std::string AnimationExportProblem(const SpriteAnimation& animation,
                                   const std::vector<SpriteRecord>& sprites,
                                   std::span<const SpriteObject> objects,
                                   const PngExportOptions& options) {
  const int count = static_cast<int>(animation.overObjects ? objects.size() : sprites.size());
  const std::string what = animation.overObjects ? "object " : "sprite ";
  for (const int n : {animation.first, animation.last}) {
    if (n < 0 || n >= count) {
      return "the animation shows " + what + std::to_string(n) + ", and there are " +
             std::to_string(count);
    }
  }
  if (animation.overObjects) {
    // The strip's cells as the sheet's, plus its gaps: never smaller than the strip.
    const std::vector<SpriteObject> shown = CycleObjects(animation, objects);
    PngExportOptions strip = options;
    strip.columns = StripColumns(shown.size());
    return ObjectSheetProblem(shown, sprites, strip);
  }
  const std::vector<SpriteRecord> frames = AnimationFrames(animation, sprites);
  // The strip is the larger picture: one row of every frame.
  return PngExportProblem(FrameOptions(options, StripColumns(frames.size())), frames);
}

GifAnimation AnimationGifFrames(const SpriteAnimation& animation,
                                const std::vector<SpriteRecord>& sprites,
                                std::span<const SpriteObject> objects, const SharedColours& colours,
                                const PngExportOptions& options) {
  const std::vector<int> frames = AnimationCycle(animation);
  const QImage sheet = RenderAnyFrames(animation, sprites, objects, colours, options, 1);
  GifAnimation gif;
  if (sheet.isNull()) return gif;  // no memory for it
  gif.width = sheet.width();
  gif.height = sheet.height() / static_cast<int>(frames.size());
  for (int i = 0; i < kColourCount; ++i) gif.palette.push_back(PaletteRgb(i) & 0xFFFFFF);
  // On screen, the background (the first shared colour) shows wherever no sprite pixel is.
  const std::uint8_t background = colours[0] & kColourIndexMask;
  const int delay = animation.FrameMilliseconds() / 10;
  for (std::size_t k = 0; k < frames.size(); ++k) {
    GifFrame frame;
    frame.delayCentiseconds = delay;
    frame.pixels.resize(static_cast<std::size_t>(gif.width) * gif.height);
    for (int y = 0; y < gif.height; ++y) {
      const uchar* line = sheet.constScanLine(static_cast<int>(k) * gif.height + y);
      std::uint8_t* out = frame.pixels.data() + static_cast<std::size_t>(y) * gif.width;
      for (int x = 0; x < gif.width; ++x) {
        out[x] = line[x] == kSheetTransparentEntry ? background : line[x];
      }
    }
    gif.frames.push_back(std::move(frame));
  }
  return gif;
}

Result<std::vector<std::uint8_t>> ExportAnimatedGif(const SpriteAnimation& animation,
                                                    const std::vector<SpriteRecord>& sprites,
                                                    std::span<const SpriteObject> objects,
                                                    const SharedColours& colours,
                                                    const PngExportOptions& options,
                                                    const std::string& path) {
  const FileError noMemory{path, FileProblem::Io, "no memory for the frames"};
  // Every frame is held at once, beside the picture they are cut from: a long animation at a
  // large scale may take more than there is, which is this export's failure, not the program's.
  try {
    const GifAnimation gif = AnimationGifFrames(animation, sprites, objects, colours, options);
    if (gif.frames.empty()) return noMemory;
    return EncodeAnimatedGif(gif, path);
  } catch (const std::bad_alloc&) {
    return noMemory;
  }
}

}  // namespace kelvane
