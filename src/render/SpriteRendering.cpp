#include "render/SpriteRendering.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// x86-64 with GCC or Clang: an AVX2 version of the sprite rows, chosen when the processor runs.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KELVANE_AVX2_ROWS 1
#include <immintrin.h>
#endif

#include "render/C64Palette.h"
#include "render/SpriteNumber.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

// Rows through bits() and bytesPerLine(), fetched once per drawing: scanLine() checks whether
// the image is shared on every call, which costs more than writing a row of a sprite.
class Rows {
 public:
  explicit Rows(QImage& image) : bits_(image.bits()), stride_(image.bytesPerLine()) {}
  // The rows of image from (left, top) on.
  Rows(QImage& image, int left, int top)
      : bits_(image.bits() + top * image.bytesPerLine() + left * sizeof(QRgb)),
        stride_(image.bytesPerLine()) {}
  QRgb* operator[](int y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

 private:
  uchar* bits_;
  qsizetype stride_;
};

class ConstRows {
 public:
  explicit ConstRows(const QImage& image)
      : bits_(image.constBits()), stride_(image.bytesPerLine()) {}
  const QRgb* operator[](int y) const { return reinterpret_cast<const QRgb*>(bits_ + y * stride_); }

 private:
  const uchar* bits_;
  qsizetype stride_;
};

// Four neighbouring image pixels, written with one 16-byte copy, and two.
using Quad = std::array<QRgb, 4>;
using Pair = std::array<QRgb, 2>;

// The image pixels of every value of a nibble of pixel bits. In hi-res a nibble is four one-bit
// pixels; in multi-colour, two bit pairs each two image pixels wide. Either way a pixel byte is
// its high nibble's quad followed by its low nibble's, so one table serves both modes and the
// inner loop needs neither a shift per pixel nor a test of the mode. The table is built from
// the four values of two bits, which are two image pixels in both modes.
std::array<Quad, 16> NibbleQuads(const std::array<QRgb, kPenCount>& colours, bool multiColour) {
  std::array<Pair, 4> pairs;
  if (multiColour) {
    for (unsigned m = 0; m < pairs.size(); ++m) pairs[m] = {colours[m], colours[m]};
  } else {
    const QRgb off = colours[kTransparentPen];
    const QRgb on = colours[kSpriteColourPen];
    pairs = {Pair{off, off}, Pair{off, on}, Pair{on, off}, Pair{on, on}};
  }
  std::array<Quad, 16> quads;
  for (unsigned high = 0; high < 4; ++high) {
    for (unsigned low = 0; low < 4; ++low) {
      QRgb* quad = quads[high * 4 + low].data();
      std::memcpy(quad, pairs[high].data(), sizeof(Pair));
      std::memcpy(quad + 2, pairs[low].data(), sizeof(Pair));
    }
  }
  return quads;
}

void StoreQuad(QRgb* out, const Quad& quad) {
  std::memcpy(out, quad.data(), sizeof quad);
}

void RenderRowsByNibble(const Rows& rows, SpriteBytes sprite,
                        const std::array<QRgb, kPenCount>& colours, bool multiColour) {
  const std::array<Quad, 16> quads = NibbleQuads(colours, multiColour);
  const std::uint8_t* in = sprite.data();
  for (int r = 0; r < kSpriteRows; ++r) {
    // Read before writing: the stores could otherwise alias the bytes and force rereads.
    static_assert(kRowBytes == 3);
    const unsigned left = in[0];
    const unsigned middle = in[1];
    const unsigned right = in[2];
    in += kRowBytes;
    QRgb* out = rows[r];
    StoreQuad(out, quads[left >> 4]);
    StoreQuad(out + 4, quads[left & 0x0F]);
    StoreQuad(out + 8, quads[middle >> 4]);
    StoreQuad(out + 12, quads[middle & 0x0F]);
    StoreQuad(out + 16, quads[right >> 4]);
    StoreQuad(out + 20, quads[right & 0x0F]);
  }
}

#if defined(KELVANE_AVX2_ROWS)
// Where the processor has AVX2, a row takes three 8-pixel stores computed straight from its
// bits. The row is read as one little-endian 32-bit word with its three bytes in the low 24
// bits (the fourth byte is the next row's first, or after the last row the attribute byte, so
// the read stays inside the record). Each lane shifts the word so that its pixel's bit, or bit
// pair, is lowest; vpermd takes the low three bits of a lane as an index into eight colours,
// laid out so that only the pixel's own bits decide: background and sprite colour alternating
// in hi-res, the four pen colours twice over in multi-colour.
__attribute__((target("avx2"))) void RenderRowsAvx2(const Rows& rows, SpriteBytes sprite,
                                                    const std::array<QRgb, kPenCount>& colours,
                                                    bool multiColour) {
  alignas(32) static constexpr std::int32_t kHiresShifts[kRowBytes][kBitsPerByte] = {
      {7, 6, 5, 4, 3, 2, 1, 0}, {15, 14, 13, 12, 11, 10, 9, 8}, {23, 22, 21, 20, 19, 18, 17, 16}};
  alignas(32) static constexpr std::int32_t kMultiShifts[kRowBytes][kBitsPerByte] = {
      {6, 6, 4, 4, 2, 2, 0, 0}, {14, 14, 12, 12, 10, 10, 8, 8}, {22, 22, 20, 20, 18, 18, 16, 16}};
  // No lambdas here: they would not inherit this function's target.
  const auto& shifts = multiColour ? kMultiShifts : kHiresShifts;
  const __m256i first = _mm256_load_si256(reinterpret_cast<const __m256i*>(shifts[0]));
  const __m256i second = _mm256_load_si256(reinterpret_cast<const __m256i*>(shifts[1]));
  const __m256i third = _mm256_load_si256(reinterpret_cast<const __m256i*>(shifts[2]));
  const int off = static_cast<int>(colours[kTransparentPen]);
  const int on = static_cast<int>(colours[kSpriteColourPen]);
  const int pen1 = static_cast<int>(colours[kMultiColour1Pen]);
  const int pen3 = static_cast<int>(colours[kMultiColour2Pen]);
  const __m256i palette = multiColour ? _mm256_setr_epi32(off, pen1, on, pen3, off, pen1, on, pen3)
                                      : _mm256_setr_epi32(off, on, off, on, off, on, off, on);
  const std::uint8_t* in = sprite.data();
  for (int r = 0; r < kSpriteRows; ++r, in += kRowBytes) {
    std::uint32_t word;
    std::memcpy(&word, in, sizeof word);
    const __m256i bits = _mm256_set1_epi32(static_cast<int>(word));
    auto* out = reinterpret_cast<__m256i*>(rows[r]);
    _mm256_storeu_si256(out, _mm256_permutevar8x32_epi32(palette, _mm256_srlv_epi32(bits, first)));
    _mm256_storeu_si256(out + 1,
                        _mm256_permutevar8x32_epi32(palette, _mm256_srlv_epi32(bits, second)));
    _mm256_storeu_si256(out + 2,
                        _mm256_permutevar8x32_epi32(palette, _mm256_srlv_epi32(bits, third)));
  }
}

bool HasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}
#endif

