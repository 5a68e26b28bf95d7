#include <gtest/gtest.h>

#include "model/SpriteBank.h"
#include "render/BrowserSheet.h"
#include "render/C64Palette.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

class Rendering : public ::testing::Test {
 protected:
  SpriteBank bank;
  EditorState state;
  WorkImages images;

  void SetRow(int sprite, int row, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    bank.Sprite(sprite)[3 * row] = b0;
    bank.Sprite(sprite)[3 * row + 1] = b1;
    bank.Sprite(sprite)[3 * row + 2] = b2;
  }
  QRgb Pixel(int x, int y) const { return images.SpriteImage.pixel(x, y); }
};

TEST(C64Palette, ConvertsStoredRedInLowBitsToQtColours) {
  EXPECT_EQ(PaletteRgb(2), qRgb(153, 41, 15));
  EXPECT_EQ(PaletteRgb(6), qRgb(30, 0, 184));
  EXPECT_EQ(PaletteRgb(14), qRgb(108, 84, 230));
  EXPECT_EQ(PaletteRgb(1), qRgb(255, 255, 255));
  EXPECT_EQ(PaletteRgb(0x1F), PaletteRgb(15));  // only the low four bits select a colour
}

TEST_F(Rendering, HiresAllSetIsSpriteColourAndAllClearIsBackground) {
  bank.Attribute(3) = 0x02;  // hi-res, red
  for (int i = 0; i < kPixelBytes; ++i) bank.Sprite(3)[i] = 0xFF;
  RenderSprite(images.SpriteImage, bank, state, 3, false);
  for (int y = 0; y < kSpriteRows; ++y)
    for (int x = 0; x < kHiresColumns; ++x) ASSERT_EQ(Pixel(x, y), PaletteRgb(2)) << x << "," << y;

  bank.Attribute(4) = 0x02;
  RenderSprite(images.SpriteImage, bank, state, 4, false);
  for (int y = 0; y < kSpriteRows; ++y)
    for (int x = 0; x < kHiresColumns; ++x) ASSERT_EQ(Pixel(x, y), PaletteRgb(6));
}

TEST_F(Rendering, HiresBitOrderIsMostSignificantLeftmost) {
  bank.Attribute(0) = 0x01;
  SetRow(0, 5, 0x80, 0x01, 0x40);
  RenderSprite(images.SpriteImage, bank, state, 0, false);
  for (int x = 0; x < kHiresColumns; ++x) {
    const bool set = x == 0 || x == 15 || x == 17;
    EXPECT_EQ(Pixel(x, 5), PaletteRgb(set ? 1 : 6)) << x;
  }
}

TEST_F(Rendering, MultiColourPairsSelectThePensTwoColumnsWide) {
  state.PenColours = {6, 1, 5, 0};
  bank.Attribute(0) = 0x8A;  // multi-colour, light red
  SetRow(0, 0, 0x1B, 0x00, 0xE4);
  RenderSprite(images.SpriteImage, bank, state, 0, false);
  const QRgb expected[] = {PaletteRgb(6), PaletteRgb(1), PaletteRgb(10), PaletteRgb(0)};
  for (int m = 0; m < 4; ++m) {
    EXPECT_EQ(Pixel(2 * m, 0), expected[m]) << m;
    EXPECT_EQ(Pixel(2 * m + 1, 0), expected[m]) << m;
    EXPECT_EQ(Pixel(16 + 2 * m, 0), expected[3 - m]) << m;  // $E4 is the same pens reversed
  }
}

TEST_F(Rendering, RenderingAnotherSpriteLeavesTheSpriteColourPenAlone) {
  state.PenColours[2] = 12;
  bank.Attribute(9) = 0x07;
  RenderSprite(images.SpriteImage, bank, state, 9, false);
  EXPECT_EQ(state.PenColours[2], 12);
}

TEST_F(Rendering, NumberGoesIntoTheTopLeftCornerOnlyWhenAsked) {
  state.CurrentSprite = 88;
  RenderSprite(images.SpriteImage, bank, state, 88, true);
  int marked = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) marked += Pixel(x, y) != PaletteRgb(6);
  EXPECT_GT(marked, 10);
  for (int x = 0; x < kHiresColumns; ++x) EXPECT_EQ(Pixel(x, 20), PaletteRgb(6));
}

TEST(PreviewLabel, ThreeDigitsAndASpace) {
  EXPECT_EQ(PreviewLabel(7), QStringLiteral("007 "));
  EXPECT_EQ(PreviewLabel(255), QStringLiteral("255 "));
  EXPECT_EQ(PreviewLabel(0), QStringLiteral("000 "));
}

TEST_F(Rendering, PreviewIsTheSpriteAtTwiceInABackgroundBorder) {
  bank.Attribute(0) = 0x01;
  SetRow(0, 0, 0x80, 0, 0);  // top-left pixel white
  RenderSprite(images.SpriteImage, bank, state, 0, false);
  QImage preview = MakeWorkImage(kPreviewWidth, kPreviewHeight, 0);
  DrawPreview(preview, images.SpriteImage, state);
  EXPECT_EQ(preview.pixel(9, 9), PaletteRgb(6));
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(preview.pixel(10 + dx, 10 + dy), PaletteRgb(1));
  EXPECT_EQ(preview.pixel(12, 10), PaletteRgb(6));
  EXPECT_EQ(preview.pixel(57, 51), PaletteRgb(6));  // last sprite pixel, blank
  EXPECT_EQ(preview.pixel(58, 52), PaletteRgb(6));  // border
}

struct GridCase {
  const char* name;
  bool multiColour;
  bool grid;
  int vertical;
  int horizontal;
};

