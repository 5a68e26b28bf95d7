#include "model/ClipboardOperations.h"

#include "model/EditorModel.h"

namespace kelvane {

void CutSprite(EditorModel& model) {
  model.TakeUndoSnapshot();
  CopySprite(model);
  SpriteRecord blank{};
  blank[kAttributeOffset] = kDefaultAttribute;
  model.bank.SetRecord(model.state.CurrentSprite, blank);
}

void CopySprite(EditorModel& model) {
  model.clipboard.record = model.bank.Record(model.state.CurrentSprite);
  model.clipboard.ClipboardFull = true;
}

bool PasteSprite(EditorModel& model) {
  if (!model.clipboard.ClipboardFull) return false;
  model.TakeUndoSnapshot();
  model.bank.SetRecord(model.state.CurrentSprite, model.clipboard.record);
  return true;
}

void TakeRange(EditorModel& model, int from, int to, bool cut) {
  model.range.RangeSpan = to - from;
  for (int s = from; s <= to; ++s) model.range.entries[s - from] = model.bank.Record(s);
  if (!cut) return;
  for (int s = from; s <= to; ++s) model.bank.SetRecord(s, SpriteRecord{});
}

void PasteRangeAtCurrent(EditorModel& model) {
  const int current = model.state.CurrentSprite;
  const SpriteRecord before = model.bank.Record(current);
  for (int k = 0; k <= model.range.RangeSpan && current + k <= kLastSprite; ++k) {
    model.bank.SetRecord(current + k, model.range.entries[k]);
  }
  if (model.bank.Record(current) != before) model.ForgetUndoHistory();
}

}  // namespace kelvane
