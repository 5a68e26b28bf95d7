// The pens of a canvas's pixels, read from the bank and plotted into it: what the drawing tools
// see of the sprites, whichever sprite a point lands in.
#pragma once

#include <cstdint>
#include <optional>

#include "model/SpriteBank.h"
#include "model/SpriteCanvas.h"

namespace kelvane {

class CanvasPixels {
 public:
  // Reading only.
  CanvasPixels(const SpriteBank& bank, const SpriteCanvas& canvas);
  // Reading and plotting.
  CanvasPixels(SpriteBank& bank, const SpriteCanvas& canvas);

  const SpriteCanvas& Canvas() const { return canvas_; }
  // How many canvas columns the pixel under p covers: 2 in a multi-colour sprite, else 1.
  int PixelWidthAt(CanvasPoint p, int layer = 0) const;
  // The pen value of the pixel under p (a set hi-res pixel reads as the sprite colour pen), or
  // nothing off the canvas.
  std::optional<std::uint8_t> PenAt(CanvasPoint p, int layer = 0) const;
  // Writes pen into the pixel under p, in its sprite's own mode, as painting does; erase clears
  // it whatever the pen. Off the canvas, nothing. ASSUMPTION: made for plotting.
  void Plot(CanvasPoint p, std::uint8_t pen, bool erase, int layer = 0);

 private:
  const SpriteBank& bank_;
  SpriteBank* writable_ = nullptr;
  const SpriteCanvas& canvas_;
};

}  // namespace kelvane
