// Sprite sheets as PNG: what the export draws, that a sheet read back gives the same sprites,
// how the ambiguous cases read, and that every refusal names the cell at fault.
#include <gtest/gtest.h>

#include <QBuffer>
#include <tuple>

#include "model/EditorState.h"
#include "render/C64Palette.h"
#include "render/PngExport.h"
#include "render/PngImport.h"

namespace kelvane {
namespace {

constexpr SharedColours kColours{6, 1, 0};  // blue, white, black

std::uint32_t Next(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 24;
}

// Hi-res and multi-colour sprites by turns, in colours none of the shared ones; each hi-res
// sprite has a single-width pixel, so it cannot pass for multi-colour. Bits 4-6 are 0: a
// picture does not carry them.
std::vector<SpriteRecord> RoundTripSprites(int count, std::uint32_t seed) {
  static constexpr std::array<std::uint8_t, 8> kOwnColours{2, 3, 4, 5, 7, 8, 10, 13};
  std::vector<SpriteRecord> sprites(count);
  for (int k = 0; k < count; ++k) {
    for (int i = 0; i < kPixelBytes; ++i) sprites[k][i] = static_cast<std::uint8_t>(Next(seed));
    const std::uint8_t colour = kOwnColours[k % kOwnColours.size()];
    if (k % 2 == 0) {
      sprites[k][0] = 0x80 | (sprites[k][0] & 0x3F);
      sprites[k][kAttributeOffset] = colour;
    } else {
      sprites[k][kAttributeOffset] = kMultiColourFlag | colour;
    }
  }
  return sprites;
}

Result<SpriteSet> Import(const std::vector<std::uint8_t>& png, PngImportOptions options = {}) {
  return ImportPng(FileImage{"sheet.png", png}, options);
}

using RoundTripCase = std::tuple<int, int>;  // scale, columns
class PngRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTrip, SheetReadsBackAsTheSameSprites) {
  const auto [scale, columns] = GetParam();
  const std::vector<SpriteRecord> sprites = RoundTripSprites(20, scale * 100 + columns);
  const std::vector<std::uint8_t> png = ExportPng(sprites, kColours, {scale, columns, false});
  ASSERT_FALSE(png.empty());

  const auto given = Import(png, {kColours, scale});
  ASSERT_TRUE(given.ok()) << given.error().reason;
  EXPECT_EQ(given->records, sprites);
  EXPECT_EQ(given->colours, kColours);
  EXPECT_EQ(given->format, "png");

  const auto detected = Import(png, {kColours, std::nullopt});
  ASSERT_TRUE(detected.ok()) << detected.error().reason;
  EXPECT_EQ(detected->records, sprites) << "scale detected";
}

INSTANTIATE_TEST_SUITE_P(ScalesAndColumns, PngRoundTrip,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::Values(1, 5, 16)));

TEST(PngRoundTrip, WholeBankReadsBack) {
  const std::vector<SpriteRecord> bank = RoundTripSprites(kSpriteCount, 77);
  const auto back = Import(ExportPng(bank, kColours, {}), {kColours, std::nullopt});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->records, bank);
}

// Sprites drawn in 2 x 2 blocks pass for a sheet at scale 2 by their pixels alone; the scale the
// sheet was marked with brings every one back. A sheet scaled since no longer matches its mark
// and is measured, as any other picture is.
TEST(PngRoundTrip, TheMarkedScaleBeatsACoarserGuess) {
  std::vector<SpriteRecord> sprites(4);
  for (SpriteRecord& sprite : sprites)
    sprite[kAttributeOffset] = kMultiColourFlag | 12;  // grey: none drawn
  sprites[1][0] = sprites[1][kRowBytes] = 0xC0;        // pen 3 in rows 0 and 1
  const std::vector<std::uint8_t> png = ExportPng(sprites, kColours, {1, 2, false});
  const auto back = Import(png, {kColours, std::nullopt});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->records, sprites);

  QImage scaled = QImage::fromData(png.data(), static_cast<int>(png.size()));
  scaled = scaled.scaled(scaled.size() * 2);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(scaled.save(&buffer, "PNG"));
  const auto measured = Import({bytes.begin(), bytes.end()}, {kColours, std::nullopt});
  ASSERT_TRUE(measured.ok()) << measured.error().reason;
  EXPECT_EQ(measured->records.size(), 1u);  // read at scale 4: one cell, 2 x 2 sprites' worth
}

