#include "render/BrowserSheet.h"

#include "render/SpriteRendering.h"

namespace kelvane {

void DrawBrowserSheet(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                      const EditorState& state, int topRow, int leftColumn, SheetWindow window) {
  for (int r = 0; r < window.rows; ++r) {
    for (int c = 0; c < window.columns; ++c) {
      DrawThumbnail(sheet, spriteImage, bank, state, topRow, leftColumn, {c, r});
    }
  }
}

void DrawThumbnail(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                   const EditorState& state, int topRow, int leftColumn, SheetCell cell) {
  const int n = BrowserSpriteAt(topRow, leftColumn, cell);
  RenderSprite(spriteImage, bank, state, n, n == state.CurrentSprite);
  ZoomInto(sheet, kSheetGeometry.Thumbnail(cell), spriteImage);
}

}  // namespace kelvane