RowWriter rowWriter = RowWriter::Fastest;

// Sprite rows 0 to 20 into the 24-pixel rows of the sprite image.
void RenderRows(const Rows& rows, SpriteBytes sprite, const std::array<QRgb, kPenCount>& colours,
                bool multiColour) {
#if defined(KELVANE_AVX2_ROWS)
  if (rowWriter == RowWriter::Fastest && HasAvx2()) {
    RenderRowsAvx2(rows, sprite, colours, multiColour);
    return;
  }
#endif
  RenderRowsByNibble(rows, sprite, colours, multiColour);
}

// The row helpers below use SSE2 where the compiler offers it (always on x86-64): four pixels a
// store, whatever the optimiser makes of the plain loops. Elsewhere the plain loops do the same.

#if defined(KELVANE_AVX2_ROWS)
constexpr std::uintptr_t kAvx2StoreBytes = 32;

// The pixels from p to the next multiple of 32 bytes, 1 to 8: after a first store of eight at p,
// the stores lie on whole halves of cache lines. ASSUMPTION: p is 4-byte aligned.
int PixelsToAlignment(const QRgb* p) {
  const std::uintptr_t bytes =
      kAvx2StoreBytes - reinterpret_cast<std::uintptr_t>(p) % kAvx2StoreBytes;
  return static_cast<int>(bytes / sizeof(QRgb));
}

