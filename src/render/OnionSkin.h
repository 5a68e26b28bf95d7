// Onion skin: neighbouring frames of an animation drawn faintly where the shown sprite is
// transparent, so that the user draws a frame against the ones around it.
#pragma once

#include <QImage>
#include <span>

#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "model/SpriteCanvas.h"

namespace kelvane {

inline constexpr int kLeastOnionOpacity = 15;
inline constexpr int kMostOnionOpacity = 60;

// over laid on under at percent (0-100) opacity, channel by channel, rounded.
QRgb BlendOver(QRgb under, QRgb over, int percent);

// spriteImage holds sprite `shown` as RenderSprite draws it, from (0, 0). Where a pixel of the
// shown sprite is transparent, each of frames that has a pixel there is laid over it at percent
// opacity, in order; the shown sprite's own pixels stay as they are.
void DrawOnionSkin(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int shown,
                   std::span<const int> frames, int percent);
// The same for canvases: canvasImage holds shown as RenderCanvas draws it, and each frame is a
// canvas (an object) laid from the same top-left corner, as far as both reach.
void DrawCanvasOnionSkin(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                         const SpriteCanvas& shown, std::span<const SpriteCanvas> frames,
                         int percent);

}  // namespace kelvane
