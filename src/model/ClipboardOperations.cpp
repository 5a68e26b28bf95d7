#include "model/ClipboardOperations.h"

#include "model/BankOperations.h"
#include "model/EditorModel.h"

namespace kelvane {

void CutSprite(EditorModel& model) {
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
  if (model.range.RangeSpan < 0) return;
  PutRecords(model, model.state.CurrentSprite,
             std::span(model.range.entries).first(model.range.RangeSpan + 1));
}

}  // namespace kelvane
