// Photographs the real main window for the software-centre listing, at build time and without a
// display: a demo bank is written as a .spr file with its .inf sidecar and opened the way a user
// opens one, so the pictures show what the program draws and follow it when the window changes.
//
// Usage: kelvane_screenshot EDITOR.png BROWSER.png
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "model/C64Format.h"
#include "ui/TForm1.h"

namespace {

using kelvane::kSpriteBytes;
using Record = std::array<std::uint8_t, kSpriteBytes>;

// Colour numbers of the C64 palette.
constexpr std::uint8_t kBlue = 6;
constexpr std::uint8_t kWhite = 1;
constexpr std::uint8_t kRed = 2;
constexpr std::uint8_t kCyan = 3;
constexpr std::uint8_t kYellow = 7;
constexpr std::uint8_t kOrange = 8;
constexpr std::uint8_t kLightGreen = 13;
constexpr std::uint8_t kLightGrey = 15;
// The sidecar: background, multi-colour 1, multi-colour 2.
constexpr std::array<std::uint8_t, 3> kSharedColours{kBlue, kWhite, kLightGrey};

// What a two-bit multi-colour pixel shows; 00, the background, is what the bank starts with.
constexpr std::uint8_t kMultiColour1Bits = 0b01;
constexpr std::uint8_t kSpriteColourBits = 0b10;
constexpr std::uint8_t kMultiColour2Bits = 0b11;

constexpr int kFramesPerSequence = 8;
// Each sequence starts a row of the browser's 16-wide sheet, so its first frames are in view.
constexpr int kSheetColumns = 16;
// A window that drew nothing but its frame has a handful of colours; the demo bank adds many.
constexpr int kLeastColoursOfADrawnWindow = 12;

// Distances in hi-res pixels from the sprite's centre.
double FromCentreX(double x) {
  return x - kelvane::kHiresColumns / 2.0;
}
double FromCentreY(int row) {
  return row + 0.5 - kelvane::kSpriteRows / 2.0;
}

void SetMultiColourPixel(Record& record, int column, int row, std::uint8_t bits) {
  constexpr int kPixelsPerByte = kelvane::kBitsPerByte / 2;
  const int shift = 2 * (kPixelsPerByte - 1 - column % kPixelsPerByte);
  record[row * kelvane::kRowBytes + column / kPixelsPerByte] |= bits << shift;
}

void SetHiresPixel(Record& record, int column, int row) {
  constexpr std::uint8_t kLeftmostPixel = 0x80;
  record[row * kelvane::kRowBytes + column / kelvane::kBitsPerByte] |=
      kLeftmostPixel >> (column % kelvane::kBitsPerByte);
}

// A striped ball whose stripes turn by a sixteenth of a circle a frame, lit from the upper left.
Record RollingBall(int frame) {
  Record record{};
  const double angle = frame * std::numbers::pi / kFramesPerSequence;
  for (int row = 0; row < kelvane::kSpriteRows; ++row) {
    for (int column = 0; column < kelvane::kMultiColumns; ++column) {
      const double x = FromCentreX(2 * column + 1);
      const double y = FromCentreY(row);
      if (std::hypot(x, y) > 10) continue;
      const auto stripe =
          static_cast<int>(std::floor((x * std::cos(angle) + y * std::sin(angle)) / 4));
      const bool highlight = std::hypot(x + 4, y + 4) < 3;
      SetMultiColourPixel(record, column, row,
                          highlight         ? kMultiColour1Bits
                          : stripe % 2 != 0 ? kMultiColour2Bits
                                            : kSpriteColourBits);
    }
  }
  record[kelvane::kAttributeOffset] = kelvane::kMultiColourFlag | kRed;
  return record;
}

// A radar screen whose beam turns by an eighth of a circle a frame.
Record RadarSweep(int frame) {
  Record record{};
  const double angle = frame * 2 * std::numbers::pi / kFramesPerSequence;
  const double beamX = std::cos(angle);
  const double beamY = std::sin(angle);
  for (int row = 0; row < kelvane::kSpriteRows; ++row) {
    for (int column = 0; column < kelvane::kHiresColumns; ++column) {
      const double x = FromCentreX(column + 0.5);
      const double y = FromCentreY(row);
      const double along = x * beamX + y * beamY;
      const double across = std::abs(x * beamY - y * beamX);
      const bool rim = std::abs(std::hypot(x, y) - 9.5) < 0.7;
      const bool beam = along >= 0 && along < 9 && across < 0.6;
      if (rim || beam) SetHiresPixel(record, column, row);
    }
  }
  record[kelvane::kAttributeOffset] = kLightGreen;
  return record;
}

// A gem that swells and shrinks, its facets in the three sprite pens.
Record PulsingGem(int frame) {
  Record record{};
  const double size = 5 + 4 * std::sin(frame * 2 * std::numbers::pi / kFramesPerSequence);
  for (int row = 0; row < kelvane::kSpriteRows; ++row) {
    for (int column = 0; column < kelvane::kMultiColumns; ++column) {
      const double x = FromCentreX(2 * column + 1) / 2;
      const double y = FromCentreY(row);
      if (std::abs(x) + std::abs(y) > size) continue;
      const std::uint8_t bits = x < 0 ? (y < 0 ? kMultiColour1Bits : kSpriteColourBits)
                                      : (y < 0 ? kSpriteColourBits : kMultiColour2Bits);
      SetMultiColourPixel(record, column, row, bits);
    }
  }
  record[kelvane::kAttributeOffset] = kelvane::kMultiColourFlag | kYellow;
  return record;
}

// A wave scrolling left by three pixels a frame.
Record SineWave(int frame) {
  Record record{};
  int previousRow = -1;
  for (int column = 0; column < kelvane::kHiresColumns; ++column) {
    const double phase = (column + 3 * frame) * 2 * std::numbers::pi / kelvane::kHiresColumns;
    const int row = static_cast<int>(std::lround(kelvane::kSpriteRows / 2 + 7 * std::sin(phase)));
    // Joined to the last column's point, so the line has no gaps where it is steep.
    const int from = previousRow < 0 ? row : std::min(row, previousRow + 1);
    const int to = previousRow < 0 ? row : std::max(row, previousRow - 1);
    for (int r = std::min(from, to); r <= std::max(from, to); ++r) SetHiresPixel(record, column, r);
    previousRow = row;
  }
  record[kelvane::kAttributeOffset] = kCyan;
  return record;
}

// An explosion growing from the centre in rings of the three sprite pens.
Record Explosion(int frame) {
  Record record{};
  const double radius = 2 + 1.2 * frame;
  constexpr std::array<std::uint8_t, 3> kRings{kMultiColour1Bits, kSpriteColourBits,
                                               kMultiColour2Bits};
  for (int row = 0; row < kelvane::kSpriteRows; ++row) {
    for (int column = 0; column < kelvane::kMultiColumns; ++column) {
      const double distance =
          std::hypot(FromCentreX(2 * column + 1), FromCentreY(row)) + (column + row) % 2;
      if (distance > radius) continue;
      const auto ring = static_cast<std::size_t>((radius - distance) / 2) % kRings.size();
      SetMultiColourPixel(record, column, row, kRings[ring]);
    }
  }
  record[kelvane::kAttributeOffset] = kelvane::kMultiColourFlag | kOrange;
  return record;
}

std::vector<std::uint8_t> DemoBank() {
  constexpr std::array<Record (*)(int), 5> kSequences{RollingBall, RadarSweep, PulsingGem, SineWave,
                                                      Explosion};
  std::vector<std::uint8_t> bytes;
  for (Record (*sequence)(int) : kSequences) {
    for (int frame = 0; frame < kSheetColumns; ++frame) {
      const Record record = frame < kFramesPerSequence ? sequence(frame) : Record{};
      bytes.insert(bytes.end(), record.begin(), record.end());
    }
  }
  return bytes;
}

bool WriteFile(const QString& path, const char* data, qint64 size) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data, size) == size && file.flush();
}

int CountColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) colours.insert(line[x]);
  }
  return static_cast<int>(colours.size());
}

bool Save(QWidget& window, const QString& path) {
  QApplication::processEvents();
  const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int colours = CountColours(image);
  if (colours < kLeastColoursOfADrawnWindow) {
    std::fprintf(stderr, "kelvane_screenshot: the window shows only %d colours; not saving %s\n",
                 colours, qPrintable(path));
    return false;
  }
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "kelvane_screenshot: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: kelvane_screenshot EDITOR.png BROWSER.png\n", stderr);
    return 2;
  }
  // Built on machines without a display, the pictures never depend on one.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString editorPath = QString::fromLocal8Bit(argv[1]);
  const QString browserPath = QString::fromLocal8Bit(argv[2]);

  QTemporaryDir folder;
  const QString bankPath = folder.filePath(QStringLiteral("demo.spr"));
  const std::vector<std::uint8_t> bank = DemoBank();
  if (!folder.isValid() ||
      !WriteFile(bankPath, reinterpret_cast<const char*>(bank.data()),
                 static_cast<qint64>(bank.size())) ||
      !WriteFile(bankPath + QStringLiteral(".inf"),
                 reinterpret_cast<const char*>(kSharedColours.data()), kSharedColours.size())) {
    std::fputs("kelvane_screenshot: cannot write the demo bank\n", stderr);
    return 1;
  }

  // A message box at start-up means the window refused the bank; a build must fail, not wait.
  QTimer::singleShot(0, [] {
    if (QApplication::activeModalWidget()) {
      std::fputs("kelvane_screenshot: the window refused the demo bank\n", stderr);
      std::_Exit(EXIT_FAILURE);
    }
  });
  kelvane::TForm1 window({bankPath});
  window.show();
  // Opening a file shows the bank; the editor page shows its first sprite.
  if (!Save(window, browserPath)) return EXIT_FAILURE;
  window.PageControl1->setCurrentWidget(window.TabSheet1);
  return Save(window, editorPath) ? EXIT_SUCCESS : EXIT_FAILURE;
}