// Eight pixels a store where the processor has AVX2: a cell row of the grid is several times
// wider than a cache line, and the store is what its drawing waits on.
__attribute__((target("avx2"))) void FillRowAvx2(QRgb* out, int count, QRgb colour) {
  const __m256i eight = _mm256_set1_epi32(static_cast<int>(colour));
  if (count >= 16) {
    // One store up to the next 32 bytes, then whole ones: a store across two cache lines costs
    // two. The last eight pixels are stored again rather than a few one at a time.
    QRgb* const end = out + count;
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), eight);
    for (out += PixelsToAlignment(out); out + 8 <= end; out += 8) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), eight);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(end - 8), eight);
    return;
  }
  for (; count >= 8; count -= 8, out += 8) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), eight);
  }
  if (count >= 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(eight));
    count -= 4;
    out += 4;
  }
  std::fill_n(out, count, colour);
}

// Eight pixels copied.
__attribute__((target("avx2"))) inline void Copy8Avx2(QRgb* out, const QRgb* in) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in)));
}

// A line copied to another eight pixels at a time. A line just drawn with 8-pixel stores is read
// back in the same pieces: the wider loads of memcpy straddle two stores still on their way to
// the cache and wait for both.
__attribute__((target("avx2"))) void CopyRowAvx2(QRgb* out, const QRgb* in, int count) {
  if (count < 16) {
    int x = 0;
    if (count >= 8) {
      Copy8Avx2(out, in);
      x = 8;
    }
    std::copy(in + x, in + count, out + x);
    return;
  }
  // As FillRowAvx2: the stores after the first lie within cache lines, and the last eight pixels
  // are copied again rather than a few one at a time.
  Copy8Avx2(out, in);
  int x = PixelsToAlignment(out);
  for (; x + 32 <= count; x += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x + 8));
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x + 16));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x + 24));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), a);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 8), b);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 16), c);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 24), d);
  }
  for (; x + 8 <= count; x += 8) Copy8Avx2(out + x, in + x);
  Copy8Avx2(out + count - 8, in + count - 8);
}

// A line of count blocks zoom (8 or more) pixels wide, block c in colours[c] but for its last
// pixel, in lastPixels[c]: eight pixels a store, each block's last store ending where it does.
__attribute__((target("avx2"))) void WriteBlocksAvx2(QRgb* out, const QRgb* colours,
                                                     const QRgb* lastPixels, int count, int zoom) {
  constexpr int kLastLane = 0x80;
  for (int c = 0; c < count; ++c, out += zoom) {
    const __m256i eight = _mm256_set1_epi32(static_cast<int>(colours[c]));
    for (int k = 0; k + 8 < zoom; k += 8) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), eight);
    }
    const __m256i last = _mm256_set1_epi32(static_cast<int>(lastPixels[c]));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + zoom - 8),
                        _mm256_blend_epi32(eight, last, kLastLane));
  }
}

bool UsesAvx2() {
  return rowWriter == RowWriter::Fastest && HasAvx2();
}
#endif

// A line of count pixels copied to another line of the same image.
void CopyRow(QRgb* out, const QRgb* in, int count) {
#if defined(KELVANE_AVX2_ROWS)
  if (UsesAvx2()) {
    CopyRowAvx2(out, in, count);
    return;
  }
#endif
  std::memcpy(out, in, static_cast<std::size_t>(count) * sizeof(QRgb));
}

