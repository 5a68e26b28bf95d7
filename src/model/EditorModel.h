// The parts of a sprite document as the operations of model/ work on them. SpriteDocument owns
// the program's one and is the only way anything else changes it.
#pragma once

#include "model/Clipboards.h"
#include "model/EditHistory.h"
#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane {

struct EditorModel {
  SpriteBank bank;
  EditorState state;
  EditHistory history;
  SpriteClipboard clipboard;
  RangeClipboard range;
  DocumentLists lists;

  std::span<std::uint8_t, kSpriteBytes> Current() { return bank.Sprite(state.CurrentSprite); }
  std::uint8_t& CurrentAttribute() { return bank.Attribute(state.CurrentSprite); }
};

}  // namespace kelvane
