// Drawing sprites into the work images, the preview and the editor grid.
#pragma once

#include <QImage>
#include <QString>

#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane {

// Draws sprite n into the 24 x 21 sprite image in the colours of PenColours, with the sprite's
// own colour in place of entry 2 (PenColours itself is left as it was). withNumber writes the
// number of CurrentSprite into the top-left corner.
void RenderSprite(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int n,
                  bool withNumber);

// The 68 x 62 preview: background colour with the sprite at 2x inside a 10-pixel border.
void DrawPreview(QImage& preview, const QImage& spriteImage, const EditorState& state);
// The text of the number label beside the preview: "007 ".
QString PreviewLabel(int sprite);

// The sprite at 8x over the whole editor image, then the grid on the last pixel row and column
// of each cell. The grid is drawn last so that it stays visible over every colour.
void DrawEditorGrid(QImage& editorImage, const QImage& spriteImage, bool multiColour, bool grid);

// Copies src into dst at (left, top) with every pixel a zoom x zoom block.
void ZoomInto(QImage& dst, int left, int top, const QImage& src, int zoom);

}  // namespace kelvane
