// The look shared by every glyph button: a rounded key on silver with a white symbol.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>

namespace kelvane {

inline const QColor kGlyphBackground(192, 192, 192);  // silver
inline const QColor kBlueKey(40, 70, 190);
inline const QColor kBlueKeyPressed(20, 35, 110);
inline const QColor kGreyKey(120, 120, 128);
inline const QColor kGreyKeyPressed(70, 70, 76);

// Paints a size x size picture: the key in keyColour, then symbol (drawn with a white pen and
// brush already set, in key coordinates 0..size). The art is drawn at ratio device pixels to
// one of the key's, so that it is as sharp as the text on a scaled screen, never scaled up.
QImage DrawGlyph(int size, qreal ratio, const QColor& keyColour,
                 const std::function<void(QPainter&)>& symbol);

}  // namespace kelvane
