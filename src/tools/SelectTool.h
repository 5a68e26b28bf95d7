// The rectangular selection. A drag marks it; a drag inside it lifts its pixels and moves them
// (Ctrl: a copy of them), as do the arrow keys; they float over the canvas, touching nothing,
// until Enter or a press outside puts them down as one step. Esc puts them back where they came
// from. While a selection exists the Edit commands act on it: Del clears it, the nudges, flips
// and symmetrizes and the rotations rearrange its pixels, Ctrl+C copies them, and
// Ctrl+Shift+V pastes them as a new floating selection.
#pragma once

#include <functional>
#include <optional>

#include "model/SpriteDocument.h"
#include "tools/PixelBlock.h"
#include "tools/PixelGrid.h"
#include "tools/Tool.h"

namespace kelvane {

class SelectTool : public Tool {
 public:
  explicit SelectTool(SpriteDocument& document) : document_(document) {}

  void Press(const ToolEvent& event) override;
  void Move(const ToolEvent& event) override;
  void Release(const ToolEvent& event) override;
  // Esc: a floating selection goes back where it came from; otherwise the selection goes.
  void Cancel() override;
  // Another tool is chosen: floating pixels are put down and the selection goes.
  void Leave() override;
  // The pixels under the selection changed under it: it goes, floating pixels and all.
  void CanvasChanged() override;
  const Preview& CurrentPreview() const override { return preview_; }
  std::optional<CanvasFrame> Frame() const override;

  bool HasSelection() const { return selection_.has_value(); }
  bool Floating() const { return floating_; }
  bool Square() const { return selection_ && selection_->width == selection_->height; }
  // By whole pixels; lifts the pixels first when they lie in the canvas.
  void MoveBy(int columns, int rows);
  void PutDown();
  void Clear();
  void Copy();
  bool CanPaste() const { return !clipboard_.Empty(); }
  // The copied pixels float at the selection's corner, or the canvas's.
  void Paste();
  void Apply(Transform transform);
  // A quarter turn; false, with nothing done, when the selection is not square.
  bool Rotate(bool right);

 private:
  PixelBlock Read(const PixelRect& rect) const;
  void Lift(bool copy);
  // Runs change on the selection's pixels: the floating ones, or those under it as one step.
  void Rearrange(const char* name, const std::function<PixelBlock(const PixelBlock&)>& change);
  void Show();
  std::optional<SpriteCell> PixelOf(const ToolEvent& event) const;
  PixelRect CanvasGrid() const;

  SpriteDocument& document_;
  PixelGrid grid_;
  std::optional<PixelRect> selection_;  // where it is now, in pixels of grid_
  bool floating_ = false;
  PixelBlock block_;                 // the floating pixels
  std::optional<PixelRect> origin_;  // where they were lifted from; none when pasted
  bool copying_ = false;             // the origin keeps its pixels
  enum class Drag { None, Marking, Moving } drag_ = Drag::None;
  SpriteCell anchor_;  // the corner a marking drag started at, or the pixel a move holds
  PixelBlock clipboard_;
  Preview preview_;
};

}  // namespace kelvane
