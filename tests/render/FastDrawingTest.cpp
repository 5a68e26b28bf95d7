// The drawing writes whole quads from tables, replays the painted sprite number and reads a
// canvas's preview through fetched lines; these compare every picture with a plain reading of
// the rules, pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/SpriteBank.h"
#include "render/C64Palette.h"
#include "render/CanvasPreview.h"
#include "render/EditorGeometry.h"
#include "render/SpriteNumber.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

// The colour of sprite pixel (c, r) straight from the bit rules.
QRgb ExpectedPixel(const SpriteBank& bank, const EditorState& state, int n, int c, int r) {
  const auto sprite = bank.Sprite(n);
  const std::uint8_t attribute = sprite[kAttributeOffset];
  const std::uint8_t byte = sprite[kRowBytes * r + c / 8];
  int pen = 0;
  if (IsMultiColour(attribute)) {
    pen = (byte >> (6 - (c % 8) / 2 * 2)) & 3;
  } else {
    pen = (byte >> (7 - c % 8)) & 1 ? kSpriteColourPen : kTransparentPen;
  }
  const int colour = pen == kSpriteColourPen ? SpriteColour(attribute) : state.PenColours[pen];
  return PaletteRgb(colour);
}

class RowWriters : public ::testing::TestWithParam<RowWriter> {
 protected:
  void SetUp() override { UseRowWriter(GetParam()); }
  void TearDown() override { UseRowWriter(RowWriter::Fastest); }
};