class EditorGrid : public ::testing::TestWithParam<GridCase> {};

// Counts grid columns on a row inside a cell and grid rows on a column inside a cell.
TEST_P(EditorGrid, LinesSitOnTheLastPixelOfEachCell) {
  const GridCase& c = GetParam();
  SpriteBank bank;
  EditorState state;
  WorkImages images;
  bank.Attribute(0) = c.multiColour ? 0x81 : 0x01;
  RenderSprite(images.SpriteImage, bank, state, 0, false);
  DrawEditorGrid(images.EditorImage, images.SpriteImage, c.multiColour, c.grid);
  const QImage& e = images.EditorImage;
  int vertical = 0;
  for (int x = 0; x < kEditorWidth; ++x) {
    if (e.pixel(x, 3) == kGridLineColour) {
      ++vertical;
      EXPECT_EQ((x + 1) % (c.multiColour ? 16 : 8), 0) << x;
    }
  }
  int horizontal = 0;
  for (int y = 0; y < kEditorHeight; ++y) {
    if (e.pixel(3, y) == kGridLineColour) {
      ++horizontal;
      EXPECT_EQ(y % 8, 7) << y;
    }
  }
  EXPECT_EQ(vertical, c.vertical);
  EXPECT_EQ(horizontal, c.horizontal);
  EXPECT_EQ(e.pixel(0, 0), PaletteRgb(6));
}

INSTANTIATE_TEST_SUITE_P(Modes, EditorGrid,
                         ::testing::Values(GridCase{"hires", false, true, 24, 21},
                                           GridCase{"multicolour", true, true, 12, 21},
                                           GridCase{"off", false, false, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditorZoom, EverySpritePixelIsAnEightByEightBlock) {
  SpriteBank bank;
  EditorState state;
  WorkImages images;
  bank.Attribute(0) = 0x01;
  bank.Sprite(0)[62] = 0x01;  // bottom-right pixel
  RenderSprite(images.SpriteImage, bank, state, 0, false);
  DrawEditorGrid(images.EditorImage, images.SpriteImage, false, false);
  for (int y = 160; y < 168; ++y)
    for (int x = 184; x < 192; ++x) ASSERT_EQ(images.EditorImage.pixel(x, y), PaletteRgb(1));
  EXPECT_EQ(images.EditorImage.pixel(183, 167), PaletteRgb(6));
}

// Each sprite gets its own colour so that a thumbnail tells which sprite it shows.
class BrowserSheetTest : public ::testing::Test {
 protected:
  BrowserSheetTest() {
    for (int n = 0; n < kSpriteCount; ++n) {
      bank.Attribute(n) = static_cast<std::uint8_t>(n % 16);
      for (int i = 0; i < kPixelBytes; ++i) bank.Sprite(n)[i] = 0xFF;
    }
    state.CurrentSprite = -1;  // no number drawn
  }
  int SpriteColourAt(int column, int row) const {
    const ViewPixel corner = kSheetGeometry.Thumbnail({column, row}).Origin();
    return static_cast<int>(sheet.pixel(corner.x + 47, corner.y + 41));
  }
  SpriteBank bank;
  EditorState state;
  WorkImages images;
  QImage sheet = MakeWorkImage(kSheetWidth, kSheetHeight, 0xFFABCDEF);
};

TEST_F(BrowserSheetTest, WindowShowsTheSpritesUnderTheScrollPositions) {
  for (const auto& [top, left] : {std::pair{0, 0}, std::pair{11, 11}, std::pair{3, 7}}) {
    DrawBrowserSheet(sheet, images.SpriteImage, bank, state, top, left);
    for (int r = 0; r < 5; ++r) {
      for (int c = 0; c < 5; ++c) {
        const int n = (top + r) * 16 + left + c;
        EXPECT_EQ(SpriteColourAt(c, r), static_cast<int>(PaletteRgb(n % 16)))
            << "window " << top << "/" << left << " cell " << c << "," << r;
      }
    }
  }
  EXPECT_EQ(BrowserSpriteAt(11, 11, {4, 4}), 255);
  EXPECT_EQ(BrowserSpriteAt(11, 11, {0, 0}), 187);
  EXPECT_EQ(BrowserSpriteAt(0, 0, {4, 4}), 68);
}

TEST_F(BrowserSheetTest, GapsKeepTheirFillAndThumbnailsAreTwiceTheSprite) {
  DrawBrowserSheet(sheet, images.SpriteImage, bank, state, 0, 0);
  EXPECT_EQ(sheet.pixel(48, 10), 0xFFABCDEF);
  EXPECT_EQ(sheet.pixel(10, 42), 0xFFABCDEF);
  EXPECT_EQ(sheet.pixel(49, 0), PaletteRgb(1));
  EXPECT_EQ(sheet.pixel(196 + 47, 172 + 41), PaletteRgb(68 % 16));
}

TEST_F(BrowserSheetTest, OnlyTheCurrentSpriteCarriesItsNumber) {
  for (int n = 0; n < kSpriteCount; ++n) bank.Attribute(n) = 0x00;  // all black
  state.CurrentSprite = 17;
  DrawBrowserSheet(sheet, images.SpriteImage, bank, state, 0, 0);
  auto marked = [&](int c, int r) {
    const ViewPixel corner = kSheetGeometry.Thumbnail({c, r}).Origin();
    int count = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 24; ++x)
        count += sheet.pixel(corner.x + x, corner.y + y) != PaletteRgb(0);
    return count;
  };
  EXPECT_GT(marked(1, 1), 20);
  EXPECT_EQ(marked(0, 0), 0);
  EXPECT_EQ(marked(2, 1), 0);
}

}  // namespace
}  // namespace kelvane
