#pragma once

#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane {

// Editor image geometry: every hi-res sprite pixel is an 8 x 8 cell of Image1.
inline constexpr int kEditorZoom = 8;
inline constexpr int kEditorWidth = kHiresColumns * kEditorZoom;  // 192
inline constexpr int kEditorHeight = kSpriteRows * kEditorZoom;   // 168

// Changes the one pixel of CurrentSprite under editor position (x, y). multiColour is the state
// of the "Multi-colour" box. ASSUMPTION: 0 <= x < 192 and 0 <= y < 168; callers bound it.
void PlotPixel(SpriteBank& bank, const EditorState& state, bool multiColour, int x, int y,
               bool erase);

}  // namespace kelvane
