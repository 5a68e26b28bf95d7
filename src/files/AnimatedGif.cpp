#include "files/AnimatedGif.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>

namespace kelvane {
namespace {

// The application extension that makes browsers and viewers loop: "NETSCAPE2.0", then sub-block
// 1 with a 16-bit repeat count, 0 meaning forever.
constexpr std::array<GifByteType, 11> kLoopExtensionName{'N', 'E', 'T', 'S', 'C', 'A',
                                                         'P', 'E', '2', '.', '0'};
constexpr std::array<GifByteType, 3> kLoopForever{1, 0, 0};

int Append(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
struct MapFreer {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// GIF colour tables hold a power of two entries, at least two.
int TableSize(std::size_t colours) {
  int size = 2;
  while (static_cast<std::size_t>(size) < colours) size *= 2;
  return size;
}

std::string Problem(const GifAnimation& a) {
  if (a.frames.empty()) return "an animation needs at least one frame";
  if (a.width < 1 || a.height < 1 || a.width > kGifMaxSide || a.height > kGifMaxSide) {
    return "a GIF side is 1 to 65535 pixels";
  }
  if (a.palette.empty() || a.palette.size() > kGifMaxColours) return "a GIF has 1 to 256 colours";
  const auto pixels = static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height);
  for (const GifFrame& frame : a.frames) {
    if (frame.pixels.size() != pixels) return "a frame is not the picture's size";
    if (frame.delayCentiseconds < 0 || frame.delayCentiseconds > kGifMaxDelay) {
      return "a frame delay is 0 to 655.35 s";
    }
    if (std::ranges::any_of(frame.pixels, [&](std::uint8_t p) { return p >= a.palette.size(); })) {
      return "a pixel lies outside the palette";
    }
  }
  return {};
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeAnimatedGif(const GifAnimation& animation,
                                                    const std::string& path) {
  if (const std::string problem = Problem(animation); !problem.empty()) {
    return FileError{path, FileProblem::Format, problem};
  }
  std::vector<std::uint8_t> bytes;
  const auto failed = [&](int code) {
    const char* text = GifErrorString(code);
    return FileError{path, FileProblem::Io, text ? text : "the GIF encoder failed"};
  };
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, Append, &error));
  if (!gif) return failed(error);
  const int tableSize = TableSize(animation.palette.size());
  std::vector<GifColorType> colours(static_cast<std::size_t>(tableSize));
  for (std::size_t i = 0; i < animation.palette.size(); ++i) {
    const std::uint32_t rgb = animation.palette[i];
    colours[i] = {static_cast<GifByteType>(rgb >> 16), static_cast<GifByteType>(rgb >> 8),
                  static_cast<GifByteType>(rgb)};
  }
  const std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(tableSize, colours.data()));
  if (!map) return failed(E_GIF_ERR_NOT_ENOUGH_MEM);
  EGifSetGifVersion(gif.get(), true);  // delays need GIF89a
  if (EGifPutScreenDesc(gif.get(), animation.width, animation.height, map->BitsPerPixel, 0,
                        map.get()) == GIF_ERROR ||
      EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(gif.get(), kLoopExtensionName.size(), kLoopExtensionName.data()) ==
          GIF_ERROR ||
      EGifPutExtensionBlock(gif.get(), kLoopForever.size(), kLoopForever.data()) == GIF_ERROR ||
      EGifPutExtensionTrailer(gif.get()) == GIF_ERROR) {
    return failed(gif->Error);
  }
  for (const GifFrame& frame : animation.frames) {
    // Each frame covers the whole picture, so nothing of the one before needs to stay.
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, frame.delayCentiseconds,
                                 NO_TRANSPARENT_COLOR};
    std::array<GifByteType, 4> extension{};
    EGifGCBToExtension(&control, extension.data());
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, extension.size(), extension.data()) ==
            GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, animation.width, animation.height, false, nullptr) ==
            GIF_ERROR) {
      return failed(gif->Error);
    }
    for (int y = 0; y < animation.height; ++y) {
      // giflib takes the line as writable; it does not change it.
      auto* line = const_cast<GifByteType*>(frame.pixels.data() +
                                            static_cast<std::size_t>(y) * animation.width);
      if (EGifPutLine(gif.get(), line, animation.width) == GIF_ERROR) return failed(gif->Error);
    }
  }
  GifFileType* done = gif.release();
  if (EGifCloseFile(done, &error) == GIF_ERROR) return failed(error);
  return bytes;
}

}  // namespace kelvane
