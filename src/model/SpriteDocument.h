// The sprites being edited and everything about editing them: the one owner of the bank, the
// editor state, the undo history and both clipboards, and the only way to change any of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "model/DocumentChange.h"
#include "model/EditorModel.h"
#include "model/SpriteCell.h"
#include "model/Transforms.h"

namespace kelvane {

// Every operation reports what it changed to every listener, once, after it has finished and
// the document is consistent again; an operation that changes nothing reports nothing.
// Listeners only read: they must not call back into the document while it reports.
//
// Rules kept here for every caller:
// - the undo history belongs to the sprite on display: showing another sprite forgets it, and
//   so does bringing other content into the shown sprite's slot without going through undo;
// - PenColours[2] is the shown sprite's own colour, and UpperHalf says whether it is above 127;
// - while a hi-res sprite is shown, the multi-colour pens cannot be the current pen.
// What a drag does to the pixels it covers: the left button paints with the current pen, the
// right one erases; with both, each pixel is painted and then erased.
enum class Brush { Paint, Erase, PaintThenErase };

class SpriteDocument {
 public:
  using Listener = std::function<void(const DocumentChange&)>;
  using ListenerId = int;

  SpriteDocument();

  ListenerId Subscribe(Listener listener);
  void Unsubscribe(ListenerId id);

  const SpriteBank& Bank() const { return model_.bank; }
  const EditorState& State() const { return model_.state; }
  int CurrentSprite() const { return model_.state.CurrentSprite; }
  bool UpperHalf() const { return model_.state.UpperHalf; }
  std::uint8_t CurrentPen() const { return model_.state.CurrentPen; }
  const std::array<std::uint8_t, kPenCount>& PenColours() const { return model_.state.PenColours; }
  SharedColours Colours() const;
  std::span<const std::uint8_t, kSpriteBytes> Current() const;
  std::uint8_t CurrentAttribute() const { return model_.bank.Attribute(CurrentSprite()); }
  bool CurrentIsMultiColour() const { return IsMultiColour(CurrentAttribute()); }
  int UndoCount() const { return model_.undo.UndoCount(); }
  int RedoCount() const { return model_.undo.RedoCount(); }
  bool UndoButtonEnabled() const { return model_.undo.UndoButtonEnabled(); }
  bool ClipboardFull() const { return model_.clipboard.ClipboardFull; }
  // True from the first range taken on, also when that range was empty.
  bool RangeTaken() const { return rangeTaken_; }

  // The shown sprite. Another sprite than the one on display forgets the undo history.
  // ASSUMPTION: n is 0..255, as every control that selects one keeps it.
  void SelectSprite(int n);
  // "Upper 128": the same place in the other half of the bank.
  void SetUpperHalf(bool upper);
  // The editor scroll bar: position 0..127 within the current half.
  void SelectInHalf(int position);
  // The neighbour step sprites away (PgUp/PgDn): within the current half, stopping at its ends
  // as the editor scroll bar does; acrossHalves (Ctrl), within the whole bank.
  void StepSprite(int step, bool acrossHalves);

  void SelectPen(std::uint8_t pen);
  // The colour strip: for the sprite colour pen, the shown sprite's colour (one undo step, the
  // other bits of its attribute byte kept); for the others, the shared colour every sprite shows.
  void PickColour(std::uint8_t index);
  // The multi-colour flag of the shown sprite. Takes no undo snapshot and keeps the pixel bytes.
  void SetMultiColour(bool multiColour);

  // A stroke is one undo step, however many cells it paints: its snapshot is taken when it
  // begins, and beginning again before it has ended takes none. An Undo or Redo in mid-stroke
  // takes its step away; what the stroke paints after it is a step of its own.
  void BeginStroke();
  // Paints (or erases) the shown sprite's pixel under cell with the current pen.
  void Paint(SpriteCell cell, bool erase);
  // One mouse report of a drag: every pixel on the straight line from the cell of the last
  // report to this one, on the shown sprite's own pixel grid (12 wide in multi-colour), so that
  // a fast drag leaves no gaps. The first pixel was the last report's and is left alone, unless
  // both reports are in the same pixel. One change, whatever the length.
  void PaintLine(SpriteCell from, SpriteCell to, Brush brush);
  void EndStroke();

  // One undo step, also when the sprite stays as it was.
  void TransformSprite(Transform transform);
  // False, with nothing changed, when there is nothing to undo.
  bool Undo();
  // Takes back the last Undo; false, with nothing changed, when there is nothing to redo. Any
  // other change to the shown sprite forgets what could be redone.
  bool Redo();

  void CutSprite();
  void CopySprite();
  // False, with nothing changed, until something has been cut or copied.
  bool PasteSprite();
  // ASSUMPTION: from and to are 0..255. from > to takes nothing, and still counts as taken.
  void TakeRange(int from, int to, bool cut);
  void PasteRange();
  void RemoveBlanks();
  // attribute is read by the caller before it asks whether to go on.
  void CopyAttributesToAll(std::uint8_t attribute);
  // A fresh bank and editor state; the clipboards are kept.
  void New();

  // A file's contents: records from sprite 0 on (any past the last sprite are dropped; the rest
  // of the bank stays), the shared colours when the file has them, sprite 0 shown and the undo
  // history forgotten, all as one change.
  void Load(std::span<const SpriteRecord> records, const std::optional<SharedColours>& colours);
  // Writes records from sprite first on, dropping any past the last sprite, without an undo
  // step: as a pasted range does.
  void PutSprites(int first, std::span<const SpriteRecord> records);

 private:
  struct Before;
  Before Capture(int first, int last, bool withRange = false) const;
  DocumentChange Compare(const Before& before) const;
  // Puts the derived state back in line, then reports what changed since before. A change to
  // the shown sprite that did not come from the history itself forgets what could be redone.
  void Finish(const Before& before, bool fromHistory = false);
  // The step an open stroke goes on in, once Undo or Redo has moved its own: taken by the first
  // paint that changes the shown sprite, from what unpainted captured of it before that paint.
  void TakeStrokeStepIfNeeded(const Before& unpainted);

  EditorModel model_;
  bool strokeOpen_ = false;
  bool strokeStepNeeded_ = false;  // an open stroke whose step Undo or Redo has moved
  bool rangeTaken_ = false;
  ListenerId nextListener_ = 0;
  std::vector<std::pair<ListenerId, Listener>> listeners_;
};

}  // namespace kelvane
