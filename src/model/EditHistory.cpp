#include "model/EditHistory.h"

#include <utility>

namespace kelvane {
namespace {

// Puts the other side of a step into the bank and keeps what it replaced there, so that the
// opposite move restores exactly that.
void Swap(EditStep& step, SpriteBank& bank, SharedColours& colours, DocumentLists& lists,
          bool undo) {
  for (SpriteEdit& edit : step.sprites) {
    SpriteRecord& kept = undo ? edit.after : edit.before;
    kept = bank.Record(edit.sprite);
    bank.SetRecord(edit.sprite, undo ? edit.before : edit.after);
  }
  if (step.colours) {
    SharedColours& kept = undo ? step.colours->after : step.colours->before;
    kept = colours;
    colours = undo ? step.colours->before : step.colours->after;
  }
  if (step.lists) {
    DocumentLists& kept = undo ? step.lists->after : step.lists->before;
    kept = lists;
    lists = undo ? step.lists->before : step.lists->after;
  }
}

}  // namespace

const SpriteEdit* EditStep::Find(int sprite) const {
  for (const SpriteEdit& edit : sprites) {
    if (edit.sprite == sprite) return &edit;
  }
  return nullptr;
}

EditStep& EditHistory::Push(std::string name) {
  steps_.resize(done_);
  if (done_ == kUndoLevels) {
    steps_.pop_front();
    --done_;
  }
  EditStep& step = steps_.emplace_back();
  step.name = std::move(name);
  step.done = step.undone = revision_;
  ++done_;
  buttonEnabled_ = true;
  ++generation_;
  return step;
}

EditStep* EditHistory::Top() {
  return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

bool EditHistory::Undo(SpriteBank& bank, SharedColours& colours, DocumentLists& lists) {
  if (done_ == 0) return false;
  EditStep& step = steps_[--done_];
  Swap(step, bank, colours, lists, true);
  // Where something changed since the step without a step of its own, the content is new.
  const std::uint64_t replaced = revision_;
  revision_ = replaced == step.done ? step.undone : NewRevision();
  step.done = replaced;
  step.undone = revision_;
  if (done_ == 0) buttonEnabled_ = false;
  ++generation_;
  return true;
}

bool EditHistory::Redo(SpriteBank& bank, SharedColours& colours, DocumentLists& lists) {
  if (RedoCount() == 0) return false;
  EditStep& step = steps_[done_++];
  Swap(step, bank, colours, lists, false);
  const std::uint64_t replaced = revision_;
  revision_ = replaced == step.undone ? step.done : NewRevision();
  step.undone = replaced;
  step.done = revision_;
  buttonEnabled_ = true;
  ++generation_;
  return true;
}

void EditHistory::Forget() {
  if (steps_.empty() && !buttonEnabled_) return;
  steps_.clear();
  done_ = 0;
  buttonEnabled_ = false;
  ++generation_;
}

void EditHistory::ForgetRedo() {
  if (RedoCount() == 0) return;
  steps_.resize(done_);
  ++generation_;
}

void EditHistory::RewriteLists(const std::function<void(DocumentLists&)>& change) {
  for (EditStep& step : steps_) {
    if (!step.lists) continue;
    change(step.lists->before);
    change(step.lists->after);
  }
}

void EditHistory::ContentChanged(bool byTopStep) {
  revision_ = NewRevision();
  if (byTopStep && done_ > 0) steps_[done_ - 1].done = revision_;
}

}  // namespace kelvane
