// A pair drawn the same way wherever it shows: the thumbnail, the editor's canvas and a PNG.
#include <gtest/gtest.h>

#include <array>

#include "model/EditorState.h"
#include "render/C64Palette.h"
#include "render/PngExport.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

// Shared colours: background 6, multi-colour 1 is 1, multi-colour 2 is 0.
constexpr SharedColours kSheetColours{6, 1, 0};

struct Sprite {
  std::uint8_t attribute;
  std::uint8_t firstByte;  // of row 0; the rest of the sprite is blank
};

TEST(OverlayComposition, PartnerPixelsInTheirOwnPensOverTheLowerSprite) {
  const struct {
    const char* what;
    int lower;
    Sprite base;
    int distance;
    Sprite partner;  // sprite lower + distance, where there is one
    int columns[8];  // palette colour of row 0's first eight columns
  } cases[] = {
      // Green multi-colour (pairs MC1, own, MC2, none) under black hi-res; white hi-res under
      // light red multi-colour (pairs none, own, MC1, none).
      {"hi-res over multi", 4, {0x95, 0x6C}, 1, {0x00, 0x82}, {0, 1, 5, 5, 0, 0, 0, 6}},
      {"multi over hi-res", 4, {0x11, 0xF0}, 1, {0x8A, 0x24}, {1, 1, 10, 10, 1, 1, 6, 6}},
      {"distance 2", 8, {0x95, 0x6C}, 2, {0x00, 0x82}, {0, 1, 5, 5, 0, 0, 0, 6}},
      {"no bit: alone", 4, {0x85, 0x6C}, 1, {0x00, 0x82}, {1, 1, 5, 5, 0, 0, 6, 6}},
      {"partner past 255: alone", 255, {0x95, 0x6C}, 1, {}, {1, 1, 5, 5, 0, 0, 6, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SpriteBank bank;
    bank.Clear();
    bank.Sprite(c.lower)[0] = c.base.firstByte;
    bank.Attribute(c.lower) = c.base.attribute;
    const int upper = c.lower + c.distance;
    if (upper < kSpriteCount) {
      bank.Sprite(upper)[0] = c.partner.firstByte;
      bank.Attribute(upper) = c.partner.attribute;
      // Sprites between the two play no part.
      if (c.distance > 1) bank.Sprite(c.lower + 1)[0] = 0xFF;
    }
    EditorState state;
    state.PenColours = {kSheetColours[0], kSheetColours[1], 2, kSheetColours[2]};

    WorkImages images;
    RenderSprite(images.SpriteImage, bank, state, c.lower, false, {c.distance});
    QImage canvasImage = MakeWorkImage(kHiresColumns, kSpriteRows, 0);
    RenderCanvas(canvasImage, bank, state, SpriteCanvas::Single(c.lower), {c.distance});
    std::vector<SpriteRecord> records;
    for (int n = c.lower; n < kSpriteCount && n <= upper; ++n) records.push_back(bank.Record(n));
    const QImage sheet = RenderSpriteSheet(records, kSheetColours, {.overlayDistance = c.distance});
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(images.SpriteImage.pixel(x, 0), PaletteRgb(c.columns[x])) << "thumbnail " << x;
      EXPECT_EQ(canvasImage.pixel(x, 0), PaletteRgb(c.columns[x])) << "canvas " << x;
      EXPECT_EQ(sheet.pixelIndex(x, 0), c.columns[x]) << "sheet " << x;
    }
  }
}

TEST(OverlayComposition, TheLayerNotEditedIsDrawnHalfwayToTheBackground) {
  SpriteBank bank;
  bank.Clear();
  bank.Sprite(0)[0] = 0b11000000;  // lower: columns 0-1, white
  bank.Attribute(0) = 0x11;
  bank.Sprite(1)[0] = 0b01100000;  // upper: columns 1-2, black
  EditorState state;
  state.PenColours = {6, 1, 2, 0};
  const QRgb faintWhite = qRgb((255 + 30) / 2, (255 + 0) / 2, (255 + 184) / 2);  // over blue
  const QRgb faintBlack = qRgb(30 / 2, 0, 184 / 2);
  const struct {
    FaintLayer faint;
    std::array<QRgb, 4> columns;
  } cases[] = {
      {FaintLayer::None, {PaletteRgb(1), PaletteRgb(0), PaletteRgb(0), PaletteRgb(6)}},
      {FaintLayer::Lower, {faintWhite, PaletteRgb(0), PaletteRgb(0), PaletteRgb(6)}},
      {FaintLayer::Upper, {PaletteRgb(1), faintBlack, faintBlack, PaletteRgb(6)}},
  };
  for (const auto& c : cases) {
    QImage image = MakeWorkImage(kHiresColumns, kSpriteRows, 0);
    RenderCanvas(image, bank, state, SpriteCanvas(1, 1, {{0}, {1}}), {0, c.faint});
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(image.pixel(x, 0), c.columns[x]) << static_cast<int>(c.faint) << " " << x;
    }
  }
}

}  // namespace
}  // namespace kelvane
