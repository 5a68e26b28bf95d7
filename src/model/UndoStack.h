// Snapshots of the sprite on display, newest on top.
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
class UndoStack {
 public:
  void TakeUndoSnapshot(const SpriteBank& bank, int sprite);
  // Pops the newest snapshot over the sprite; false when there was nothing to restore.
  bool RestoreUndoSnapshot(SpriteBank& bank, int sprite);
  void EmptyUndoStack();

  int UndoCount() const { return count_; }
  // Changes whenever the history does, also for a snapshot that leaves a full stack as full.
  std::uint64_t Revision() const { return revision_; }
  // The state of the Undo glyph: on at start-up and after every snapshot, off once the stack
  // has been emptied or undone to the bottom.
  bool UndoButtonEnabled() const { return buttonEnabled_; }

 private:
  std::array<SpriteRecord, kUndoSlots> slots_{};
  int bottom_ = 0;  // slot of the oldest snapshot
  int count_ = 0;
  bool buttonEnabled_ = true;
  std::uint64_t revision_ = 0;
};

}  // namespace kelvane
