// Everything the main window owns from start-up to exit that is not a widget.
#pragma once

#include "model/Clipboards.h"
#include "model/EditorState.h"
#include "model/SpriteBank.h"
#include "model/UndoStack.h"

namespace kelvane {

struct EditorModel {
  SpriteBank bank;
  EditorState state;
  UndoStack undo;
  SpriteClipboard clipboard;
  RangeClipboard range;

  std::span<std::uint8_t, kSpriteBytes> Current() { return bank.Sprite(state.CurrentSprite); }
  std::uint8_t& CurrentAttribute() { return bank.Attribute(state.CurrentSprite); }
  void TakeUndoSnapshot() { undo.TakeUndoSnapshot(bank, state.CurrentSprite); }
  bool RestoreUndoSnapshot() { return undo.RestoreUndoSnapshot(bank, state.CurrentSprite); }
  // Called whenever other content lands in the current slot without passing through undo,
  // so that an Undo can never write a stale snapshot over a different sprite.
  void ForgetUndoHistory() { undo.EmptyUndoStack(); }
};

}  // namespace kelvane
