// The parts of a sprite document as the operations of model/ work on them. SpriteDocument owns
// the program's one and is the only way anything else changes it.
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
  // Every snapshot, undo, redo and forgetting of the history passes through these.
  void TakeUndoSnapshot() { undo.TakeUndoSnapshot(bank, state.CurrentSprite); }
  bool RestoreUndoSnapshot() { return undo.RestoreUndoSnapshot(bank, state.CurrentSprite); }
  bool RestoreRedoSnapshot() { return undo.RestoreRedoSnapshot(bank, state.CurrentSprite); }
  // Called whenever other content lands in the current slot without passing through undo,
  // so that an Undo can never write a stale snapshot over a different sprite.
  void ForgetUndoHistory() { undo.EmptyUndoStack(); }
  // Called when the current sprite changed without a snapshot: what was undone before that
  // change can no longer be redone over it.
  void ForgetRedo() { undo.ForgetRedo(); }
};

}  // namespace kelvane