void FillRow(QRgb* out, int count, QRgb colour) {
#if defined(KELVANE_AVX2_ROWS)
  if (count >= 8 && UsesAvx2()) {
    FillRowAvx2(out, count, colour);
    return;
  }
#endif
#if defined(__SSE2__)
  const __m128i quad = _mm_set1_epi32(static_cast<int>(colour));
  for (; count >= 4; count -= 4, out += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), quad);
  }
#endif
  std::fill_n(out, count, colour);
}

// A row at twice its width, every pixel twice, into the two image rows first and second.
void DoubleRow(QRgb* first, QRgb* second, const QRgb* in, int width) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 4 <= width; x += 4, first += 8, second += 8) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    const __m128i left = _mm_unpacklo_epi32(four, four);
    const __m128i right = _mm_unpackhi_epi32(four, four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(first), left);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(first + 4), right);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(second), left);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(second + 4), right);
  }
#endif
  for (; x < width; ++x, first += 2, second += 2) {
    first[0] = first[1] = second[0] = second[1] = in[x];
  }
}

// A row at zoom times its width. The small zooms of large canvases copy or pair pixels rather
// than fill a block per pixel.
void WidenRow(QRgb* out, const QRgb* in, int width, int zoom) {
  if (zoom == 1) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * sizeof(QRgb));
    return;
  }
  if (zoom == 2) {
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4, out += 8) {
      const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi32(four, four));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi32(four, four));
    }
#endif
    for (; x < width; ++x, out += 2) out[0] = out[1] = in[x];
    return;
  }
#if defined(KELVANE_AVX2_ROWS)
  if (zoom >= 8 && UsesAvx2()) {
    WriteBlocksAvx2(out, in, in, width, zoom);
    return;
  }
#endif
#if defined(__SSE2__)
  // The zooms of an object's grid: a pixel is one store of four, or two that overlap, rather
  // than a call to fill a few pixels.
  if (zoom >= 4 && zoom < 8) {
    for (int x = 0; x < width; ++x, out += zoom) {
      const __m128i four = _mm_set1_epi32(static_cast<int>(in[x]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), four);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + zoom - 4), four);
    }
    return;
  }
#endif
  for (int x = 0; x < width; ++x, out += zoom) FillRow(out, zoom, in[x]);
}

}  // namespace

namespace {

void RenderSpriteAt(const Rows& rows, const SpriteBank& bank, const EditorState& state, int n) {
  const auto sprite = bank.Sprite(n);
  const std::uint8_t attribute = sprite[kAttributeOffset];
  const std::array<QRgb, kPenCount> colours{
      PaletteRgb(state.PenColours[kTransparentPen]), PaletteRgb(state.PenColours[kMultiColour1Pen]),
      PaletteRgb(SpriteColour(attribute)), PaletteRgb(state.PenColours[kMultiColour2Pen])};
  RenderRows(rows, sprite, colours, IsMultiColour(attribute));
}

}  // namespace

void RenderSprite(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int n,
                  bool withNumber, const PairLook& pairs) {
  // ASSUMPTION: spriteImage is 24 x 21 RGB32, as WorkImages makes it.
  if (const auto upper = OverlayPartner(bank, n, pairs.distance)) {
    DrawComposedPair(spriteImage, 0, 0, bank, state, n, *upper, FaintLayer::None);
  } else {
    RenderSpriteAt(Rows(spriteImage), bank, state, n);
  }
  if (withNumber) WriteSpriteNumber(spriteImage, state.CurrentSprite);
}

