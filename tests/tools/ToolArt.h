// Sprites drawn as rows of text, for scripts of tool events to start from and end at.
#pragma once

#include <string>
#include <vector>

#include "model/SpriteDocument.h"

namespace kelvane {

// One row of text a pixel row: '.' transparent, '#' sprite colour, '1' and '3' the multi-colour
// pens; rows past the last given are transparent.
inline std::vector<std::string> Art(const SpriteDocument& doc) {
  const CanvasPixels pixels = doc.Pixels();
  std::vector<std::string> rows;
  for (int y = 0; y < kSpriteRows; ++y) {
    std::string row;
    for (int x = 0; x < kHiresColumns; x += pixels.PixelWidthAt({x, y})) {
      row += ".1#3"[*pixels.PenAt({x, y})];
    }
    rows.push_back(row);
  }
  while (!rows.empty() && rows.back().find_first_not_of('.') == std::string::npos) rows.pop_back();
  for (auto& row : rows) row.erase(row.find_last_not_of('.') + 1);
  return rows;
}

// A sprite holding the pixels drawn as Art draws them.
inline SpriteRecord SpriteOf(bool multiColour, const std::vector<std::string>& art) {
  SpriteDocument scratch;
  SpriteRecord record{};
  record[kAttributeOffset] = multiColour ? 0x8C : 0x0C;
  scratch.PutSprites(0, std::vector{record});
  scratch.Apply("", [&](CanvasEdit& e) {
    for (int y = 0; y < static_cast<int>(art.size()); ++y) {
      for (int x = 0; x < static_cast<int>(art[y].size()); ++x) {
        const auto pen = static_cast<std::uint8_t>(std::string(".1#3").find(art[y][x]));
        e.pixels.Plot({x * (multiColour ? 2 : 1), y}, pen, false);
      }
    }
  });
  return scratch.Bank().Record(0);
}

}  // namespace kelvane
