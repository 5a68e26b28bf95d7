#include "model/SpriteDocument.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <limits>

#include "model/BankOperations.h"
#include "model/ClipboardOperations.h"

namespace kelvane {

// What an operation may change, as it was before: the sprites it may write, and everything
// small enough to copy every time.
struct SpriteDocument::Before {
  std::vector<int> numbers;
  std::vector<SpriteRecord> sprites;
  int current = 0;
  std::uint64_t canvasGeneration = 0;
  std::uint64_t listsGeneration = 0;
  std::uint8_t pen = 0;
  EditLayer layer = EditLayer::ByColour;
  int overlayDistance = kDefaultOverlayDistance;
  SharedColours colours{};
  std::uint64_t historyGeneration = 0;
  bool modified = false;
  std::uint64_t objectsRevision = 0;
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

namespace {

void SetColours(EditorState& state, const SharedColours& colours) {
  for (int i = 0; i < kSharedColourCount; ++i) state.PenColours[kSharedColourPens[i]] = colours[i];
}

// Adds to area the cells whose look differs between the two records. A multi-colour pixel is
// two cells wide, so a change to either of its bits shows in both.
void AddChangedCells(const SpriteRecord& before, const SpriteRecord& after, SpriteCells& cells) {
  if (before[kAttributeOffset] != after[kAttributeOffset]) {
    cells.cells = CellArea::Whole();
    cells.rows.fill(kEveryColumn);
    return;
  }
  const bool multiColour = IsMultiColour(after[kAttributeOffset]);
  constexpr int kSpareBits = std::numeric_limits<RowColumns>::digits - kHiresColumns;
  RowColumns any = 0;
  int firstRow = kSpriteRows;
  int lastRow = -1;
  for (int row = 0; row < kSpriteRows; ++row) {
    RowColumns differing = SpriteRowColumns(before, row) ^ SpriteRowColumns(after, row);
    if (differing == 0) continue;
    if (multiColour) {
      const RowColumns pixels = (differing | differing >> 1) & kEveryPairLowBit;
      differing = pixels | pixels << 1;
    }
    cells.rows[static_cast<std::size_t>(row)] = differing;
    any |= differing;
    firstRow = std::min(firstRow, row);
    lastRow = row;
  }
  // The leftmost and rightmost differing bits of all rows bound all of them.
  if (any == 0) return;
  cells.cells = {{std::countl_zero(any) - kSpareBits, firstRow},
                 {kHiresColumns - 1 - std::countr_zero(any), lastRow}};
}

std::vector<int> Numbers(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

}  // namespace

std::span<const std::uint8_t, kSpriteBytes> SpriteDocument::Current() const {
  return model_.bank.Sprite(CurrentSprite());
}

SpriteDocument::Before SpriteDocument::Capture(std::vector<int> sprites, bool withRange) const {
  Before before;
  before.numbers = std::move(sprites);
  before.sprites.reserve(before.numbers.size());
  for (const int n : before.numbers) before.sprites.push_back(model_.bank.Record(n));
  before.current = CurrentSprite();
  before.canvasGeneration = canvasGeneration_;
  before.listsGeneration = listsGeneration_;
  before.pen = CurrentPen();
  before.layer = editLayer_;
  before.overlayDistance = overlayDistance_;
  before.colours = Colours();
  before.historyGeneration = model_.history.Generation();
  before.modified = Modified();
  before.objectsRevision = objectsRevision_;
  before.clipboard = model_.clipboard;
  before.rangeTaken = rangeTaken_;
  before.rangeSpan = model_.range.RangeSpan;
  if (withRange) {
    before.rangeEntries.assign(model_.range.entries.begin(), model_.range.entries.end());
  }
  return before;
}

SpriteDocument::Before SpriteDocument::Capture(int first, int last, bool withRange) const {
  return Capture(Numbers(first, last), withRange);
}

DocumentChange SpriteDocument::Compare(const Before& before) const {
  DocumentChange change;
  change.cells.reserve(before.numbers.size());
  for (std::size_t k = 0; k < before.numbers.size(); ++k) {
    const int n = before.numbers[k];
    const SpriteRecord& after = model_.bank.Record(n);
    if (after == before.sprites[k]) continue;
    SpriteCells cells{n, {}, {}};
    AddChangedCells(before.sprites[k], after, cells);
    change.cells.push_back(cells);
  }
  if (!change.cells.empty()) {
    // An edit meets an object's sprites mostly in the order of their numbers.
    if (!std::ranges::is_sorted(change.cells, {}, &SpriteCells::sprite)) {
      std::ranges::sort(change.cells, {}, &SpriteCells::sprite);
    }
    change.what |= Changed::Sprites;
    change.first = change.cells.front().sprite;
    change.last = change.cells.back().sprite;
  }
  if (Colours() != before.colours) change.what |= Changed::SharedColours;
  if (CurrentSprite() != before.current || canvasGeneration_ != before.canvasGeneration) {
    change.what |= Changed::Selection;
  }
  if (CurrentPen() != before.pen || editLayer_ != before.layer) change.what |= Changed::Pen;
  if (listsGeneration_ != before.listsGeneration) change.what |= Changed::Animations;
  if (model_.history.Generation() != before.historyGeneration) change.what |= Changed::Undo;
  if (Modified() != before.modified) change.what |= Changed::Modified;
  if (overlayDistance_ != before.overlayDistance) change.what |= Changed::Pairs;
  if (objectsRevision_ != before.objectsRevision) change.what |= Changed::Objects;
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

void SpriteDocument::Finish(const Before& before, Rules rules) {
  EditHistory& history = model_.history;
  bool contentChanged = Colours() != before.colours || listsGeneration_ != before.listsGeneration;
  bool canvasChanged = false;
  EditStep* open = stepOpen_ ? history.Top() : nullptr;
  // The sprites the open step holds: a fill of a large object adds dozens at once.
  std::bitset<kSpriteCount> held;
  if (open) {
    for (const SpriteEdit& edit : open->sprites) held.set(static_cast<std::size_t>(edit.sprite));
    // A new step takes the sprites at once; a stroke's step grows as it goes.
    if (open->sprites.empty()) open->sprites.reserve(before.numbers.size());
  }
  for (std::size_t k = 0; k < before.numbers.size(); ++k) {
    const int n = before.numbers[k];
    if (model_.bank.Record(n) == before.sprites[k]) continue;
    if (model_.bank.Attribute(n) != before.sprites[k][kAttributeOffset]) ++attributesRevision_;
    contentChanged = true;
    canvasChanged = canvasChanged || std::ranges::find(shownSprites_, n) != shownSprites_.end();
    // The open step holds every sprite it changes, as it was before the step.
    if (open && !held.test(static_cast<std::size_t>(n))) {
      held.set(static_cast<std::size_t>(n));
      open->sprites.push_back({n, before.sprites[k], {}});
    }
  }
  if (open && Colours() != before.colours && !open->colours) {
    open->colours = ColourEdit{before.colours, {}};
  }
  if (!rules.fromHistory) {
    if (contentChanged) history.ContentChanged(open != nullptr);
    if (rules.replaces && canvasChanged) {
      ForgetHistory();
    } else if (canvasChanged) {
      history.ForgetRedo();
    }
  }
  if (rules.marksSaved) {
    history.MarkSaved();
    savedObjectsRevision_ = objectsRevision_;
  }

  EditorState& state = model_.state;
  state.UpperHalf = state.CurrentSprite >= kHalfBankSprites;
  state.PenColours[kSpriteColourPen] = SpriteColour(CurrentAttribute());
  // The pair follows the bit, also when an Undo takes it back: the history stays. Worked out
  // again only when what it depends on changed: a painted pixel leaves it as it is.
  if (followsSprite_) {
    const CanvasBasis basis = BasisFor(state.CurrentSprite);
    if (canvasBasis_ != basis) {
      SetCanvas(CanvasFor(state.CurrentSprite));
      canvasBasis_ = basis;
    }
  }
  // A pen the panel hides (the multi-colour pens of a hi-res sprite, the other sprite's colour)
  // hands over to the edited sprite's own colour.
  const bool pair = PairShown();
  const bool upperMulti = pair && IsMultiColour(model_.bank.Attribute(*PenUpper()));
  const auto offered = [&](std::uint8_t pen) {
    return PenOffered(pen, pair, editLayer_, CurrentIsMultiColour(), upperMulti);
  };
  if (!offered(state.CurrentPen)) {
    state.CurrentPen = offered(kSpriteColourPen) ? std::uint8_t{kSpriteColourPen} : kUpperColourPen;
  }
  const DocumentChange change = Compare(before);
  if (change.Empty()) return;
  // A copy, so that a listener may unsubscribe while it is told.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(change);
}

void SpriteDocument::Finish(const Before& before) {
  Finish(before, Rules{});
}

void SpriteDocument::PushStep(std::string name, const Before& records) {
  EditStep& step = model_.history.Push(std::move(name));
  for (std::size_t k = 0; k < records.numbers.size(); ++k) {
    step.sprites.push_back({records.numbers[k], records.sprites[k], {}});
  }
  stepOpen_ = true;
}

void SpriteDocument::SetCanvas(SpriteCanvas canvas) {
  if (canvas == canvas_) return;
  canvas_ = std::move(canvas);
  shownSprites_ = canvas_.Sprites();
  ++canvasGeneration_;
  canvasBasis_.reset();
}

SpriteDocument::CanvasBasis SpriteDocument::BasisFor(int n) const {
  return {n, showObjects_, objectsRevision_, attributesRevision_, overlayDistance_};
}

std::optional<int> SpriteDocument::UpperOfShown() const {
  const auto origin = PairShown() ? canvas_.OriginOf(CurrentSprite()) : std::nullopt;
  if (!origin) return std::nullopt;
  const int upper = canvas_.SpriteAt(1, origin->x / kHiresColumns, origin->y / kSpriteRows);
  return upper == kNoSprite ? std::nullopt : std::optional(upper);
}

std::optional<int> SpriteDocument::PenUpper() const {
  if (const auto upper = UpperOfShown()) return upper;
  if (!PairShown()) return std::nullopt;
  for (int row = 0; row < canvas_.Rows(); ++row) {
    for (int column = 0; column < canvas_.Columns(); ++column) {
      if (const int upper = canvas_.SpriteAt(1, column, row); upper != kNoSprite) return upper;
    }
  }
  return std::nullopt;
}

std::optional<int> SpriteDocument::OverlayOf(int n) const {
  return OverlayPartner(model_.bank, n, overlayDistance_);
}

CanvasPixels SpriteDocument::Pixels() const {
  CanvasPixels pixels(model_.bank, canvas_);
  pixels.SetEditLayer(editLayer_);
  return pixels;
}

void SpriteDocument::SetOverlayDistance(int distance) {
  const Before before = Capture(0, -1);
  overlayDistance_ = distance;
  Finish(before);
}

void SpriteDocument::SetEditLayer(EditLayer layer) {
  const Before before = Capture(0, -1);
  editLayer_ = layer;
  Finish(before);
}

void SpriteDocument::ForgetHistory() {
  model_.history.Forget();
  stepOpen_ = false;
}

SpriteCanvas SpriteDocument::CanvasFor(int n) const {
  // A sprite alone, or the lower layer of its pair.
  const auto alone = [&] {
    if (const auto upper = OverlayOf(n)) return SpriteCanvas(1, 1, {{n}, {*upper}});
    return SpriteCanvas::Single(n);
  };
  if (!showObjects_) return alone();
  const bool newestHolds =
      newestObject_ && *newestObject_ < objects_.size() && objects_[*newestObject_].Holds(n);
  const auto index = newestHolds ? newestObject_ : ObjectHolding(objects_, n);
  if (!index) return alone();
  return ObjectCanvas(*index).value_or(alone());
}

std::optional<SpriteCanvas> SpriteDocument::ObjectCanvas(std::size_t index) const {
  if (index >= objects_.size()) return std::nullopt;
  const SpriteObject& object = objects_[index];
  const bool inBank =
      std::ranges::all_of(object.cells, [](int c) { return c >= 0 && c < kSpriteCount; });
  if (!inBank) return std::nullopt;
  // The partners of the sprites that have them, as the upper layer over those cells.
  std::vector<int> uppers;
  for (const int cell : object.cells) uppers.push_back(OverlayOf(cell).value_or(kNoSprite));
  if (std::ranges::all_of(uppers, [](int upper) { return upper == kNoSprite; })) {
    return SpriteCanvas(object.columns, object.rows, {object.cells});
  }
  return SpriteCanvas(object.columns, object.rows, {object.cells, std::move(uppers)});
}

void SpriteDocument::FollowObjects() {
  SpriteCanvas canvas = CanvasFor(CurrentSprite());
  if (canvas == canvas_) return;
  SetCanvas(std::move(canvas));
  ForgetHistory();
}

void SpriteDocument::ShowObjects(bool on) {
  if (on == showObjects_) return;
  const Before before = Capture(0, -1);
  showObjects_ = on;
  FollowObjects();
  Finish(before);
}

void SpriteDocument::SelectSprite(int n) {
  SpriteCanvas canvas = CanvasFor(n);
  if (n == CurrentSprite() && canvas_ == canvas && followsSprite_) return;
  const Before before = Capture(0, -1);
  model_.state.CurrentSprite = n;
  followsSprite_ = true;
  // Another sprite of the object on show keeps its history: the canvas is the same.
  if (canvas != canvas_) {
    SetCanvas(std::move(canvas));
    ForgetHistory();
    // An edit that goes on into the sprite now shown (PgDn pressed mid-stroke) is an edit
    // there: one step, like any other.
    if (editOpen_) PushStep(editName_, Capture(shownSprites_));
  }
  Finish(before);
}

void SpriteDocument::ShowCanvas(SpriteCanvas canvas) {
  if (canvas == canvas_) return;
  const Before before = Capture(0, -1);
  followsSprite_ = false;
  SetCanvas(std::move(canvas));
  ForgetHistory();
  if (editOpen_) PushStep(editName_, Capture(shownSprites_));
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

void SpriteDocument::InStep(std::string name, std::vector<int> sprites,
                            const std::function<void()>& change) {
  const Before before = Capture(std::move(sprites));
  PushStep(std::move(name), before);
  change();
  Finish(before);
  // The step ends with the change: an edit that is open goes on in a step of its own, taken by
  // its next change, as after an Undo.
  stepOpen_ = false;
}

void SpriteDocument::PickColour(std::uint8_t index) {
  index &= kColourIndexMask;
  if (CurrentPen() == kUpperColourPen) {
    const auto upper = PenUpper();
    if (!upper) return;  // the pen is offered only while a pair is shown
    InStep("Sprite Colour", {*upper}, [&] {
      std::uint8_t& attribute = model_.bank.Attribute(*upper);
      attribute = static_cast<std::uint8_t>((attribute & ~kColourIndexMask) | index);
    });
    return;
  }
  if (CurrentPen() != kSpriteColourPen) {
    const Before before = Capture(0, -1);
    model_.state.PenColours[CurrentPen()] = index;
    Finish(before);
    return;
  }
  InStep("Sprite Colour", {CurrentSprite()}, [&] {
    // Only the colour bits: the mode, overlay and expand bits stay as the file set them.
    std::uint8_t& attribute = model_.CurrentAttribute();
    attribute = static_cast<std::uint8_t>((attribute & ~kColourIndexMask) | index);
  });
}

void SpriteDocument::SetMultiColour(bool multiColour) {
  if (multiColour == CurrentIsMultiColour()) return;
  const Before before = Capture({CurrentSprite()});
  model_.CurrentAttribute() ^= kMultiColourFlag;
  Finish(before);
}

void SpriteDocument::SetExpanded(std::uint8_t flag, bool on) {
  if (((CurrentAttribute() & flag) != 0) == on) return;
  InStep(flag == kExpandXFlag ? "Expand X" : "Expand Y", {CurrentSprite()},
         [&] { model_.CurrentAttribute() ^= flag; });
}

void SpriteDocument::SetOverlay(bool on) {
  if (((CurrentAttribute() & kOverlayFlag) != 0) == on) return;
  InStep("Overlay Next Sprite", {CurrentSprite()},
         [&] { model_.CurrentAttribute() ^= kOverlayFlag; });
}

void SpriteDocument::RunCanvasEdit(const std::function<void(CanvasEdit&)>& edit, Before* before) {
  CanvasPixels pixels(model_.bank, canvas_);
  pixels.SetEditLayer(editLayer_);
  std::vector<SpriteOriginal> originals;
  if (before) {
    originals.reserve(shownSprites_.size());
    pixels.KeepOriginals(&originals);
  }
  SharedColours colours = Colours();
  CanvasEdit canvasEdit{pixels, colours};
  edit(canvasEdit);
  for (auto& colour : colours) colour &= kColourIndexMask;
  SetColours(model_.state, colours);
  if (!before) return;
  before->numbers.reserve(before->numbers.size() + originals.size());
  before->sprites.reserve(before->sprites.size() + originals.size());
  for (const SpriteOriginal& original : originals) {
    before->numbers.push_back(original.sprite);
    before->sprites.push_back(original.record);
  }
}

void SpriteDocument::BeginEdit(std::string name) {
  if (editOpen_) return;
  const Before before = Capture(0, -1);
  editOpen_ = true;
  editName_ = std::move(name);
  PushStep(editName_, Capture(shownSprites_));
  Finish(before);
}

void SpriteDocument::Edit(const std::function<void(CanvasEdit&)>& edit) {
  if (!editOpen_) {
    Apply("Edit", edit);
    return;
  }
  // The open step holds every sprite of the canvas as it was: only those the edit writes can
  // have changed.
  if (stepOpen_) {
    Before before = Capture({});
    RunCanvasEdit(edit, &before);
    Finish(before);
    return;
  }
  const Before before = Capture(shownSprites_);
  RunCanvasEdit(edit);
  // After an Undo or Redo of the open edit's step, the first change takes a step of its own,
  // from what was there before it; a change of nothing takes none and leaves the Redo.
  bool changed = Colours() != before.colours;
  for (std::size_t k = 0; k < before.numbers.size() && !changed; ++k) {
    changed = model_.bank.Record(before.numbers[k]) != before.sprites[k];
  }
  if (changed) PushStep(editName_, before);
  Finish(before);
}

void SpriteDocument::EndEdit() {
  if (editOpen_) stepOpen_ = false;
  editOpen_ = false;
}

void SpriteDocument::CancelEdit() {
  if (!editOpen_) return;
  const bool stepped = stepOpen_;
  EndEdit();
  if (stepped) MoveInHistory(true, false);
}

void SpriteDocument::Apply(std::string name, const std::function<void(CanvasEdit&)>& edit) {
  // A step of its own, which takes each sprite the edit changes as it was.
  Before before = Capture({});
  PushStep(std::move(name), before);
  RunCanvasEdit(edit, &before);
  Finish(before);
  stepOpen_ = false;
}

void SpriteDocument::TransformSprite(Transform transform) {
  std::vector<int> sprites{CurrentSprite()};
  if (PairShown() && editLayer_ != EditLayer::Lower) {
    // The upper layer alone of a sprite of an object with nothing over it is nothing.
    if (editLayer_ == EditLayer::Upper) sprites.clear();
    if (const auto upper = UpperOfShown()) sprites.push_back(*upper);
  }
  InStep("Transform", sprites, [&] {
    for (const int n : sprites) {
      ApplyTransform(model_.bank.Sprite(n), transform, IsMultiColour(model_.bank.Attribute(n)));
    }
  });
}

namespace {

std::vector<int> StepSprites(const EditStep* step) {
  std::vector<int> numbers;
  if (step) {
    for (const SpriteEdit& edit : step->sprites) numbers.push_back(edit.sprite);
  }
  return numbers;
}

}  // namespace

bool SpriteDocument::MoveInHistory(bool undo, bool keepRedo) {
  EditHistory& history = model_.history;
  const Before before = Capture(StepSprites(undo ? history.NextUndo() : history.NextRedo()));
  SharedColours colours = Colours();
  const EditStep* step = undo ? history.NextUndo() : history.NextRedo();
  if (step && step->lists) ++listsGeneration_;
  const bool moved = undo ? history.Undo(model_.bank, colours, model_.lists)
                          : history.Redo(model_.bank, colours, model_.lists);
  if (!keepRedo) history.ForgetRedo();
  SetColours(model_.state, colours);
  // An edit that is open goes on in a step of its own.
  stepOpen_ = false;
  Finish(before, {.fromHistory = true});
  return moved;
}

bool SpriteDocument::Undo() {
  return MoveInHistory(true, true);
}

bool SpriteDocument::Redo() {
  return MoveInHistory(false, true);
}

void SpriteDocument::CutSprite() {
  InStep("Cut", {CurrentSprite()}, [&] { kelvane::CutSprite(model_); });
}

void SpriteDocument::CopySprite() {
  const Before before = Capture(0, -1);
  kelvane::CopySprite(model_);
  Finish(before);
}

bool SpriteDocument::PasteSprite() {
  if (!ClipboardFull()) return false;
  InStep("Paste", {CurrentSprite()}, [&] { kelvane::PasteSprite(model_); });
  return true;
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
  Finish(before, {.replaces = true});
}

void SpriteDocument::RemoveBlanks() {
  const Before before = Capture(0, kLastSprite);
  kelvane::RemoveBlanks(model_);
  Finish(before, {.replaces = true});
}

void SpriteDocument::CopyAttributesToAll(std::uint8_t attribute) {
  const Before before = Capture(0, kLastSprite);
  kelvane::CopyAttributesToAll(model_, attribute);
  Finish(before);
}

void SpriteDocument::New() {
  const Before before = Capture(0, kLastSprite);
  ResetForNewBank(model_);
  followsSprite_ = true;
  if (!model_.lists.animations.empty()) {
    model_.lists = {};
    ++listsGeneration_;
  }
  if (!objects_.empty()) {
    objects_.clear();
    ++objectsRevision_;
  }
  SetCanvas(SpriteCanvas::Single(0));
  EndEdit();
  ForgetHistory();
  Finish(before, {.marksSaved = true});
}

void SpriteDocument::Load(std::span<const SpriteRecord> records,
                          const std::optional<SharedColours>& colours,
                          std::vector<SpriteAnimation> animations,
                          std::vector<SpriteObject> objects) {
  const int count = std::min<int>(static_cast<int>(records.size()), kSpriteCount);
  const Before before = Capture(0, count - 1);
  if (objects != objects_) {
    objects_ = std::move(objects);
    ++objectsRevision_;
  }
  newestObject_.reset();
  PutRecords(model_, 0, records.first(count));
  SortByKind(animations);
  if (animations != model_.lists.animations) {
    model_.lists.animations = std::move(animations);
    ++listsGeneration_;
  }
  if (colours) {
    // The colour registers read four bits, and so does the palette.
    SharedColours read = *colours;
    for (auto& colour : read) colour &= kColourIndexMask;
    SetColours(model_.state, read);
  }
  model_.state.CurrentSprite = 0;
  followsSprite_ = true;
  SetCanvas(CanvasFor(0));
  ForgetHistory();
  Finish(before, {.marksSaved = true});
}

void SpriteDocument::SetAnimations(std::string name, std::vector<SpriteAnimation> animations) {
  SortByKind(animations);
  if (animations == model_.lists.animations) return;
  InStep(std::move(name), {}, [&] {
    DocumentLists after = model_.lists;
    after.animations = std::move(animations);
    model_.history.Top()->lists = ListsEdit{model_.lists, {}};
    model_.lists = std::move(after);
    ++listsGeneration_;
  });
}

void SpriteDocument::MarkSaved() {
  const Before before = Capture(0, -1);
  Finish(before, {.marksSaved = true});
}

void SpriteDocument::MarkUnsaved() {
  const Before before = Capture(0, -1);
  model_.history.ContentChanged(false);
  Finish(before);
}

void SpriteDocument::ChangeObjects(const std::function<void(std::vector<SpriteObject>&)>& change) {
  const Before before = Capture(0, -1);
  change(objects_);
  ++objectsRevision_;
  FollowObjects();
  Finish(before);
}

void SpriteDocument::AddObject(SpriteObject object) {
  ChangeObjects([&](auto& objects) {
    newestObject_ = objects.size();
    objects.push_back(std::move(object));
  });
}

void SpriteDocument::RenameObject(std::size_t index, std::string name) {
  if (objects_[index].name == name) return;
  ChangeObjects([&](auto& objects) { objects[index].name = std::move(name); });
}

void SpriteDocument::RemoveObject(std::size_t index) {
  ChangeObjects([&](auto& objects) {
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(index));
    if (newestObject_ == index) newestObject_.reset();
    if (newestObject_ > index) --*newestObject_;
    // The animations over objects follow in the same change, and so does every list the history
    // holds, so that an Undo never brings back numbers of the objects as they were.
    const auto renumber = [&](DocumentLists& lists) {
      lists.animations = WithoutObject(std::move(lists.animations), static_cast<int>(index));
    };
    const DocumentLists before = model_.lists;
    renumber(model_.lists);
    model_.history.RewriteLists(renumber);
    if (model_.lists != before) ++listsGeneration_;
  });
}

void SpriteDocument::PutSprites(int first, std::span<const SpriteRecord> records) {
  const int count = std::min<int>(static_cast<int>(records.size()), kSpriteCount - first);
  const Before before = Capture(first, first + count - 1);
  PutRecords(model_, first, records);
  Finish(before, {.replaces = true});
}

}  // namespace kelvane
