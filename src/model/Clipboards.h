// The program's own sprite clipboards; not the desktop clipboard, and lost at exit.
#pragma once

#include <array>

#include "model/SpriteBank.h"

namespace kelvane {

struct SpriteClipboard {
  SpriteRecord record{};
  bool ClipboardFull = false;  // set by the first cut or copy, never cleared
};

struct RangeClipboard {
  std::array<SpriteRecord, kSpriteCount> entries{};
  int RangeSpan = 0;  // To - From of the last range; RangeSpan + 1 entries are valid
};

}  // namespace kelvane
