#include "model/UndoStack.h"

#include <utility>

namespace kelvane {

void UndoStack::TakeUndoSnapshot(const SpriteBank& bank, int sprite) {
  redoCount_ = 0;
  if (count_ == kUndoLevels) {
    bottom_ = (bottom_ + 1) % kUndoSlots;
    --count_;
  }
  Slot(count_) = bank.Record(sprite);
  ++count_;
  buttonEnabled_ = true;
  ++revision_;
}

void UndoStack::SwapWithSlot(SpriteBank& bank, int sprite, int level) {
  SpriteRecord record = bank.Record(sprite);
  std::swap(record, Slot(level));
  bank.SetRecord(sprite, record);
}

bool UndoStack::RestoreUndoSnapshot(SpriteBank& bank, int sprite) {
  if (count_ == 0) return false;
  --count_;
  SwapWithSlot(bank, sprite, count_);
  ++redoCount_;
  if (count_ == 0) buttonEnabled_ = false;
  ++revision_;
  return true;
}

bool UndoStack::RestoreRedoSnapshot(SpriteBank& bank, int sprite) {
  if (redoCount_ == 0) return false;
  SwapWithSlot(bank, sprite, count_);
  ++count_;
  --redoCount_;
  buttonEnabled_ = true;
  ++revision_;
  return true;
}

void UndoStack::EmptyUndoStack() {
  if (count_ == 0 && redoCount_ == 0 && !buttonEnabled_) return;
  count_ = 0;
  redoCount_ = 0;
  buttonEnabled_ = false;
  ++revision_;
}

void UndoStack::ForgetRedo() {
  if (redoCount_ == 0) return;
  redoCount_ = 0;
  ++revision_;
}

}  // namespace kelvane
