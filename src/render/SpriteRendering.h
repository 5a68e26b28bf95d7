// Drawing sprites into the work images, the preview and the editor grid.
#pragma once

#include <QImage>
#include <QString>
#include <bitset>
#include <limits>
#include <vector>

#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "model/SpriteCanvas.h"
#include "render/EditorGeometry.h"
#include "render/OverlayComposition.h"

namespace kelvane {

// Draws sprite n into the 24 x 21 sprite image in the colours of PenColours, with the sprite's
// own colour in place of entry 2 (PenColours itself is left as it was). withNumber writes the
// number of CurrentSprite into the top-left corner. A sprite with the overlay bit is drawn with
// its partner over it (pairs.distance on), as ComposePair has it.
void RenderSprite(QImage& spriteImage, const SpriteBank& bank, const EditorState& state, int n,
                  bool withNumber, const PairLook& pairs = {});

// Draws the sprites of the canvas's first layer into canvasImage, each where the canvas puts it,
// as RenderSprite does; a second layer's sprites (where a cell has one) are drawn over them as
// partners are, with pairs.faint drawn faint. ASSUMPTION: canvasImage is RGB32 and as large as the
// canvas.
void RenderCanvas(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                  const SpriteCanvas& canvas, const PairLook& pairs = {});

// The same for the cells that show any of sprites, in any layer: what a change of those sprites
// leaves to draw again.
void RenderCanvasSprites(QImage& canvasImage, const SpriteBank& bank, const EditorState& state,
                         const SpriteCanvas& canvas, const std::bitset<kSpriteCount>& sprites,
                         const PairLook& pairs = {});

// How the editor draws a canvas: each sprite's mode (its grid lines follow its pixels), row by
// row, and whether there are grid lines at all.
struct CanvasLook {
  CanvasLook() = default;
  CanvasLook(const SpriteBank& bank, const SpriteCanvas& canvas, bool grid);
  std::vector<bool> multiColour{true};
  int columns = 1;
  bool grid = true;
};

// The 68 x 62 preview: background colour with the sprite where kPreviewView puts it.
void DrawPreview(QImage& preview, const QImage& spriteImage, const EditorState& state);
// The preview's lines from top (even) on, into a band kPreviewWidth wide and an even number of
// lines high, with background round the sprite: what the preview paints from instead of a whole
// picture.
void DrawPreviewBand(QImage& band, const QImage& spriteImage, QRgb background, int top);
// The same for a sprite shown at zoom (MachineZoom), centred where the 2 x 2 one would be.
void DrawPreviewBand(QImage& band, const QImage& spriteImage, QRgb background, int top, Zoom zoom);
// The text of the number label beside the preview: "007 ".
QString PreviewLabel(int sprite);

// The sprite over the whole editor image as kEditorView lays it out, then the grid on the last
// view pixel row and column of each sprite pixel. The grid is drawn last so that it stays visible
// over every colour.
void DrawEditorGrid(QImage& editorImage, const QImage& spriteImage, bool multiColour, bool grid);
// Sprite row `row` alone, into a band kEditorWidth wide and one cell high whose first line is
// that row's first: the lines DrawEditorGrid writes there. The editor paints from such a band
// rather than keep a whole picture in which every line is there eight times.
void DrawEditorBand(QImage& band, const QImage& spriteImage, bool multiColour, bool grid, int row);

// The columns left..right - 1 of a band: those a paint shows of it.
struct BandColumns {
  int left = 0;
  int right = std::numeric_limits<int>::max();
};

// Canvas rows `row` to row + rows - 1, as view lays the canvas out (from the view's own origin),
// into their cells' lines of a band from line firstLine on, the view's column shift at the
// band's column 0: what DrawEditorBand does for a single sprite. Only the pixels over the
// columns of span are drawn: a line across a sprite repaints its own cells. ASSUMPTION: the band
// holds the columns of span, shifted, and the rows' lines, and shift is a whole number of cells.
void DrawCanvasBand(QImage& band, const QImage& canvasImage, const CanvasView& view,
                    const CanvasLook& look, int row, BandColumns span = {}, int firstLine = 0,
                    int shift = 0, int rows = 1);

// Copies the 24 x 21 src into dst where view puts it, every pixel a block of the view's zoom.
void ZoomInto(QImage& dst, const SpriteView& view, const QImage& src);

// Which code writes the sprite rows. Every build has the portable one; x86-64 builds also have
// one for processors with AVX2, which the fastest choice takes where the processor has it.
enum class RowWriter { Fastest, Portable };
// For the whole process: the tests draw with each, so both are tested on every build.
void UseRowWriter(RowWriter writer);

}  // namespace kelvane