namespace {

// One cell of the canvas: its sprite, with the one over it composed when there is one.
void RenderCanvasCell(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                      const SpriteCanvas& canvas, int column, int row, const PairLook& pairs) {
  const int left = column * kHiresColumns;
  const int top = row * kSpriteRows;
  const int lower = canvas.SpriteAt(0, column, row);
  std::optional<int> upper = OverlayPartner(bank, lower, pairs.distance);
  if (canvas.Layers() > 1) {
    const int over = canvas.SpriteAt(1, column, row);
    upper = over == kNoSprite ? std::nullopt : std::optional(over);
  }
  if (upper) {
    DrawComposedPair(canvasImage, left, top, bank, state, lower, *upper, pairs.faint);
  } else {
    RenderSpriteAt(Rows(canvasImage, left, top), bank, state, lower);
  }
}

}  // namespace

void RenderCanvas(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                  const SpriteCanvas& canvas, const PairLook& pairs) {
  for (int row = 0; row < canvas.Rows(); ++row) {
    for (int column = 0; column < canvas.Columns(); ++column) {
      RenderCanvasCell(canvasImage, bank, state, canvas, column, row, pairs);
    }
  }
}

void RenderCanvasSprites(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                         const SpriteCanvas& canvas, const std::bitset<kSpriteCount>& sprites,
                         const PairLook& pairs) {
  const auto changed = [&](int sprite) {
    return sprite >= 0 && sprite < kSpriteCount && sprites.test(static_cast<std::size_t>(sprite));
  };
  for (int row = 0; row < canvas.Rows(); ++row) {
    for (int column = 0; column < canvas.Columns(); ++column) {
      const int lower = canvas.SpriteAt(0, column, row);
      // Most cells are unchanged: their partner is looked for only when they have one.
      const auto upperChanged = [&] {
        if (canvas.Layers() > 1) return changed(canvas.SpriteAt(1, column, row));
        if ((bank.Attribute(lower) & kOverlayFlag) == 0) return false;
        const auto upper = OverlayPartner(bank, lower, pairs.distance);
        return upper && changed(*upper);
      };
      if (!changed(lower) && !upperChanged()) continue;
      RenderCanvasCell(canvasImage, bank, state, canvas, column, row, pairs);
    }
  }
}

CanvasLook::CanvasLook(const SpriteBank& bank, const SpriteCanvas& canvas, bool grid)
    : multiColour(), columns(canvas.Columns()), grid(grid) {
  multiColour.reserve(static_cast<std::size_t>(canvas.Columns() * canvas.Rows()));
  for (int row = 0; row < canvas.Rows(); ++row) {
    for (int column = 0; column < canvas.Columns(); ++column) {
      multiColour.push_back(IsMultiColour(bank.Attribute(canvas.SpriteAt(0, column, row))));
    }
  }
}

void UseRowWriter(RowWriter writer) {
  rowWriter = writer;
}

// At 2 x 2 each source row goes straight into both of its image rows; otherwise it is widened
// once and copied to the rows below.
void ZoomInto(QImage& dst, const SpriteView& view, const QImage& src) {
  const Rows out(dst);
  const ConstRows in(src);
  const int width = src.width();
  const int height = src.height();
  const auto [left, top] = view.Origin();
  const Zoom zoom = view.CellZoom();
  if (zoom.x == 2 && zoom.y == 2) {
    for (int y = 0; y < height; ++y) {
      DoubleRow(out[top + 2 * y] + left, out[top + 2 * y + 1] + left, in[y], width);
    }
    return;
  }
  for (int y = 0; y < height; ++y) {
    QRgb* first = out[top + y * zoom.y] + left;
    WidenRow(first, in[y], width, zoom.x);
    for (int copy = 1; copy < zoom.y; ++copy) {
      CopyRow(out[top + y * zoom.y + copy] + left, first, width * zoom.x);
    }
  }
}

