#include "model/BankOperations.h"

#include <algorithm>

#include "model/EditorModel.h"

namespace kelvane {

bool IsBlankSprite(const SpriteBank& bank, int n) {
  const auto pixels = bank.Sprite(n).first<kPixelBytes>();
  return std::ranges::all_of(pixels, [](std::uint8_t b) { return b == 0; });
}

void RemoveBlanks(EditorModel& model) {
  SpriteBank work;
  work.Clear();
  int next = 0;
  for (int n = 0; n < kSpriteCount; ++n) {
    if (!IsBlankSprite(model.bank, n)) work.SetRecord(next++, model.bank.Record(n));
  }
  model.bank = work;
}

void PutRecords(EditorModel& model, int first, std::span<const SpriteRecord> records) {
  const int count = std::min<int>(static_cast<int>(records.size()), kSpriteCount - first);
  for (int k = 0; k < count; ++k) model.bank.SetRecord(first + k, records[k]);
}

void CopyAttributesToAll(EditorModel& model, std::uint8_t attribute) {
  for (int n = 0; n < kSpriteCount; ++n) model.bank.Attribute(n) = attribute;
}

void ResetForNewBank(EditorModel& model) {
  model.state.CurrentSprite = 0;
  model.state.UpperHalf = false;
  model.bank.Clear();
  model.bank.SetDefaultAttributes();
  model.state.PenColours = kInitialPenColours;
  model.state.CurrentPen = kSpriteColourPen;
}

}  // namespace kelvane
