#include <gtest/gtest.h>

#include <vector>

#include "render/C64Palette.h"
#include "render/OnionSkin.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

TEST(OnionSkin, BlendsChannelByChannelRounded) {
  const struct {
    QRgb under, over;
    int percent;
    QRgb blended;
  } cases[] = {{qRgb(0, 0, 0), qRgb(255, 255, 255), 15, qRgb(38, 38, 38)},
               {qRgb(0, 0, 0), qRgb(255, 100, 0), 60, qRgb(153, 60, 0)},
               {qRgb(200, 10, 50), qRgb(0, 110, 50), 30, qRgb(140, 40, 50)}};
  for (const auto& c : cases) EXPECT_EQ(BlendOver(c.under, c.over, c.percent), c.blended);
}

// Row 0 of hi-res sprites: the shown one (0) sets column 0, frame 1 columns 0-1, frame 2
// columns 1-2; a multi-colour frame 3 sets its first double pixel (columns 0-1) in multi-colour 1.
TEST(OnionSkin, FramesShowFaintlyOnlyWhereTheShownSpriteIsTransparent) {
  SpriteBank bank;
  const std::uint8_t bytes[] = {0x80, 0xC0, 0x60, 0x40};
  const std::uint8_t attributes[] = {0x01, 0x02, 0x05, 0x87};  // white, red, green, multi yellow
  for (int n = 0; n < 4; ++n) {
    bank.Sprite(n)[0] = bytes[n];
    bank.Attribute(n) = attributes[n];
  }
  const EditorState state;  // background blue (6), multi-colour 1 white (1)
  const QRgb background = PaletteRgb(state.PenColours[kTransparentPen]);
  const QRgb red = BlendOver(background, PaletteRgb(2), 30);
  const struct {
    std::vector<int> frames;
    int percent;
    std::vector<QRgb> row;  // columns 0-3
  } cases[] = {
      {{}, 30, {PaletteRgb(1), background, background, background}},
      {{1}, 30, {PaletteRgb(1), red, background, background}},
      {{1}, 60, {PaletteRgb(1), BlendOver(background, PaletteRgb(2), 60), background, background}},
      {{1, 2},
       30,
       {PaletteRgb(1), BlendOver(red, PaletteRgb(5), 30), BlendOver(background, PaletteRgb(5), 30),
        background}},
      {{3}, 45, {PaletteRgb(1), BlendOver(background, PaletteRgb(1), 45), background, background}},
  };
  for (const auto& c : cases) {
    QImage image = MakeWorkImage(kHiresColumns, kSpriteRows, 0);
    RenderSprite(image, bank, state, 0, false);
    DrawOnionSkin(image, bank, state, 0, c.frames, c.percent);
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(image.pixel(x, 0), c.row[x]) << c.frames.size() << " frames, column " << x;
    }
    EXPECT_EQ(image.pixel(0, 1), background);
  }
}

}  // namespace
}  // namespace kelvane
