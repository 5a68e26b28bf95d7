// The sprites being edited and everything about editing them: the one owner of the bank, the
// editor state, the undo history and both clipboards, and the only way to change any of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/CanvasPixels.h"
#include "model/DocumentChange.h"
#include "model/EditorModel.h"
#include "model/OverlayPairs.h"
#include "model/SpriteCanvas.h"
#include "model/SpriteCell.h"
#include "model/SpriteObject.h"
#include "model/Transforms.h"

namespace kelvane {

// What an edit of the canvas may change: its sprites' pixels, and the shared colours.
struct CanvasEdit {
  CanvasPixels& pixels;
  SharedColours& colours;
};

// Every operation reports what it changed to every listener, once, after it has finished and
// the document is consistent again; an operation that changes nothing reports nothing.
// Listeners only read: they must not call back into the document while it reports.
//
// Every change to the bank passes through Finish, which compares it with what was there before:
// so the report, the step the change joins and the content revision can never disagree with the
// bytes. Which operations make an undo step is decided here and nowhere else:
// - transforms, sprite cut and paste, a sprite colour pick and each edit of the canvas are one
//   step each, also when they leave the sprite as it was;
// - the multi-colour toggle, the shared colours, the range operations and the bank-wide
//   operations make none;
// - the history belongs to the canvas on show: showing another sprite forgets it, and so does
//   bringing other content into a sprite on show without going through it (Load, Remove Blanks,
//   Paste Range);
// - PenColours[2] is the shown sprite's own colour, and UpperHalf says whether it is above 127;
// - while a hi-res sprite is shown, the multi-colour pens cannot be the current pen; while a pair
//   is shown, the current pen is one PenOffered offers;
// - a sprite with the overlay bit is shown with its partner over it, as a canvas of two layers
//   (lower, upper) that follows the bit, the distance and the mode without forgetting the history;
//   an object whose sprites have partners is shown with them as its upper layer, the same way.
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
  // The sprites the editor shows, and their pixels for reading.
  const SpriteCanvas& Canvas() const { return canvas_; }
  CanvasPixels Pixels() const;
  // How many places on the sprite drawn over one with the overlay bit is.
  int OverlayDistance() const { return overlayDistance_; }
  // Any distance, as its file has it: one below 1 pairs nothing.
  void SetOverlayDistance(int distance);
  // The sprite drawn over sprite n, or none.
  std::optional<int> OverlayOf(int n) const;
  // Whether the editor shows the shown sprite, or sprites of its object, with partners over them.
  bool PairShown() const { return followsSprite_ && canvas_.Layers() > 1; }
  // The partner shown over the shown sprite, or none.
  std::optional<int> UpperOfShown() const;
  // While a pair is shown, the upper sprite whose own colour kUpperColourPen shows and the colour
  // strip sets: the one over the shown sprite, else the first of the object's, row by row. Each
  // upper sprite is still painted in its own colour.
  std::optional<int> PenUpper() const;
  EditLayer Layer() const { return editLayer_; }
  // Which sprite of a shown pair the tools write; reported as a change of the pen.
  void SetEditLayer(EditLayer layer);
  int UndoCount() const { return model_.history.UndoCount(); }
  int RedoCount() const { return model_.history.RedoCount(); }
  bool UndoButtonEnabled() const { return model_.history.UndoButtonEnabled(); }
  // Whether the bank, the shared colours or the objects differ from what was last loaded or
  // saved.
  bool Modified() const {
    return model_.history.Modified() || objectsRevision_ != savedObjectsRevision_;
  }
  const std::vector<SpriteObject>& Objects() const { return objects_; }
  bool ClipboardFull() const { return model_.clipboard.ClipboardFull; }
  // The animations of the sprites, then those over objects, each in the order their file keeps
  // them.
  const std::vector<SpriteAnimation>& Animations() const { return model_.lists.animations; }
  // True from the first range taken on, also when that range was empty.
  bool RangeTaken() const { return rangeTaken_; }

