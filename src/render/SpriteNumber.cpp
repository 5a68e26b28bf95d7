#include "render/SpriteNumber.h"

#include <QFontDatabase>
#include <QPainter>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "model/C64Format.h"
#include "render/WorkImages.h"

namespace kelvane {
namespace {

constexpr int kNumberFontPixels = 10;

const QFont& NumberFont() {
  static const QFont font = [] {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(kNumberFontPixels);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
  }();
  return font;
}

// The pixels QPainter writes for one number, kept as runs along the rows. Laying the text out
// costs more than drawing all 25 thumbnails of the browser, and the browser shows a number on
// every redraw; what the painter writes depends on nothing but the number, so each number is
// painted once and its pixels replayed afterwards.
struct Stamp {
  struct Run {
    int y;
    int x;
    int length;
    std::size_t first;  // into colours
  };
  std::vector<Run> runs;
  std::vector<QRgb> colours;
};

// Painted over two backgrounds: a pixel the painter writes comes out the same over both, a
// pixel it leaves alone keeps each background. Anything else is a blend with what lies below,
// which a replay could not reproduce, and then the number is painted every time instead.
std::optional<Stamp> MakeStamp(int number) {
  constexpr QRgb kFirst = 0xFF0F1E2D;
  constexpr QRgb kSecond = 0xFFF0E1D2;
  QImage first = MakeWorkImage(kHiresColumns, kSpriteRows, kFirst);
  QImage second = MakeWorkImage(kHiresColumns, kSpriteRows, kSecond);
  PaintSpriteNumber(first, number);
  PaintSpriteNumber(second, number);
  Stamp stamp;
  for (int y = 0; y < kSpriteRows; ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(first.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(second.constScanLine(y));
    for (int x = 0; x < kHiresColumns; ++x) {
      if (a[x] == kFirst && b[x] == kSecond) continue;  // left alone
      if (a[x] != b[x]) return std::nullopt;
      Stamp::Run* run = stamp.runs.empty() ? nullptr : &stamp.runs.back();
      if (!run || run->y != y || run->x + run->length != x) {
        run = &stamp.runs.emplace_back(Stamp::Run{y, x, 0, stamp.colours.size()});
      }
      ++run->length;
      stamp.colours.push_back(a[x]);
    }
  }
  return stamp;
}

// nullptr when the number has to be painted.
const Stamp* StampFor(int number) {
  // One slot per sprite number, filled on first use; the user-interface thread is the only
  // one that draws.
  struct Slot {
    bool made = false;
    std::optional<Stamp> stamp;
  };
  static std::array<Slot, kSpriteCount> cache;
  if (number < 0 || number >= kSpriteCount) return nullptr;
  Slot& slot = cache[number];
  if (!slot.made) {
    slot.stamp = MakeStamp(number);
    slot.made = true;
  }
  return slot.stamp ? &*slot.stamp : nullptr;
}

}  // namespace

void PaintSpriteNumber(QImage& spriteImage, int number) {
  QPainter painter(&spriteImage);
  painter.setFont(NumberFont());
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 0, spriteImage.width(), spriteImage.height()),
                   Qt::AlignLeft | Qt::AlignTop, QString::number(number));
}

void WriteSpriteNumber(QImage& spriteImage, int number) {
  const Stamp* stamp = spriteImage.width() == kHiresColumns &&
                               spriteImage.height() == kSpriteRows &&
                               spriteImage.format() == QImage::Format_RGB32
                           ? StampFor(number)
                           : nullptr;
  if (!stamp) {
    PaintSpriteNumber(spriteImage, number);
    return;
  }
  uchar* bits = spriteImage.bits();
  const qsizetype stride = spriteImage.bytesPerLine();
  for (const Stamp::Run& run : stamp->runs) {
    auto* row = reinterpret_cast<QRgb*>(bits + run.y * stride);
    std::memcpy(row + run.x, &stamp->colours[run.first], run.length * sizeof(QRgb));
  }
}

}  // namespace kelvane
