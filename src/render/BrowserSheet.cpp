#include "render/BrowserSheet.h"

#include "render/SpriteRendering.h"

namespace kelvane {

void DrawBrowserSheet(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                      const EditorState& state, int topRow, int leftColumn) {
  for (int r = 0; r < kWindowCells; ++r) {
    for (int c = 0; c < kWindowCells; ++c) {
      const int n = BrowserSpriteAt(topRow, leftColumn, {c, r});
      RenderSprite(spriteImage, bank, state, n, n == state.CurrentSprite);
      ZoomInto(sheet, kSheetGeometry.Thumbnail({c, r}), spriteImage);
    }
  }
}

}  // namespace kelvane