namespace {

// The preview's lines y and y + 1 (y even) into first and second: the border, or a sprite row
// doubled between its two sides. Every pixel is written once, not filled and then drawn over.
void DrawPreviewPair(QRgb* first, QRgb* second, const ConstRows& in, QRgb background, int y) {
  static_assert(kPreviewView.CellZoom().x == 2 && kPreviewView.CellZoom().y == 2);
  const auto [left, top] = kPreviewView.Origin();
  static_assert(kPreviewView.Origin().y % 2 == 0 && kPreviewHeight % 2 == 0);
  const int right = left + kPreviewView.Width();
  if (y < top || y >= top + kPreviewView.Height()) {
    FillRow(first, kPreviewWidth, background);
    FillRow(second, kPreviewWidth, background);
    return;
  }
  for (QRgb* row : {first, second}) {
    FillRow(row, left, background);
    FillRow(row + right, kPreviewWidth - right, background);
  }
  DoubleRow(first + left, second + left, in[(y - top) / 2], kHiresColumns);
}

}  // namespace

void DrawPreview(QImage& preview, const QImage& spriteImage, const EditorState& state) {
  const QRgb background = PaletteRgb(state.PenColours[kTransparentPen]);
  const Rows out(preview);
  const ConstRows in(spriteImage);
  for (int y = 0; y < kPreviewHeight; y += 2) {
    DrawPreviewPair(out[y], out[y + 1], in, background, y);
  }
}

void DrawPreviewBand(QImage& band, const QImage& spriteImage, QRgb background, int top) {
  const Rows out(band);
  const ConstRows in(spriteImage);
  for (int line = 0; line + 1 < band.height(); line += 2) {
    DrawPreviewPair(out[line], out[line + 1], in, background, top + line);
  }
}

void DrawPreviewBand(QImage& band, const QImage& spriteImage, QRgb background, int top, Zoom zoom) {
  if (zoom.x == 2 && zoom.y == 2) {
    DrawPreviewBand(band, spriteImage, background, top);
    return;
  }
  const SpriteView view = CentredIn(kPreviewView.Origin(), zoom);
  const Rows out(band);
  const ConstRows in(spriteImage);
  for (int line = 0; line < band.height(); ++line) {
    QRgb* row = out[line];
    const int y = top + line - view.Origin().y;
    if (y < 0 || y >= view.Height()) {
      FillRow(row, band.width(), background);
      continue;
    }
    const int left = view.Origin().x;
    FillRow(row, left, background);
    WidenRow(row + left, in[y / zoom.y], kHiresColumns, zoom.x);
    FillRow(row + left + view.Width(), band.width() - left - view.Width(), background);
  }
}

QString PreviewLabel(int sprite) {
  return QString::asprintf("%03d ", sprite);
}

