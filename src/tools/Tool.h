// A drawing tool: what the editor does with presses, moves and releases of the mouse over the
// canvas. Tools change the bank only through the document's edits, so every use of one is a
// step of the history, and show what they would draw as a preview that never touches the bank.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/SpriteCanvas.h"

namespace kelvane {

enum ToolButton : unsigned {
  kNoButton = 0,
  kLeftButton = 1u << 0,   // draws with the current pen
  kRightButton = 1u << 1,  // draws with the transparent pen
  kMiddleButton = 1u << 2,
};

struct ToolModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

struct ToolEvent {
  std::optional<CanvasPoint> point;  // nothing when the pointer is off the canvas
  unsigned button = kNoButton;       // the button pressed or released; none for a move
  unsigned buttons = kNoButton;      // the buttons held after the event
  ToolModifiers modifiers;
};

// A pixel the tool would draw, in the pen it would draw it with.
struct PreviewPixel {
  CanvasPoint point;
  std::uint8_t pen = 0;

  bool operator==(const PreviewPixel&) const = default;
};
using Preview = std::vector<PreviewPixel>;

// A frame the editor draws round a rectangle of canvas points: a selection's.
struct CanvasFrame {
  CanvasPoint topLeft;
  int width = 0;
  int height = 0;

  bool operator==(const CanvasFrame&) const = default;
};

class Tool {
 public:
  virtual ~Tool() = default;
  virtual void Press(const ToolEvent& event) = 0;
  virtual void Move(const ToolEvent& event) = 0;
  virtual void Release(const ToolEvent& event) = 0;
  // Esc: the use in progress ends and the canvas is left as it was before it.
  virtual void Cancel() = 0;
  // Another tool is chosen: by default, as Esc.
  virtual void Leave() { Cancel(); }
  // The canvas now shows other sprites: a use in progress goes on from the next event.
  virtual void CanvasChanged() {}
  virtual const Preview& CurrentPreview() const { return kNoPreview; }
  virtual std::optional<CanvasFrame> Frame() const { return std::nullopt; }

 private:
  static inline const Preview kNoPreview;
};

}  // namespace kelvane
