#include "render/BrowserSheet.h"

#include <algorithm>

#include "render/C64Palette.h"
#include "render/SpriteRendering.h"

namespace kelvane {

void DrawBrowserSheet(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                      const EditorState& state, int topRow, int leftColumn, SheetWindow window,
                      const PairLook& pairs) {
  for (int r = 0; r < window.rows; ++r) {
    for (int c = 0; c < window.columns; ++c) {
      DrawThumbnail(sheet, spriteImage, bank, state, topRow, leftColumn, {c, r}, pairs);
    }
  }
}

void DrawThumbnail(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                   const EditorState& state, int topRow, int leftColumn, SheetCell cell,
                   const PairLook& pairs) {
  const int n = BrowserSpriteAt(topRow, leftColumn, cell);
  RenderSprite(spriteImage, bank, state, n, n == state.CurrentSprite, pairs);
  const SpriteView room = kSheetGeometry.Thumbnail(cell);
  const Zoom zoom = MachineZoom(bank.Attribute(n));
  if (zoom.x != room.CellZoom().x || zoom.y != room.CellZoom().y) {
    // An expanded sprite in its proportions, on its background where it leaves room.
    const ViewRect whole = room.CellsRect(CellArea::Whole());
    const QRgb background = PaletteRgb(state.PenColours[kTransparentPen]);
    for (int y = whole.y; y < whole.y + whole.height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(sheet.scanLine(y));
      std::fill(line + whole.x, line + whole.x + whole.width, background);
    }
    ZoomInto(sheet, CentredIn(room.Origin(), zoom), spriteImage);
    return;
  }
  ZoomInto(sheet, room, spriteImage);
}

}  // namespace kelvane
