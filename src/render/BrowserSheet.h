// The browser page: a 5 x 5 window of thumbnails over the bank laid out as 16 x 16.
#pragma once

#include <QImage>
#include <array>

#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane {

inline constexpr int kSheetColumns = 16;  // sprites per row of the whole bank
inline constexpr int kWindowCells = 5;    // thumbnails per row and column of the window
inline constexpr int kSheetScrollMax = kSheetColumns - kWindowCells;  // 11
inline constexpr int kThumbnailZoom = 2;
inline constexpr int kThumbnailWidth = kHiresColumns * kThumbnailZoom;  // 48
inline constexpr int kThumbnailHeight = kSpriteRows * kThumbnailZoom;   // 42
inline constexpr int kThumbnailStepX = kThumbnailWidth + 1;             // one-pixel gap
inline constexpr int kThumbnailStepY = kThumbnailHeight + 1;
inline constexpr int kSheetWidth = 244;
inline constexpr int kSheetHeight = 214;

inline constexpr std::array<int, kWindowCells> BrowserColumnX{0, 49, 98, 147, 196};
inline constexpr std::array<int, kWindowCells> BrowserRowY{0, 43, 86, 129, 172};

// The sprite shown in window cell (column, row) with the window scrolled to topRow / leftColumn.
constexpr int BrowserSpriteAt(int topRow, int leftColumn, int column, int row) {
  return (topRow + row) * kSheetColumns + leftColumn + column;
}

// Redraws the 25 thumbnails into sheet. The gaps between them are left as they are, so they keep
// the colour the sheet was filled with. Leaves spriteImage holding the last thumbnail.
void DrawBrowserSheet(QImage& sheet, QImage& spriteImage, const SpriteBank& bank,
                      const EditorState& state, int topRow, int leftColumn);

}  // namespace kelvane
