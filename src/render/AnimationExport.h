// An animation leaves the program as what the Animator shows of it, one cycle from its first
// sprite: an animated GIF that loops, or the same frames side by side as one PNG strip.
// Expanded sprites are drawn expanded, as on screen. An animation over objects shows each object
// composed as the object sheet draws it (overlays over their bases, expansion not drawn), every
// frame as large as the largest object of the cycle, a smaller one at its top left.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/AnimatedGif.h"
#include "files/FileError.h"
#include "files/SpriteFormat.h"
#include "model/SpriteAnimation.h"
#include "model/SpriteObject.h"
#include "render/PngExport.h"

namespace kelvane {

// Why animation cannot be exported from sprites (and objects) at options' scale, or "": a sprite
// or object it names is not among them, or the frames would be larger than the writers take.
std::string AnimationExportProblem(const SpriteAnimation& animation,
                                   const std::vector<SpriteRecord>& sprites,
                                   std::span<const SpriteObject> objects,
                                   const PngExportOptions& options);

// The cycle's sprites, in the order they are shown. ASSUMPTION: animation is of sprites.
std::vector<SpriteRecord> AnimationFrames(const SpriteAnimation& animation,
                                          const std::vector<SpriteRecord>& sprites);

// The frames side by side, wrapping after 256, as a PNG sheet; empty if the encoder fails.
// ASSUMPTION: the problem above is "".
std::vector<std::uint8_t> ExportAnimationStrip(const SpriteAnimation& animation,
                                               const std::vector<SpriteRecord>& sprites,
                                               std::span<const SpriteObject> objects,
                                               const SharedColours& colours,
                                               const PngExportOptions& options);
// A strip's cells a row for that many frames.
int StripColumns(std::size_t frames);

// The GIF's frames: one a shown sprite, each for the animation's speed, in the active palette
// with the background colour where no sprite pixel is. ASSUMPTION: the problem above is "".
GifAnimation AnimationGifFrames(const SpriteAnimation& animation,
                                const std::vector<SpriteRecord>& sprites,
                                std::span<const SpriteObject> objects, const SharedColours& colours,
                                const PngExportOptions& options);
// Those frames encoded; FileProblem::Io naming path when there is no memory for them.
Result<std::vector<std::uint8_t>> ExportAnimatedGif(const SpriteAnimation& animation,
                                                    const std::vector<SpriteRecord>& sprites,
                                                    std::span<const SpriteObject> objects,
                                                    const SharedColours& colours,
                                                    const PngExportOptions& options,
                                                    const std::string& path);

}  // namespace kelvane