  // The shown sprite, on a canvas of its own, or while objects are shown on that of the object
  // holding it. Another canvas than the one on display forgets the history.
  // ASSUMPTION: n is 0..255, as every control that selects one keeps it.
  void SelectSprite(int n);
  // Whether the shown sprite is shown on the canvas of the first object that holds it (a sprite
  // in no object is still shown alone), from now on and as other sprites are shown.
  void ShowObjects(bool on);
  bool ShowingObjects() const { return showObjects_; }
  // The canvas sprite n is shown on, as things are.
  SpriteCanvas CanvasFor(int n) const;
  // Object index as the editor shows it, its overlay partners over its cells; none for an object
  // that is not there or names a sprite outside the bank.
  std::optional<SpriteCanvas> ObjectCanvas(std::size_t index) const;
  // Another canvas forgets the history; the shown sprite stays as it was.
  void ShowCanvas(SpriteCanvas canvas);
  // "Upper 128": the same place in the other half of the bank.
  void SetUpperHalf(bool upper);
  // The editor scroll bar: position 0..127 within the current half.
  void SelectInHalf(int position);
  // The neighbour step sprites away (PgUp/PgDn): within the current half, stopping at its ends
  // as the editor scroll bar does; acrossHalves (Ctrl), within the whole bank.
  void StepSprite(int step, bool acrossHalves);

  void SelectPen(std::uint8_t pen);
  // The colour strip: for the sprite colour pen, the shown sprite's colour (one undo step, the
  // other bits of its attribute byte kept), and for kUpperColourPen the upper sprite's of a pair;
  // for the others, the shared colour every sprite shows.
  void PickColour(std::uint8_t index);
  // The multi-colour flag of the shown sprite. Takes no undo step and keeps the pixel bytes.
  void SetMultiColour(bool multiColour);
  // Sets or clears flag (kExpandXFlag or kExpandYFlag) of the shown sprite's attribute byte, the
  // other bits kept: one undo step, none when the bit is already so.
  void SetExpanded(std::uint8_t flag, bool on);
  // Sets or clears the overlay bit of the shown sprite, the other bits kept: one undo step,
  // none when the bit is already so.
  void SetOverlay(bool on);

  // An edit of the canvas that lasts from BeginEdit to EndEdit (a stroke of the pen) is one
  // step, however many changes it makes: the step is taken when it begins, and beginning again
  // while it is open takes none. An Undo or Redo while it is open takes its step away; what it
  // changes after that is a step of its own, taken by the first change.
  void BeginEdit(std::string name);
  // One change of the open edit (one is opened and ended around it when none is), reported once.
  void Edit(const std::function<void(CanvasEdit&)>& edit);
  void EndEdit();
  // Ends the open edit and takes back what it changed, leaving nothing to redo.
  void CancelEdit();
  bool EditOpen() const { return editOpen_; }
  // One edit of the canvas as one step of its own.
  void Apply(std::string name, const std::function<void(CanvasEdit&)>& edit);

  // One undo step, also when the sprite stays as it was. Of a shown pair, the sprite of the edited
  // layer, or both by colour, so that the two stay laid over each other.
  void TransformSprite(Transform transform);
  // False, with nothing changed, when there is nothing to undo.
  bool Undo();
  // Takes back the last Undo; false, with nothing changed, when there is nothing to redo. Any
  // other change to the canvas forgets what could be redone.
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
  // The animations replaced by animations (put in SortByKind order): one undo step named name,
  // none when they are the same.
  void SetAnimations(std::string name, std::vector<SpriteAnimation> animations);

  // A fresh bank and editor state, with nothing to save; the clipboards are kept.
  void New();

