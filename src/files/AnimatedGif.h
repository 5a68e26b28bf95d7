// An animated GIF from frames of palette indices: every frame the whole picture, shown for its
// own delay, the whole cycle looping forever.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/FileError.h"

namespace kelvane {

// GIF records each side in 16 bits and each delay in hundredths of a second in 16 bits.
inline constexpr int kGifMaxSide = 0xFFFF;
inline constexpr int kGifMaxDelay = 0xFFFF;
inline constexpr int kGifMaxColours = 256;

struct GifFrame {
  std::vector<std::uint8_t> pixels;  // width * height palette indices, row by row
  int delayCentiseconds = 0;
};

struct GifAnimation {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB, at most 256 entries
  std::vector<GifFrame> frames;
};

// The file's bytes, or FileProblem::Format naming path and what cannot be written as GIF (no
// frames, a side past 65,535, a pixel past the palette); FileProblem::Io with the encoder's own
// reason if it fails (out of memory).
Result<std::vector<std::uint8_t>> EncodeAnimatedGif(const GifAnimation& animation,
                                                    const std::string& path);

}  // namespace kelvane