// Colours taken from the sheet: the background is the most frequent, multi-colour 1 and 2 the
// next most frequent in the multi-colour cells, each sprite's own colour rarer than both.
TEST(PngImport, SharedColoursComeFromTheSheetWhenNotGiven) {
  std::vector<SpriteRecord> sprites = RoundTripSprites(8, 5);
  std::uint32_t seed = 9;
  for (int k = 1; k < 8; k += 2) {
    for (int i = 0; i < kPixelBytes; ++i) {
      std::uint8_t byte = 0;
      for (int pair = 0; pair < 4; ++pair) {
        const std::uint32_t roll = Next(seed) % 10;  // 4 : 3 : 2 : 1
        const int pen = roll < 4 ? 0 : roll < 7 ? 1 : roll < 9 ? 3 : 2;
        byte = static_cast<std::uint8_t>(byte << 2 | pen);
      }
      sprites[k][i] = byte;
    }
    sprites[k][0] = 0x20;  // at least one pixel in the sprite's own colour
  }
  const auto back = Import(ExportPng(sprites, kColours, {}));
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->colours, kColours);
  EXPECT_EQ(back->records, sprites);
}

// A paint program's sheet drawn on transparency: the transparent pixels are the background.
TEST(PngImport, TransparentPixelsAreBackground) {
  QImage sheet(kHiresColumns, kSpriteRows, QImage::Format_ARGB32);
  sheet.fill(Qt::transparent);
  sheet.setPixel(3, 2, PaletteRgb(7));
  const auto back = ImportSpriteSheet(sheet, "drawn.png", {});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  ASSERT_EQ(back->records.size(), 1u);
  EXPECT_EQ(back->colours->at(0), kInitialPenColours[kTransparentPen]);
  EXPECT_EQ(back->records[0][kAttributeOffset], 7);  // hi-res, yellow
  EXPECT_EQ(back->records[0][2 * kRowBytes], 0x10);
}

// Near colours snap to the palette; the picture need not be indexed.
TEST(PngImport, PixelsTakeTheNearestPaletteColour) {
  QImage sheet(kHiresColumns, kSpriteRows, QImage::Format_RGB32);
  sheet.fill(qRgb(35, 5, 180));             // near blue
  sheet.setPixel(0, 0, qRgb(150, 45, 20));  // near red
  const auto back = ImportSpriteSheet(sheet, "photo.png", {kColours, std::nullopt});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->records[0][0], 0x80);
  EXPECT_EQ(back->records[0][kAttributeOffset], 2);
}

// Multi-colour pixels are two columns wide, in the four pens' colours, scaled as asked.
TEST(PngExport, DrawsPensInThePaletteColoursAtTheScale) {
  SpriteRecord sprite{};
  sprite[0] = 0x1B;  // pens 0, 1, 2, 3
  sprite[kAttributeOffset] = kMultiColourFlag | 2;
  const std::vector<SpriteRecord> sprites{sprite};
  QImage sheet;
  const std::vector<std::uint8_t> png = ExportPng(sprites, kColours, {2, 1, false});
  ASSERT_TRUE(sheet.loadFromData(QByteArrayView(png.data(), static_cast<qsizetype>(png.size()))));
  ASSERT_EQ(sheet.size(), QSize(48, 42));
  const std::array<QRgb, 4> pens{PaletteRgb(6), PaletteRgb(1), PaletteRgb(2), PaletteRgb(0)};
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 2; ++y) EXPECT_EQ(sheet.pixel(x, y), pens[x / 4]) << x << "," << y;
  }
  EXPECT_EQ(sheet.pixel(16, 0), PaletteRgb(6));
  EXPECT_EQ(sheet.pixel(0, 2), PaletteRgb(6));
}