  // A file's contents: records from sprite 0 on (any past the last sprite are dropped; the rest
  // of the bank stays), the shared colours when the file has them, sprite 0 shown, the history
  // forgotten and the content marked as the file's, all as one change.
  void Load(std::span<const SpriteRecord> records, const std::optional<SharedColours>& colours,
            std::vector<SpriteAnimation> animations = {}, std::vector<SpriteObject> objects = {});
  // The list of objects. A change takes no undo step (objects only point at sprites) and is
  // unsaved work; removing one renumbers the animations over objects in the same change
  // (WithoutObject). ASSUMPTION: index is that of an object in the list.
  void AddObject(SpriteObject object);
  void RenameObject(std::size_t index, std::string name);
  void RemoveObject(std::size_t index);
  // The content as it is now has been written to the file.
  void MarkSaved();
  // The content is work no file holds (a picture imported as sprites).
  void MarkUnsaved();
  // Writes records from sprite first on, dropping any past the last sprite, without an undo
  // step: as a pasted range does.
  void PutSprites(int first, std::span<const SpriteRecord> records);

 private:
  struct Before;
  // How a change stands to the history, beyond joining the step that is open.
  struct Rules {
    bool fromHistory = false;  // an Undo or Redo: the history has moved itself
    bool replaces = false;     // other content: forgets the history where the canvas changed
    bool marksSaved = false;   // the content is the file's
  };
  Before Capture(std::vector<int> sprites, bool withRange = false) const;
  Before Capture(int first, int last, bool withRange = false) const;
  DocumentChange Compare(const Before& before) const;
  // Puts the derived state back in line, has the history follow the change, then reports what
  // changed since before.
  void Finish(const Before& before, Rules rules);
  void Finish(const Before& before);
  // A new step, open, holding the canvas's sprites as records was before it.
  void PushStep(std::string name, const Before& records);
  void ForgetHistory();
  // The canvas on show, with the sprites it holds kept beside it for every change to read.
  void SetCanvas(SpriteCanvas canvas);
  // Runs edit on the canvas and the shared colours of the model; with before, adds to it each
  // sprite the edit writes, as it was.
  void RunCanvasEdit(const std::function<void(CanvasEdit&)>& edit, Before* before = nullptr);
  // One change made inside a step of its own, taken before it (also when it changes nothing).
  void InStep(std::string name, std::vector<int> sprites, const std::function<void()>& change);
  // Undo (or Redo) of the next step; keepRedo false forgets what could be redone after it.
  bool MoveInHistory(bool undo, bool keepRedo);

  void ChangeObjects(const std::function<void(std::vector<SpriteObject>&)>& change);
  // The canvas CanvasFor the shown sprite, forgetting the history when it is another.
  void FollowObjects();
  // What CanvasFor(n) is worked out from: while it stays the same, so does the canvas.
  struct CanvasBasis {
    int sprite = 0;
    bool showObjects = false;
    std::uint64_t objectsRevision = 0;
    std::uint64_t attributesRevision = 0;
    int overlayDistance = kDefaultOverlayDistance;

    bool operator==(const CanvasBasis&) const = default;
  };
  CanvasBasis BasisFor(int n) const;

  EditorModel model_;
  std::vector<SpriteObject> objects_;
  // The object made last: where objects overlap, the one shown for the sprites it holds, since
  // its maker asked to see it.
  std::optional<std::size_t> newestObject_;
  bool showObjects_ = false;
  std::uint64_t objectsRevision_ = 0;
  std::uint64_t savedObjectsRevision_ = 0;
  SpriteCanvas canvas_ = SpriteCanvas::Single(0);
  std::vector<int> shownSprites_{0};        // canvas_.Sprites()
  std::uint64_t canvasGeneration_ = 0;      // changes with every other canvas
  std::uint64_t listsGeneration_ = 0;       // changes with every change of model_.lists
  std::uint64_t attributesRevision_ = 0;    // changes with every change of an attribute byte
  std::optional<CanvasBasis> canvasBasis_;  // what canvas_ is CanvasFor, while it follows
  bool followsSprite_ = true;               // the canvas is CanvasFor(CurrentSprite())
  int overlayDistance_ = kDefaultOverlayDistance;
  EditLayer editLayer_ = EditLayer::ByColour;
  bool stepOpen_ = false;  // the history's top step takes the changes being made
  bool editOpen_ = false;
  std::string editName_;
  bool rangeTaken_ = false;
  ListenerId nextListener_ = 0;
  std::vector<std::pair<ListenerId, Listener>> listeners_;
};

}  // namespace kelvane
