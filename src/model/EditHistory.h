// The steps Undo and Redo walk through: each the records an edit changed, in any number of
// sprites, and the shared colours when it changed them.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/EditorState.h"
#include "model/SpriteAnimation.h"
#include "model/SpriteBank.h"

namespace kelvane {

inline constexpr int kUndoLevels = 127;  // steps reachable at once

struct SpriteEdit {
  int sprite = 0;
  SpriteRecord before{};
  SpriteRecord after{};
};

struct ColourEdit {
  SharedColours before{};
  SharedColours after{};
};

// What a document holds beside the bank that edits change as a whole.
struct DocumentLists {
  std::vector<SpriteAnimation> animations;

  bool operator==(const DocumentLists&) const = default;
};

struct ListsEdit {
  DocumentLists before;
  DocumentLists after;
};

struct EditStep {
  std::string name;
  std::vector<SpriteEdit> sprites;  // in the order the edit first reached them
  std::optional<ColourEdit> colours;
  std::optional<ListsEdit> lists;
  // The content revisions with the step done and undone (see EditHistory::Revision).
  std::uint64_t done = 0;
  std::uint64_t undone = 0;

  const SpriteEdit* Find(int sprite) const;
};

// The newest 127 steps stay reachable: a step beyond them drops the oldest. Undo and Redo swap
// a step's records with the bank, so a Redo brings back exactly what its Undo replaced, also
// when something changed the sprite since without a step of its own (the mode toggle does).
//
// The history also counts revisions of the content: every change has one, an Undo or Redo goes
// back to the revision the step had where nothing else changed in between, and a load or save
// marks the revision the file holds. The document differs from its file exactly when the
// revisions differ, also after changes that forget the history.
class EditHistory {
 public:
  // A new step, done, on top; it forgets what could be redone.
  EditStep& Push(std::string name);
  // The newest step that is done, or nothing.
  EditStep* Top();
  // The steps an Undo and a Redo would move through, or nothing.
  const EditStep* NextUndo() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }
  const EditStep* NextRedo() const { return RedoCount() > 0 ? &steps_[done_] : nullptr; }
  // False, with nothing changed, when there is nothing to undo or redo.
  bool Undo(SpriteBank& bank, SharedColours& colours, DocumentLists& lists);
  bool Redo(SpriteBank& bank, SharedColours& colours, DocumentLists& lists);
  // Forgets every step, done and undone.
  void Forget();
  // Forgets only the undone steps: the content has changed since.
  void ForgetRedo();
  // Has change rewrite the lists every step holds, before and after, done and undone: for a
  // change beside the history that renumbers what the lists point at.
  void RewriteLists(const std::function<void(DocumentLists&)>& change);

  int UndoCount() const { return done_; }
  int RedoCount() const { return static_cast<int>(steps_.size()) - done_; }
  // On at start-up and after every new step or redo, off once forgotten or undone to the bottom.
  bool UndoButtonEnabled() const { return buttonEnabled_; }
  // Changes whenever the steps or the position in them do.
  std::uint64_t Generation() const { return generation_; }

  std::uint64_t Revision() const { return revision_; }
  // The content changed: by the top step when it is open, else by no step at all.
  void ContentChanged(bool byTopStep);
  void MarkSaved() { saved_ = revision_; }
  bool Modified() const { return revision_ != saved_; }

 private:
  std::uint64_t NewRevision() { return ++lastRevision_; }

  std::deque<EditStep> steps_;
  int done_ = 0;  // steps_[0..done_) are done, the rest undone
  bool buttonEnabled_ = true;
  std::uint64_t generation_ = 0;
  std::uint64_t revision_ = 0;
  std::uint64_t lastRevision_ = 0;
  std::uint64_t saved_ = 0;
};

}  // namespace kelvane