// Expanded sprites fill cells twice as wide or tall; what they leave over is transparent.
TEST(PngExport, ExpandedSpritesDoubleTheCells) {
  std::vector<SpriteRecord> sprites(3);
  for (SpriteRecord& sprite : sprites) sprite.fill(0xFF);  // hi-res, every pixel set
  sprites[0][kAttributeOffset] = kExpandXFlag | 2;
  sprites[1][kAttributeOffset] = kExpandYFlag | 3;
  sprites[2][kAttributeOffset] = 4;

  EXPECT_EQ(RenderSpriteSheet(sprites, kColours, {1, 3, false}).size(), QSize(72, 21));
  const QImage sheet = RenderSpriteSheet(sprites, kColours, {1, 3, true});
  ASSERT_EQ(sheet.size(), QSize(3 * 48, 42));
  auto colourAt = [&sheet](int x, int y) { return sheet.pixel(x, y); };
  EXPECT_EQ(colourAt(47, 20), PaletteRgb(2));  // X-expanded: 48 wide, 21 tall
  EXPECT_EQ(qAlpha(colourAt(0, 21)), 0);
  EXPECT_EQ(colourAt(48 + 23, 41), PaletteRgb(3));  // Y-expanded: 24 wide, 42 tall
  EXPECT_EQ(qAlpha(colourAt(48 + 24, 0)), 0);
  EXPECT_EQ(colourAt(96 + 23, 20), PaletteRgb(4));  // not expanded
  EXPECT_EQ(qAlpha(colourAt(96 + 24, 0)), 0);
  EXPECT_EQ(qAlpha(colourAt(96, 21)), 0);
}

// Trailing cells the export leaves empty are not sprites; empty cells before a sprite are.
TEST(PngImport, OnlyTrailingEmptyCellsAreDropped) {
  const std::vector<SpriteRecord> sprites = RoundTripSprites(3, 1);
  const auto back = Import(ExportPng(sprites, kColours, {1, 16, false}), {kColours, 1});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->records.size(), 3u);

  QImage sheet(2 * kHiresColumns, kSpriteRows, QImage::Format_ARGB32);
  sheet.fill(Qt::transparent);
  sheet.setPixel(kHiresColumns + 1, 0, PaletteRgb(5));
  const auto gap = ImportSpriteSheet(sheet, "gap.png", {kColours, 1});
  ASSERT_TRUE(gap.ok()) << gap.error().reason;
  ASSERT_EQ(gap->records.size(), 2u);
  SpriteRecord blank{};
  blank[kAttributeOffset] = kDefaultAttribute;
  EXPECT_EQ(gap->records[0], blank);
}

// The documented readings of what a picture cannot tell apart.
TEST(PngImport, AmbiguousCellsReadAsDocumented) {
  // A hi-res sprite drawn only in pixel pairs is multi-colour: the same picture, pen 2 bytes.
  SpriteRecord pairs{};
  pairs[0] = 0xCC;
  pairs[1] = 0x3C;
  pairs[kAttributeOffset] = 5;
  // A multi-colour sprite using only the shared colours cannot show its own colour.
  SpriteRecord sharedOnly{};
  sharedOnly[0] = 0x4C;  // pens 1, 0, 3, 0
  sharedOnly[kAttributeOffset] = kMultiColourFlag | 9;
  const std::vector<SpriteRecord> sprites{pairs, sharedOnly};
  const auto back = Import(ExportPng(sprites, kColours, {}), {kColours, 1});
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(back->records[0][kAttributeOffset], kMultiColourFlag | 5);
  EXPECT_EQ(back->records[0][0], 0x88);
  EXPECT_EQ(back->records[0][1], 0x28);
  EXPECT_EQ(back->records[1][0], 0x4C);
  EXPECT_EQ(back->records[1][kAttributeOffset], kDefaultAttribute);
  EXPECT_EQ(RenderSpriteSheet(back->records, kColours, {}),
            RenderSpriteSheet(std::vector<SpriteRecord>{pairs, sharedOnly}, kColours, {}));
}

QImage BlueSheet(int cells) {
  QImage sheet(cells * kHiresColumns, kSpriteRows, QImage::Format_ARGB32);
  sheet.fill(PaletteRgb(6));
  return sheet;
}

std::vector<std::uint8_t> PngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.begin(), bytes.end()};
}

struct Refusal {
  std::string name;
  std::vector<std::uint8_t> file;
  PngImportOptions options;
  std::string reason;  // the start of the message
};

class PngRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(PngRefusal, NamesTheFileAndTheCell) {
  const auto result = Import(GetParam().file, GetParam().options);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().file, "sheet.png");
  EXPECT_EQ(result.error().problem, FileProblem::Format);
  EXPECT_TRUE(result.error().reason.starts_with(GetParam().reason)) << result.error().reason;
}

