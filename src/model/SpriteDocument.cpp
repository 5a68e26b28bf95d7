#include "model/SpriteDocument.h"

#include <algorithm>

#include "model/BankOperations.h"
#include "model/ClipboardOperations.h"
#include "model/GridLine.h"
#include "model/PlotPixel.h"

namespace kelvane {

// What an operation may change, as it was before: the sprites it may write, and everything
// small enough to copy every time.
struct SpriteDocument::Before {
  int first = 0;
  std::vector<SpriteRecord> sprites;
  int current = 0;
  std::uint8_t pen = 0;
  SharedColours colours{};
  std::uint64_t undoRevision = 0;
  SpriteClipboard clipboard;
  bool rangeTaken = false;
  int rangeSpan = 0;
  std::vector<SpriteRecord> rangeEntries;  // only for the operations that take a range
};

SpriteDocument::SpriteDocument() {
  Finish(Capture(0, -1));  // nobody listens yet; this only settles the derived state
}

SpriteDocument::ListenerId SpriteDocument::Subscribe(Listener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void SpriteDocument::Unsubscribe(ListenerId id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

SharedColours SpriteDocument::Colours() const {
  SharedColours colours{};
  for (int i = 0; i < kSharedColourCount; ++i) colours[i] = PenColours()[kSharedColourPens[i]];
  return colours;
}

std::span<const std::uint8_t, kSpriteBytes> SpriteDocument::Current() const {
  return model_.bank.Sprite(CurrentSprite());
}

SpriteDocument::Before SpriteDocument::Capture(int first, int last, bool withRange) const {
  Before before;
  before.first = first;
  for (int n = first; n <= last; ++n) before.sprites.push_back(model_.bank.Record(n));
  before.current = CurrentSprite();
  before.pen = CurrentPen();
  before.colours = Colours();
  before.undoRevision = model_.undo.Revision();
  before.clipboard = model_.clipboard;
  before.rangeTaken = rangeTaken_;
  before.rangeSpan = model_.range.RangeSpan;
  if (withRange)
    before.rangeEntries.assign(model_.range.entries.begin(), model_.range.entries.end());
  return before;
}

namespace {

// Adds to area the cells whose look differs between the two records. A multi-colour pixel is
// two cells wide, so a change to either of its bits shows in both.
void AddChangedCells(const SpriteRecord& before, const SpriteRecord& after, CellArea& area) {
  if (before[kAttributeOffset] != after[kAttributeOffset]) {
    area = CellArea::Whole();
    return;
  }
  const int width = IsMultiColour(after[kAttributeOffset]) ? 2 : 1;
  for (int i = 0; i < kPixelBytes; ++i) {
    const unsigned differing = before[i] ^ after[i];
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
      if ((differing & (0x80u >> bit)) == 0) continue;
      const int column = (i % kRowBytes) * kBitsPerByte + bit / width * width;
      area.Add({column, i / kRowBytes});
      area.Add({column + width - 1, i / kRowBytes});
    }
  }
}

}  // namespace

DocumentChange SpriteDocument::Compare(const Before& before) const {
  DocumentChange change;
  for (std::size_t k = 0; k < before.sprites.size(); ++k) {
    const int n = before.first + static_cast<int>(k);
    const SpriteRecord after = model_.bank.Record(n);
    if (after == before.sprites[k]) continue;
    if (!change.Has(Changed::Sprites)) change.first = n;
    change.last = n;
    change.what |= Changed::Sprites;
    AddChangedCells(before.sprites[k], after, change.cells);
  }
  if (Colours() != before.colours) change.what |= Changed::SharedColours;
  if (CurrentSprite() != before.current) change.what |= Changed::Selection;
  if (CurrentPen() != before.pen) change.what |= Changed::Pen;
  if (model_.undo.Revision() != before.undoRevision) change.what |= Changed::Undo;
  const bool rangeChanged = rangeTaken_ != before.rangeTaken ||
                            model_.range.RangeSpan != before.rangeSpan ||
                            (!before.rangeEntries.empty() &&
                             !std::ranges::equal(before.rangeEntries, model_.range.entries));
  if (model_.clipboard.ClipboardFull != before.clipboard.ClipboardFull ||
      model_.clipboard.record != before.clipboard.record || rangeChanged) {
    change.what |= Changed::Clipboard;
  }
  return change;
}

void SpriteDocument::Finish(const Before& before, bool fromHistory) {
  const int shown = CurrentSprite() - before.first;
  if (!fromHistory && shown >= 0 && shown < static_cast<int>(before.sprites.size()) &&
      model_.bank.Record(CurrentSprite()) != before.sprites[shown]) {
    model_.ForgetRedo();
  }
  EditorState& state = model_.state;
  state.UpperHalf = state.CurrentSprite >= kHalfBankSprites;
  state.PenColours[kSpriteColourPen] = SpriteColour(CurrentAttribute());
  // The multi-colour pens are hidden while a hi-res sprite is shown; one that was selected
  // hands over to the sprite colour pen.
  if (!CurrentIsMultiColour() &&
      (state.CurrentPen == kMultiColour1Pen || state.CurrentPen == kMultiColour2Pen)) {
    state.CurrentPen = kSpriteColourPen;
  }
  const DocumentChange change = Compare(before);
  if (change.Empty()) return;
  // A copy, so that a listener may unsubscribe while it is told.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(change);
}

void SpriteDocument::SelectSprite(int n) {
  if (n == CurrentSprite()) return;
  const Before before = Capture(0, -1);
  model_.state.CurrentSprite = n;
  model_.ForgetUndoHistory();
  // A drag that goes on into the sprite now shown (PgDn pressed mid-stroke) is a stroke there:
  // one step, like any other.
  if (strokeOpen_) {
    model_.TakeUndoSnapshot();
    strokeStepNeeded_ = false;
  }
  Finish(before);
}

void SpriteDocument::SetUpperHalf(bool upper) {
  const int n = CurrentSprite();
  SelectSprite(upper ? n | kHalfBankSprites : n & (kHalfBankSprites - 1));
}

void SpriteDocument::SelectInHalf(int position) {
  SelectSprite((UpperHalf() ? kHalfBankSprites : 0) + position);
}

void SpriteDocument::StepSprite(int step, bool acrossHalves) {
  if (acrossHalves) {
    SelectSprite(std::clamp(CurrentSprite() + step, 0, kLastSprite));
  } else {
    SelectInHalf(std::clamp(CurrentSprite() % kHalfBankSprites + step, 0, kHalfBankSprites - 1));
  }
}

void SpriteDocument::SelectPen(std::uint8_t pen) {
  const Before before = Capture(0, -1);
  model_.state.CurrentPen = pen;
  Finish(before);
}

void SpriteDocument::PickColour(std::uint8_t index) {
  index &= kColourIndexMask;
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  if (CurrentPen() == kSpriteColourPen) {
    model_.TakeUndoSnapshot();
    // Only the colour bits: the mode, overlay and expand bits stay as the file set them.
    std::uint8_t& attribute = model_.CurrentAttribute();
    attribute = static_cast<std::uint8_t>((attribute & ~kColourIndexMask) | index);
  }
  model_.state.PenColours[CurrentPen()] = index;
  Finish(before);
}

void SpriteDocument::SetMultiColour(bool multiColour) {
  if (multiColour == CurrentIsMultiColour()) return;
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  model_.CurrentAttribute() ^= kMultiColourFlag;
  Finish(before);
}

void SpriteDocument::BeginStroke() {
  if (strokeOpen_) return;
  const Before before = Capture(0, -1);
  model_.TakeUndoSnapshot();
  strokeOpen_ = true;
  Finish(before);
}

void SpriteDocument::Paint(SpriteCell cell, bool erase) {
  if (!IsInSprite(cell)) return;
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  PlotPixel(model_.Current(), cell, CurrentPen(), erase);
  TakeStrokeStepIfNeeded(before);
  Finish(before);
}

void SpriteDocument::PaintLine(SpriteCell from, SpriteCell to, Brush brush) {
  if (!IsInSprite(from) || !IsInSprite(to)) return;
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  const int width = CurrentIsMultiColour() ? kHiresColumns / kMultiColumns : 1;  // cells a pixel
  const SpriteCell first{from.column / width, from.row};
  const SpriteCell last{to.column / width, to.row};
  ForEachOnLine(first, last, [&](SpriteCell pixel) {
    if (pixel == first && first != last) return;
    const SpriteCell cell{pixel.column * width, pixel.row};
    if (brush != Brush::Erase) PlotPixel(model_.Current(), cell, CurrentPen(), false);
    if (brush != Brush::Paint) PlotPixel(model_.Current(), cell, CurrentPen(), true);
  });
  TakeStrokeStepIfNeeded(before);
  Finish(before);
}

void SpriteDocument::EndStroke() {
  strokeOpen_ = false;
  strokeStepNeeded_ = false;
}

void SpriteDocument::TakeStrokeStepIfNeeded(const Before& unpainted) {
  if (!strokeStepNeeded_) return;
  const int current = CurrentSprite();
  const SpriteRecord painted = model_.bank.Record(current);
  // A move that changes nothing takes no step, and leaves what could be redone.
  if (painted == unpainted.sprites.front()) return;
  model_.bank.SetRecord(current, unpainted.sprites.front());
  model_.TakeUndoSnapshot();
  model_.bank.SetRecord(current, painted);
  strokeStepNeeded_ = false;
}

void SpriteDocument::TransformSprite(Transform transform) {
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  kelvane::RunTransform(model_, transform, CurrentIsMultiColour());
  Finish(before);
}

bool SpriteDocument::Undo() {
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  const bool restored = model_.RestoreUndoSnapshot();
  strokeStepNeeded_ = strokeOpen_;
  Finish(before, true);
  return restored;
}

bool SpriteDocument::Redo() {
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  const bool restored = model_.RestoreRedoSnapshot();
  strokeStepNeeded_ = strokeOpen_;
  Finish(before, true);
  return restored;
}

void SpriteDocument::CutSprite() {
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  kelvane::CutSprite(model_);
  Finish(before);
}

void SpriteDocument::CopySprite() {
  const Before before = Capture(0, -1);
  kelvane::CopySprite(model_);
  Finish(before);
}

bool SpriteDocument::PasteSprite() {
  const int current = CurrentSprite();
  const Before before = Capture(current, current);
  const bool pasted = kelvane::PasteSprite(model_);
  Finish(before);
  return pasted;
}

void SpriteDocument::TakeRange(int from, int to, bool cut) {
  const Before before = Capture(from, cut ? to : from - 1, true);
  kelvane::TakeRange(model_, from, to, cut);
  rangeTaken_ = true;
  Finish(before);
}

void SpriteDocument::PasteRange() {
  const Before before = Capture(CurrentSprite(), kLastSprite);
  PasteRangeAtCurrent(model_);
  Finish(before);
}

void SpriteDocument::RemoveBlanks() {
  const Before before = Capture(0, kLastSprite);
  kelvane::RemoveBlanks(model_);
  Finish(before);
}

void SpriteDocument::CopyAttributesToAll(std::uint8_t attribute) {
  const Before before = Capture(0, kLastSprite);
  kelvane::CopyAttributesToAll(model_, attribute);
  Finish(before);
}

void SpriteDocument::New() {
  const Before before = Capture(0, kLastSprite);
  ResetForNewBank(model_);
  EndStroke();
  Finish(before);
}

void SpriteDocument::Load(std::span<const SpriteRecord> records,
                          const std::optional<SharedColours>& colours) {
  const int count = std::min<int>(static_cast<int>(records.size()), kSpriteCount);
  const Before before = Capture(0, count - 1);
  PutRecords(model_, 0, records.first(count));
  if (colours) {
    // The colour registers read four bits, and so does the palette.
    for (int i = 0; i < kSharedColourCount; ++i) {
      model_.state.PenColours[kSharedColourPens[i]] = (*colours)[i] & kColourIndexMask;
    }
  }
  model_.state.CurrentSprite = 0;
  model_.ForgetUndoHistory();
  Finish(before);
}

void SpriteDocument::PutSprites(int first, std::span<const SpriteRecord> records) {
  const int count = std::min<int>(static_cast<int>(records.size()), kSpriteCount - first);
  const Before before = Capture(first, first + count - 1);
  PutRecords(model_, first, records);
  Finish(before);
}

}  // namespace kelvane
