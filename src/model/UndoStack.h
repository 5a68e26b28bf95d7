// Snapshots of the sprite on display, newest on top, and the states Undo replaced, for Redo.
#pragma once

#include <array>
#include <cstdint>

#include "model/SpriteBank.h"

namespace kelvane {

inline constexpr int kUndoSlots = 128;
inline constexpr int kUndoLevels = kUndoSlots - 1;  // snapshots reachable at once

// When the stack is full the oldest snapshot is dropped, so the newest 127 always stay
// reachable. A snapshot records no sprite number: the stack belongs to the sprite on display
// and must be emptied whenever other content is brought into that slot.
//
// Undo and Redo share the slots: an undo swaps the sprite with the newest snapshot, so the state
// it replaced waits just above the stack until a redo swaps it back. Undo and redo levels
// together never exceed 127, and a new snapshot forgets what could be redone.
class UndoStack {
 public:
  void TakeUndoSnapshot(const SpriteBank& bank, int sprite);
  // Pops the newest snapshot over the sprite; false when there was nothing to restore.
  bool RestoreUndoSnapshot(SpriteBank& bank, int sprite);
  // Brings back what the newest undo replaced; false when there was nothing to redo.
  bool RestoreRedoSnapshot(SpriteBank& bank, int sprite);
  // Forgets the undo and the redo history.
  void EmptyUndoStack();
  // Forgets only what could be redone: the sprite has changed since.
  void ForgetRedo();

  int UndoCount() const { return count_; }
  int RedoCount() const { return redoCount_; }
  // Changes whenever the history does, also for a snapshot that leaves a full stack as full.
  std::uint64_t Revision() const { return revision_; }
  // The state of the Undo glyph: on at start-up and after every snapshot or redo, off once the
  // stack has been emptied or undone to the bottom.
  bool UndoButtonEnabled() const { return buttonEnabled_; }

 private:
  SpriteRecord& Slot(int level) { return slots_[(bottom_ + level) % kUndoSlots]; }
  void SwapWithSlot(SpriteBank& bank, int sprite, int level);

  std::array<SpriteRecord, kUndoSlots> slots_{};
  int bottom_ = 0;  // slot of the oldest snapshot
  int count_ = 0;
  int redoCount_ = 0;  // states kept in the slots above the newest snapshot
  bool buttonEnabled_ = true;
  std::uint64_t revision_ = 0;
};

}  // namespace kelvane
