#include "render/SpriteRendering.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstring>

#include "model/PlotPixel.h"
#include "render/C64Palette.h"
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

QRgb* Row(QImage& image, int y) {
  return reinterpret_cast<QRgb*>(image.scanLine(y));
}
const QRgb* Row(const QImage& image, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

}  // namespace

void RenderSprite(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int n,
                  bool withNumber) {
  const auto sprite = bank.Sprite(n);
  const std::uint8_t attribute = sprite[kAttributeOffset];
  const std::array<QRgb, kPenCount> colours{
      PaletteRgb(state.PenColours[kTransparentPen]), PaletteRgb(state.PenColours[kMultiColour1Pen]),
      PaletteRgb(SpriteColour(attribute)), PaletteRgb(state.PenColours[kMultiColour2Pen])};

  for (int r = 0; r < kSpriteRows; ++r) {
    QRgb* out = Row(spriteImage, r);
    const std::uint8_t* row = &sprite[kRowBytes * r];
    for (int k = 0; k < kRowBytes; ++k) {
      const std::uint8_t byte = row[k];
      if (IsMultiColour(attribute)) {
        for (int pair = 0; pair < kPixelsPerMultiByte; ++pair) {
          const QRgb colour = colours[(byte >> (6 - 2 * pair)) & 3];
          *out++ = colour;
          *out++ = colour;
        }
      } else {
        for (int bit = 7; bit >= 0; --bit) {
          *out++ = colours[(byte >> bit) & 1 ? kSpriteColourPen : kTransparentPen];
        }
      }
    }
  }

  if (withNumber) {
    QPainter painter(&spriteImage);
    painter.setFont(NumberFont());
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, spriteImage.width(), spriteImage.height()),
                     Qt::AlignLeft | Qt::AlignTop, QString::number(state.CurrentSprite));
  }
}

void ZoomInto(QImage& dst, int left, int top, const QImage& src, int zoom) {
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* in = Row(src, y);
    QRgb* first = Row(dst, top + y * zoom) + left;
    QRgb* out = first;
    for (int x = 0; x < src.width(); ++x) {
      out = std::fill_n(out, zoom, in[x]);
    }
    const std::size_t bytes = static_cast<std::size_t>(src.width()) * zoom * sizeof(QRgb);
    for (int copy = 1; copy < zoom; ++copy) {
      std::memcpy(Row(dst, top + y * zoom + copy) + left, first, bytes);
    }
  }
}

void DrawPreview(QImage& preview, const QImage& spriteImage, const EditorState& state) {
  preview.fill(PaletteRgb(state.PenColours[kTransparentPen]));
  ZoomInto(preview, kPreviewBorder, kPreviewBorder, spriteImage, kPreviewZoom);
}

QString PreviewLabel(int sprite) {
  return QString::asprintf("%03d ", sprite);
}

void DrawEditorGrid(QImage& editorImage, const QImage& spriteImage, bool multiColour, bool grid) {
  ZoomInto(editorImage, 0, 0, spriteImage, kEditorZoom);
  if (!grid) return;
  const int step = multiColour ? 2 * kEditorZoom : kEditorZoom;
  for (int y = 0; y < kEditorHeight; ++y) {
    QRgb* row = Row(editorImage, y);
    if (y % kEditorZoom == kEditorZoom - 1) {
      std::fill_n(row, kEditorWidth, kGridLineColour);
      continue;
    }
    for (int x = step - 1; x < kEditorWidth; x += step) row[x] = kGridLineColour;
  }
}

}  // namespace kelvane
