// The browser page's sheet of thumbnails.
#pragma once

#include <QImage>

#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "render/EditorGeometry.h"
#include "render/OverlayComposition.h"

namespace kelvane {

// Redraws the 25 thumbnails of the window at (topRow, leftColumn) into sheet; the shown
// sprite's carries its number. The gaps between them are left as they are, so they keep the
// colour the sheet was filled with. spriteImage is the scratch picture each thumbnail is drawn
// through: it is left holding the last one.
void DrawBrowserSheet(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                      const EditorState& state, int topRow, int leftColumn, SheetWindow window = {},
                      const PairLook& pairs = {});
// Redraws only the thumbnail in window cell of that window, as DrawBrowserSheet draws it.
void DrawThumbnail(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                   const EditorState& state, int topRow, int leftColumn, SheetCell cell,
                   const PairLook& pairs = {});

}  // namespace kelvane
