// An object's canvas with partners over some of its cells: drawn whole, and again for one sprite
// wherever it shows, over another or on its own.
#include <gtest/gtest.h>

#include "model/EditorState.h"
#include "render/C64Palette.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

TEST(ObjectCanvas, PartnersAreDrawnOverTheirCellsAndRedrawnWhereverTheyShow) {
  SpriteBank bank;
  bank.Clear();
  bank.Sprite(0)[0] = 0xFF;  // white hi-res, columns 0-7
  bank.Attribute(0) = kOverlayFlag | 0x01;
  bank.Sprite(2)[0] = 0xF0;  // black hi-res, columns 0-3: over sprite 0, and a cell of its own
  bank.Attribute(2) = 0x00;
  EditorState state;
  state.PenColours = {6, 1, 2, 0};
  const SpriteCanvas canvas(2, 1, {{0, 2}, {2, kNoSprite}});
  const QRgb faintWhite = qRgb((255 + 30) / 2, (255 + 0) / 2, (255 + 184) / 2);  // over blue

  QImage image = MakeWorkImage(canvas.Width(), canvas.Height(), 0);
  RenderCanvas(image, bank, state, canvas, {1, FaintLayer::Lower});
  // Only a composed cell has a layer to draw faint.
  const int whole[] = {0, 4, 24, 28};
  const QRgb wholeColours[] = {PaletteRgb(0), faintWhite, PaletteRgb(0), PaletteRgb(6)};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(image.pixel(whole[k], 0), wholeColours[k]) << whole[k];

  bank.Sprite(2)[0] = 0x0F;
  RenderCanvasSprite(image, bank, state, canvas, 2, {1, FaintLayer::None});
  const QRgb partColours[] = {PaletteRgb(1), PaletteRgb(0), PaletteRgb(6), PaletteRgb(0)};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(image.pixel(whole[k], 0), partColours[k]) << whole[k];
}

}  // namespace
}  // namespace kelvane
