// The icon as drawn from its SVG: the PNG sizes the theme gets, and the one the window shows.
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

namespace {

QString ThemeIcon(int size) {
  return QStringLiteral(KELVANE_ICON_THEME_DIR "/%1x%1/apps/kelvane.png").arg(size);
}

// Colours of single grid cells in data/icons/kelvane.svg, whose view box is 16 units wide.
struct Cell {
  int x, y;
  QRgb colour;
};
const Cell kCells[] = {
    {8, 0, 0xff6c5eb5},   // frame
    {8, 1, 0xff352879},   // screen
    {7, 2, 0xffff7777},   // nose
    {7, 5, 0xff70a4b2},   // window
    {6, 9, 0xffbbbbbb},   // hull
    {4, 10, 0xffff7777},  // fin
    {7, 13, 0xffdd8855},  // flame
    {12, 3, 0xffffffff},  // star
    {1, 12, 0xff352879},  // screen, inside the rounded corner
};

class ThemeIcons : public ::testing::TestWithParam<int> {};

TEST_P(ThemeIcons, AreSquareAndDrawTheGridCellsCrisp) {
  const int size = GetParam();
  const QImage image(ThemeIcon(size));
  ASSERT_FALSE(image.isNull()) << ThemeIcon(size).toStdString();
  ASSERT_EQ(image.size(), QSize(size, size));
  const int cell = size / 16;
  for (const Cell& c : kCells) {
    // Every pixel of the cell, not only its middle: a cell that bleeds into its neighbour shows
    // at the edges.
    for (int y = c.y * cell; y < (c.y + 1) * cell; ++y) {
      for (int x = c.x * cell; x < (c.x + 1) * cell; ++x) {
        ASSERT_EQ(QColor::fromRgba(image.pixel(x, y)).name(QColor::HexArgb),
                  QColor::fromRgba(c.colour).name(QColor::HexArgb))
            << "cell " << c.x << "," << c.y << " at pixel " << x << "," << y;
      }
    }
  }
  // The rounded frame leaves the very corner see-through.
  EXPECT_LT(qAlpha(image.pixel(0, 0)), 64);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThemeIcons, ::testing::Values(16, 32, 48, 64, 128, 256));

TEST(WindowIcon, IsCompiledIntoTheProgramAndIsThe64PixelThemeIcon) {
  const QImage compiled(QStringLiteral(":/icons/kelvane.png"));
  ASSERT_FALSE(compiled.isNull());
  EXPECT_EQ(compiled.size(), QSize(64, 64));

  QFile themeFile(ThemeIcon(64));
  QFile compiledFile(QStringLiteral(":/icons/kelvane.png"));
  ASSERT_TRUE(themeFile.open(QIODevice::ReadOnly));
  ASSERT_TRUE(compiledFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(compiledFile.readAll(), themeFile.readAll());
}

}  // namespace
