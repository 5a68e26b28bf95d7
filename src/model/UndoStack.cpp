#include "model/UndoStack.h"

namespace kelvane {

void UndoStack::TakeUndoSnapshot(const SpriteBank& bank, int sprite) {
  if (count_ == kUndoLevels) {
    bottom_ = (bottom_ + 1) % kUndoSlots;
    --count_;
  }
  slots_[(bottom_ + count_) % kUndoSlots] = bank.Record(sprite);
  ++count_;
  buttonEnabled_ = true;
  ++revision_;
}

bool UndoStack::RestoreUndoSnapshot(SpriteBank& bank, int sprite) {
  if (count_ == 0) return false;
  --count_;
  bank.SetRecord(sprite, slots_[(bottom_ + count_) % kUndoSlots]);
  if (count_ == 0) buttonEnabled_ = false;
  ++revision_;
  return true;
}

void UndoStack::EmptyUndoStack() {
  if (count_ == 0 && !buttonEnabled_) return;
  count_ = 0;
  buttonEnabled_ = false;
  ++revision_;
}

}  // namespace kelvane
