// An animation leaves the program as what the Animator shows of it, one cycle from its first
// sprite: an animated GIF that loops, or the same frames side by side as one PNG strip.
// Expanded sprites are drawn expanded, as on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/AnimatedGif.h"
#include "files/FileError.h"
#include "files/SpriteFormat.h"
#include "model/SpriteAnimation.h"
#include "render/PngExport.h"

namespace kelvane {

// Why animation cannot be exported from sprites at options' scale, or "": a sprite it names is
// not among them, or the frames would be larger than the writers take.
std::string AnimationExportProblem(const SpriteAnimation& animation,
                                   const std::vector<SpriteRecord>& sprites,
                                   const PngExportOptions& options);

// The cycle's sprites, in the order they are shown.
std::vector<SpriteRecord> AnimationFrames(const SpriteAnimation& animation,
                                          const std::vector<SpriteRecord>& sprites);

// The frames side by side, wrapping after 256, as a PNG sheet; empty if the encoder fails.
// ASSUMPTION: the problem above is "".
std::vector<std::uint8_t> ExportAnimationStrip(const SpriteAnimation& animation,
                                               const std::vector<SpriteRecord>& sprites,
                                               const SharedColours& colours,
                                               const PngExportOptions& options);
// A strip's cells a row for that many frames.
int StripColumns(std::size_t frames);

// The GIF's frames: one a shown sprite, each for the animation's speed, in the active palette
// with the background colour where no sprite pixel is. ASSUMPTION: the problem above is "".
GifAnimation AnimationGifFrames(const SpriteAnimation& animation,
                                const std::vector<SpriteRecord>& sprites,
                                const SharedColours& colours, const PngExportOptions& options);
// Those frames encoded; FileProblem::Io naming path when there is no memory for them.
Result<std::vector<std::uint8_t>> ExportAnimatedGif(const SpriteAnimation& animation,
                                                    const std::vector<SpriteRecord>& sprites,
                                                    const SharedColours& colours,
                                                    const PngExportOptions& options,
                                                    const std::string& path);

}  // namespace kelvane