namespace {

// The colour of the last image column of each canvas column from..to - 1 of row r, the grid on:
// a vertical line after every pixel of each sprite, in the sprite's own mode, and a brighter
// one where two sprites meet. The others keep their canvas colour.
void LastColumnColours(QRgb* last, int from, int to, int r, const CanvasView& view,
                       const CanvasLook& look) {
  const int gridRow = r / kSpriteRows;
  for (int column = from / kHiresColumns; column * kHiresColumns < to; ++column) {
    const int step = CellsPerPixel(look.multiColour[gridRow * look.columns + column]);
    const int spriteLeft = column * kHiresColumns;
    const int first = std::max(from, spriteLeft);
    const int end = std::min(to, spriteLeft + kHiresColumns);
    for (int c = spriteLeft + ((first - spriteLeft) / step + 1) * step - 1; c < end; c += step) {
      last[c - from] = kGridLineColour;
    }
    if (column + 1 < view.Columns() && end == spriteLeft + kHiresColumns) {
      last[end - 1 - from] = kSpriteBorderColour;
    }
  }
}

// Canvas row r into the zoom.y lines from firstLine on, over the columns span.left..span.right - 1
// of the view (or all of it) and no others, the grid lines on top of the sprites as if drawn
// last. The whole pixels of the cell row are built once with their vertical lines, in a line of
// their own that stays in the nearest cache; the columns asked for are copied from it to each
// line and closed by the horizontal line, so that every pixel shown is written once and nothing
// drawn is read back while its stores are on their way.
void DrawCellRow(const Rows& out, int firstLine, const ConstRows& in, int r, const CanvasView& view,
                 const CanvasLook& look, BandColumns span = {}, int shift = 0) {
  const Zoom zoom = view.CellZoom();
  const int pixels = view.Columns() * kHiresColumns;
  const int firstPixel = std::clamp(span.left / zoom.x, 0, pixels);
  const int endPixel = span.right >= pixels * zoom.x
                           ? pixels
                           : std::clamp((span.right + zoom.x - 1) / zoom.x, firstPixel, pixels);
  const int left = firstPixel * zoom.x;
  const int count = endPixel - firstPixel;
  const int from = std::max(span.left, left);
  const int to = std::min(span.right, endPixel * zoom.x);
  if (from >= to) return;
  const QRgb* const colours = in[r] + firstPixel;
  // Kept between rows, so that a row allocates nothing.
  static thread_local std::vector<QRgb> last, line;
  last.assign(colours, colours + count);
  if (look.grid) LastColumnColours(last.data(), firstPixel, endPixel, r, view, look);
  line.resize(static_cast<std::size_t>(count * zoom.x));
  // The view's column x is the band's column x - shift.
  const int copies = look.grid ? zoom.y - 1 : zoom.y;
  const QRgb* const shown = line.data() + (from - left);
  const QRgb lineColour = r % kSpriteRows == kSpriteRows - 1 && r + 1 < view.Rows() * kSpriteRows
                              ? kSpriteBorderColour
                              : kGridLineColour;
  // The row writers chosen once for the cell row: a narrow part of a row is a few stores a line.
  void (*copyRow)(QRgb*, const QRgb*, int) = CopyRow;
  void (*fillRow)(QRgb*, int, QRgb) = FillRow;
#if defined(KELVANE_AVX2_ROWS)
  if (zoom.x >= 8 && UsesAvx2()) {
    WriteBlocksAvx2(line.data(), colours, last.data(), count, zoom.x);
    copyRow = CopyRowAvx2;
    fillRow = FillRowAvx2;
  } else
#endif
  {
    WidenRow(line.data(), colours, count, zoom.x);
    for (int c = 0; c < count; ++c) line[static_cast<std::size_t>((c + 1) * zoom.x - 1)] = last[c];
  }
  for (int copy = 0; copy < copies; ++copy) {
    copyRow(out[firstLine + copy] + (from - shift), shown, to - from);
  }
  if (look.grid) fillRow(out[firstLine + zoom.y - 1] + (from - shift), to - from, lineColour);
}

CanvasLook SingleLook(bool multiColour, bool grid) {
  CanvasLook look;
  look.multiColour = {multiColour};
  look.grid = grid;
  return look;
}

}  // namespace

void DrawEditorGrid(QImage& editorImage, const QImage& spriteImage, bool multiColour, bool grid) {
  const Rows out(editorImage);
  const ConstRows in(spriteImage);
  const CanvasLook look = SingleLook(multiColour, grid);
  for (int r = 0; r < kSpriteRows; ++r) {
    DrawCellRow(out, r * kEditorView.CellZoom().y, in, r, kEditorView, look);
  }
}

void DrawEditorBand(QImage& band, const QImage& spriteImage, bool multiColour, bool grid, int row) {
  DrawCellRow(Rows(band), 0, ConstRows(spriteImage), row, kEditorView,
              SingleLook(multiColour, grid));
}

void DrawCanvasBand(QImage& band, const QImage& canvasImage, const CanvasView& view,
                    const CanvasLook& look, int row, BandColumns span, int firstLine, int shift,
                    int rows) {
  const Rows out(band);
  const ConstRows in(canvasImage);
  for (int k = 0; k < rows; ++k) {
    DrawCellRow(out, firstLine + k * view.CellZoom().y, in, row + k, view, look, span, shift);
  }
}

}  // namespace kelvane
