// The look shared by every glyph button: a rounded key on silver with a white symbol.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>
#include <vector>

#include "ui/ImageControl.h"

namespace kelvane {

inline const QColor kGlyphBackground(192, 192, 192);  // silver
inline const QColor kBlueKey(40, 70, 190);
inline const QColor kBlueKeyPressed(20, 35, 110);
inline const QColor kGreyKey(120, 120, 128);
inline const QColor kGreyKeyPressed(70, 70, 76);

// Paints the size x size pictures of a set of glyphs. The art is drawn at ratio device pixels to
// one of the key's, so that it is as sharp as the text on a scaled screen, never scaled up. All
// are painted on one canvas, whose paint engine (with its stroker's buffers, some 6 KB) serves
// them all; the pictures handed out are copies that hold none. A key of each colour is painted
// once and copied under the symbols after it: its smooth outline costs as much as a symbol.
class GlyphPainter {
 public:
  GlyphPainter(int size, qreal ratio);
  // The key in keyColour, then symbol (drawn with a white pen and brush already set, in key
  // coordinates 0..size).
  QImage Draw(const QColor& keyColour, const std::function<void(QPainter&)>& symbol);

 private:
  struct Key {
    QRgb colour;
    QImage picture;
  };
  const QImage& KeyPicture(const QColor& colour);

  int size_;
  QImage canvas_;
  std::vector<Key> keys_;
};

// Draws picture, made at ratio, into the control's picture at (x, y); the caller repaints. A
// picture covering the whole control is shared with it rather than painted over it: the same
// pixels, without a copy or a paint engine kept by each control.
void ShowGlyph(ImageControl& target, int x, int y, const QImage& picture, qreal ratio);

}  // namespace kelvane