std::vector<Refusal> Refusals() {
  std::vector<Refusal> refusals;
  const std::string gif = "GIF89a and more";
  refusals.push_back({"NotPng", {gif.begin(), gif.end()}, {}, "not a PNG picture"});
  std::vector<std::uint8_t> damaged = PngOf(BlueSheet(1));
  damaged.resize(40);
  refusals.push_back({"Damaged", damaged, {}, "the PNG picture is damaged"});
  QImage odd(25, 21, QImage::Format_RGB32);
  odd.fill(PaletteRgb(6));
  refusals.push_back({"NotWholeCells",
                      PngOf(odd),
                      {},
                      "the picture is 25 x 21 pixels, not a whole number of 24 x 21 cells"});
  refusals.push_back(
      {"NotWholeCellsAtScale",
       PngOf(BlueSheet(2)),
       {kColours, 3},
       "the picture is 48 x 21 pixels, not a whole number of 24 x 21 cells at scale 3"});

  QImage broken = RenderSpriteSheet(RoundTripSprites(2, 3), kColours, {2, 2, false});
  broken.setPixel(48 + 5, 7, 15);  // light grey, in no sprite, inside a 2 x 2 block of cell 1
  refusals.push_back({"BlockOfTwoColours",
                      PngOf(broken),
                      {kColours, 2},
                      "cell 1 (column 1, row 0): the pixel at 53, 7 differs"});

  QImage hires = BlueSheet(2);
  hires.setPixel(24 + 3, 4, PaletteRgb(2));
  hires.setPixel(24 + 8, 9, PaletteRgb(3));
  refusals.push_back({"HiresOfThreeColours",
                      PngOf(hires),
                      {kColours, 1},
                      "cell 1 (column 1, row 0) is hi-res (the pixel at 26, 4 is single-width) but "
                      "has more than one colour besides the background: red (2) and cyan (3)"});

  QImage multi = BlueSheet(3);
  for (int x : {48 + 2, 48 + 3}) multi.setPixel(x, 20, PaletteRgb(4));
  for (int x : {48 + 6, 48 + 7}) multi.setPixel(x, 20, PaletteRgb(5));
  refusals.push_back({"MultiColourOfTwoOwnColours",
                      PngOf(multi),
                      {kColours, 1},
                      "cell 2 (column 2, row 0) is multi-colour but has more than one colour "
                      "besides the shared ones: purple (4) and green (5)"});

  QImage clear(24, 21, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  refusals.push_back({"NoSprite", PngOf(clear), {}, "every cell is transparent"});
  return refusals;
}

INSTANTIATE_TEST_SUITE_P(PngImport, PngRefusal, ::testing::ValuesIn(Refusals()),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                           return info.param.name;
                         });

TEST(PngExport, RefusesOptionsOutOfRange) {
  const std::vector<SpriteRecord> one(1);
  EXPECT_EQ(PngExportProblem({}, one), "");
  EXPECT_NE(PngExportProblem({}, {}), "");
  EXPECT_NE(PngExportProblem({0, 16, false}, one), "");
  EXPECT_NE(PngExportProblem({kMaxPngScale + 1, 16, false}, one), "");
  EXPECT_NE(PngExportProblem({1, 0, false}, one), "");
}

// Sheets past a side PNG writers take or the memory bound are refused before any is drawn,
// naming the size and the limit; expanded cells count as drawn.
TEST(PngExport, RefusesASheetTooLargeToWrite) {
  std::vector<SpriteRecord> sprites(0xFFFF);
  const std::tuple<PngExportOptions, std::uint8_t, std::string> cases[] = {
      {{16, 256, false}, 0, "98304 x 86016 pixels would take 8064 MiB, more than the 512 MiB"},
      {{16, 1, false}, 0, "384 x 22019760 pixels is more than a PNG writer takes"},
      {{1, 16, false}, 0, ""},
      {{4, 256, true}, 0, ""},
      {{4, 256, true}, kExpandXFlag | kExpandYFlag, "49152 x 43008 pixels would take 2016 MiB"}};
  for (const auto& [options, attribute, says] : cases) {
    sprites[7][kAttributeOffset] = attribute;
    const std::string problem = PngExportProblem(options, sprites);
    EXPECT_EQ(problem.empty(), says.empty()) << problem;
    EXPECT_NE(problem.find(says), std::string::npos) << problem;
  }
}

}  // namespace
}  // namespace kelvane