// Every byte value in every byte position of a row, in both modes, by each way of writing rows:
// the portable one is what a build for another processor ships.
TEST_P(RowWriters, EveryByteValueRendersBitByBit) {
  SpriteBank bank;
  EditorState state;
  state.PenColours = {6, 1, 14, 0};
  WorkImages images;
  for (const std::uint8_t attribute : {std::uint8_t{0x07}, std::uint8_t{0x8A}}) {
    for (int value = 0; value < 256; ++value) {
      for (int i = 0; i < kPixelBytes; ++i) {
        bank.Sprite(5)[i] = static_cast<std::uint8_t>(value + i * 37);
      }
      bank.Attribute(5) = attribute;
      RenderSprite(images.SpriteImage, bank, state, 5, false);
      for (int r = 0; r < kSpriteRows; ++r) {
        for (int c = 0; c < kHiresColumns; ++c) {
          ASSERT_EQ(images.SpriteImage.pixel(c, r), ExpectedPixel(bank, state, 5, c, r))
              << "attribute " << int{attribute} << " value " << value << " at " << c << "," << r;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FastDrawing, RowWriters,
                         ::testing::Values(RowWriter::Fastest, RowWriter::Portable),
                         [](const auto& info) {
                           return info.param == RowWriter::Fastest ? "Fastest" : "Portable";
                         });

class FastDrawingOfNoise : public ::testing::Test {
 protected:
  FastDrawingOfNoise() {
    std::uint32_t x = 2463534242u;
    for (std::uint8_t& byte : bank.Bytes()) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      byte = static_cast<std::uint8_t>(x >> 24);
    }
    state.PenColours = {11, 7, 2, 9};
  }
  SpriteBank bank;
  EditorState state;
  WorkImages images;
};

// A canvas of 2 x 2 sprites of both modes, at 8 x 8 with its grid: each sprite in its place
// exactly as the editor draws it alone, its grid lines following its own pixels, but for the
// lines where sprites meet, drawn brighter.
TEST_F(FastDrawingOfNoise, CanvasIsEachSpriteAsDrawnAloneInItsPlace) {
  bank.Attribute(4) |= kMultiColourFlag;
  bank.Attribute(7) &= static_cast<std::uint8_t>(~kMultiColourFlag);
  const SpriteCanvas canvas(2, 2, {{4, 7, 7, 200}});
  const CanvasView view{{0, 0}, {8, 8}, 2, 2};
  QImage canvasImage = MakeWorkImage(canvas.Width(), canvas.Height(), 0);
  RenderCanvas(canvasImage, bank, state, canvas);
  const CanvasLook look(bank, canvas, true);
  QImage band = MakeWorkImage(view.Width(), 8, 0);
  QImage alone = MakeWorkImage(kEditorWidth, 8, 0);
  for (int row = 0; row < canvas.Height(); ++row) {
    DrawCanvasBand(band, canvasImage, view, look, row);
    for (int column = 0; column < 2; ++column) {
      const int n = canvas.SpriteAt(0, column, row / kSpriteRows);
      RenderSprite(images.SpriteImage, bank, state, n, false);
      DrawEditorBand(alone, images.SpriteImage, IsMultiColour(bank.Attribute(n)), true,
                     row % kSpriteRows);
      for (int y = 0; y < 7 && column == 0; ++y) {
        alone.setPixel(kEditorWidth - 1, y, kSpriteBorderColour);
      }
      if (row == kSpriteRows - 1) {
        for (int x = 0; x < kEditorWidth; ++x) alone.setPixel(x, 7, kSpriteBorderColour);
      }
      ASSERT_EQ(band.copy(column * kEditorWidth, 0, kEditorWidth, 8), alone)
          << "row " << row << " column " << column;
    }
  }
}

// Each zoom a grid may take, over a whole canvas row and over a part of it, with and without the
// grid: the stores chosen for the processor draw what the portable ones do, every column asked
// for and no other.
TEST_F(FastDrawingOfNoise, EveryZoomDrawsAlikeByEachRowWriter) {
  constexpr QRgb kCanary = 0xFF123456;  // no colour of the palette
  bank.Attribute(7) &= static_cast<std::uint8_t>(~kMultiColourFlag);
  const SpriteCanvas canvas(2, 1, {{4, 7}});
  QImage canvasImage = MakeWorkImage(canvas.Width(), canvas.Height(), 0);
  RenderCanvas(canvasImage, bank, state, canvas);
  for (int zoom = 1; zoom <= 20; ++zoom) {
    const CanvasView view{{0, 0}, {zoom, zoom}, 2, 1};
    for (const bool grid : {false, true}) {
      CanvasLook look(bank, canvas, grid);
      for (const BandColumns span : {BandColumns{}, BandColumns{3 * zoom + 1, 30 * zoom - 2}}) {
        std::array<QImage, 2> drawn;
        for (const RowWriter writer : {RowWriter::Portable, RowWriter::Fastest}) {
          UseRowWriter(writer);
          QImage& band = drawn[writer == RowWriter::Fastest];
          band = MakeWorkImage(view.Width() + 8, zoom, kCanary);
          DrawCanvasBand(band, canvasImage, view, look, 5, span);
        }
        ASSERT_EQ(drawn[0], drawn[1])
            << "zoom " << zoom << " grid " << grid << " from " << span.left;
        for (int x = 0; x < drawn[0].width(); ++x) {
          const bool asked = x >= span.left && x < std::min(span.right, view.Width());
          for (int y = 0; y < zoom; ++y) {
            ASSERT_EQ(drawn[0].pixel(x, y) != kCanary, asked)
                << "zoom " << zoom << " grid " << grid << " at " << x << "," << y;
            // Off the grid lines, each pixel of a cell is its canvas pixel.
            const bool line = grid && (x % zoom == zoom - 1 || y == zoom - 1);
            if (asked && !line) {
              ASSERT_EQ(drawn[0].pixel(x, y), canvasImage.pixel(x / zoom, 5))
                  << "zoom " << zoom << " grid " << grid << " at " << x << "," << y;
            }
          }
        }
      }
    }
  }
}

TEST_F(FastDrawingOfNoise, PreviewIsTheSpriteAtTwiceInsideItsBorder) {
  for (const int n : {0, 1}) {
    RenderSprite(images.SpriteImage, bank, state, n, false);
    QImage preview = MakeWorkImage(kPreviewWidth, kPreviewHeight, 0xFF123456);
    DrawPreview(preview, images.SpriteImage, state);
    for (int y = 0; y < kPreviewHeight; ++y) {
      for (int x = 0; x < kPreviewWidth; ++x) {
        const int c = (x - kPreviewBorder) / 2;
        const int r = (y - kPreviewBorder) / 2;
        const bool inside =
            x >= kPreviewBorder && y >= kPreviewBorder && c < kHiresColumns && r < kSpriteRows;
        const QRgb expected = inside ? ExpectedPixel(bank, state, n, c, r)
                                     : PaletteRgb(state.PenColours[kTransparentPen]);
        ASSERT_EQ(preview.pixel(x, y), expected) << "sprite " << n << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(FastDrawingOfNoise, EditorIsTheSpriteAtEightTimesUnderItsGrid) {
  for (const bool multiColour : {false, true}) {
    for (const bool grid : {false, true}) {
      RenderSprite(images.SpriteImage, bank, state, 7, false);
      DrawEditorGrid(images.EditorImage, images.SpriteImage, multiColour, grid);
      const int step = multiColour ? 16 : 8;
      for (int y = 0; y < kEditorHeight; ++y) {
        for (int x = 0; x < kEditorWidth; ++x) {
          const bool line = grid && (y % 8 == 7 || x % step == step - 1);
          const QRgb expected =
              line ? kGridLineColour : ExpectedPixel(bank, state, 7, x / 8, y / 8);
          ASSERT_EQ(images.EditorImage.pixel(x, y), expected)
              << multiColour << grid << " at " << x << "," << y;
        }
      }
    }
  }
}

// Each band is the whole picture's lines for its place, drawn over a band that held another.
TEST_F(FastDrawingOfNoise, PreviewBandsAreThePicturesLines) {
  QImage band(kPreviewWidth, kPreviewView.CellZoom().y, QImage::Format_RGB32);
  band.fill(0xFF123456);
  QImage preview(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
  RenderSprite(images.SpriteImage, bank, state, 6, false);
  DrawPreview(preview, images.SpriteImage, state);
  for (int top = kPreviewHeight - band.height(); top >= 0; top -= band.height()) {
    DrawPreviewBand(band, images.SpriteImage, PaletteRgb(state.PenColours[kTransparentPen]), top);
    ASSERT_EQ(band, preview.copy(0, top, band.width(), band.height())) << "line " << top;
  }
}

// Bands drawn bottom to top over each other, so that a band draws all of its lines.
TEST_F(FastDrawingOfNoise, EditorBandsAreThePicturesRows) {
  QImage band(kEditorWidth, kEditorView.CellZoom().y, QImage::Format_RGB32);
  band.fill(0xFF123456);
  for (const bool multiColour : {false, true}) {
    for (const bool grid : {false, true}) {
      RenderSprite(images.SpriteImage, bank, state, 5, false);
      DrawEditorGrid(images.EditorImage, images.SpriteImage, multiColour, grid);
      for (int row = kSpriteRows - 1; row >= 0; --row) {
        DrawEditorBand(band, images.SpriteImage, multiColour, grid, row);
        ASSERT_EQ(band,
                  images.EditorImage.copy(0, row * band.height(), band.width(), band.height()))
            << multiColour << grid << " row " << row;
      }
    }
  }
}

// The number is replayed from what the painter wrote the first time; it must stay exactly
// what painting it now would give, over any picture.
TEST_F(FastDrawingOfNoise, WrittenNumberIsWhatThePainterDraws) {
  for (int number = 0; number < kSpriteCount; ++number) {
    for (const int n : {number, number ^ 1}) {
      RenderSprite(images.SpriteImage, bank, state, n, false);
      QImage painted = images.SpriteImage.copy();
      PaintSpriteNumber(painted, number);
      WriteSpriteNumber(images.SpriteImage, number);
      ASSERT_EQ(images.SpriteImage, painted) << "number " << number << " over sprite " << n;
    }
  }
}

// The preview of a canvas of several sprites, band by band, against its rule: background round
// the canvas, and preview pixel (x, y) the canvas pixel ((x - left) / zoom * step, likewise y).
TEST(CanvasPreviewBands, ShowEveryStepthPixelAtItsZoomCentred) {
  for (const QSize canvas : {QSize(48, 21), QSize(72, 42), QSize(192, 168), QSize(24, 42)}) {
    SCOPED_TRACE(canvas.width());
    QImage image(canvas, QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) image.setPixel(x, y, qRgb(x, y, x ^ y));
    }
    const CanvasPreviewFit fit = FitCanvasPreview(canvas.width(), canvas.height());
    const QRgb background = qRgb(1, 2, 3);
    constexpr int kBandLines = 2;
    QImage band(kPreviewWidth, kBandLines, QImage::Format_RGB32);
    for (int top = 0; top < kPreviewHeight; top += kBandLines) {
      band.fill(qRgb(9, 9, 9));  // every pixel must be drawn
      DrawCanvasPreviewBand(band, image, background, top);
      for (int line = 0; line < kBandLines; ++line) {
        for (int x = 0; x < kPreviewWidth; ++x) {
          const int cx = x < fit.left ? -1 : (x - fit.left) / fit.zoom * fit.step;
          const int cy = top + line < fit.top ? -1 : (top + line - fit.top) / fit.zoom * fit.step;
          const bool shown = cx >= 0 && cy >= 0 && cx / fit.step < canvas.width() / fit.step &&
                             cy / fit.step < canvas.height() / fit.step;
          ASSERT_EQ(band.pixel(x, line), shown ? image.pixel(cx, cy) : background)
              << x << "," << top + line;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kelvane
