// The glyph pictures on a scaled screen: drawn at its device pixel ratio, never scaled up.
#include <gtest/gtest.h>

#include <cmath>

#include "ui/GlyphArt.h"
#include "ui/GlyphImageList.h"

namespace kelvane::test {
namespace {

class GlyphRatio : public ::testing::TestWithParam<qreal> {};

TEST_P(GlyphRatio, PicturesAreDrawnAtTheScreensRatioAndShownAsDrawn) {
  const qreal ratio = GetParam();
  const GlyphImageList scaled(ratio);
  const GlyphImageList plain(1);
  const int pixels = static_cast<int>(std::ceil(kGlyphSize * ratio));
  ImageControl button(nullptr, kGlyphSize, kGlyphSize, kGlyphBackground.rgb());
  for (int k = 0; k < 2 * kGlyphButtons; ++k) {
    const QImage& picture = scaled.Picture(k);
    EXPECT_EQ(picture.size(), QSize(pixels, pixels)) << k;
    EXPECT_EQ(picture.devicePixelRatio(), ratio) << k;
    // Blown up from 24 x 24, every stroke would be a block of whole 24-pixel cells.
    const QImage blownUp =
        plain.Picture(k).scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_NE(picture.convertToFormat(QImage::Format_RGB32), blownUp) << k;
    scaled.Draw(button, 0, 0, k);
    EXPECT_EQ(button.Picture(), picture) << k;
    EXPECT_EQ(button.size(), QSize(kGlyphSize, kGlyphSize));
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, GlyphRatio, ::testing::Values(1.5, 2.0));

}  // namespace
}  // namespace kelvane::test
