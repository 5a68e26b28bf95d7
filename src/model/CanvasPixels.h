// The pens of a canvas's pixels, read from the bank and plotted into it: what the drawing tools
// see of the sprites, whichever sprite a point lands in. On a canvas of two layers (a sprite and
// the one drawn over it) the tools see the layer they edit, or both as they show (by colour):
// every tool reads and writes through here, so all of them follow the same rule. On an object's
// canvas, a cell with nothing over it has no upper layer: the upper layer alone has no pixels
// there, and by colour only the pens of its own sprite write it.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/CanvasRegion.h"
#include "model/OverlayPairs.h"
#include "model/SpriteBank.h"
#include "model/SpriteCanvas.h"

namespace kelvane {

// What RowPens reads where there is no pixel to edit: no pen matches it.
inline constexpr std::uint8_t kNoPixelPen = 0xFE;

// A sprite as it was before an edit wrote it.
struct SpriteOriginal {
  int sprite = 0;
  SpriteRecord record{};
};

class CanvasPixels {
 public:
  // Reading only.
  CanvasPixels(const SpriteBank& bank, const SpriteCanvas& canvas);
  // Reading and plotting.
  CanvasPixels(SpriteBank& bank, const SpriteCanvas& canvas);

  const SpriteCanvas& Canvas() const { return canvas_; }
  // Which layer of a two-layer canvas the tools see; a canvas of one layer has only its own.
  void SetEditLayer(EditLayer layer) { editLayer_ = layer; }
  // Whether the tools see both layers at once, each pixel in whichever shows.
  bool SeesBothLayers() const { return canvas_.Layers() > 1 && editLayer_ == EditLayer::ByColour; }
  // How many canvas columns the pixel under p covers: 2 in a multi-colour sprite, else 1. By
  // colour, the narrower of the two layers' pixels there, so that a line misses neither.
  int PixelWidthAt(CanvasPoint p) const;
  // The pen value of the pixel under p (a set hi-res pixel reads as the sprite colour pen), or
  // nothing off the canvas. By colour, the upper sprite's pixel where it is set (its own colour
  // as kUpperColourPen), else the lower one's; in the upper layer alone, the same pens.
  std::optional<std::uint8_t> PenAt(CanvasPoint p) const;
  // Writes pen into the pixel under p, in its sprite's own mode, as painting does; erase clears
  // it whatever the pen. By colour, PenWritesUpper decides the sprite, and erasing clears both.
  // Off the canvas, nothing. ASSUMPTION: made for plotting.
  void Plot(CanvasPoint p, std::uint8_t pen, bool erase);
  // Whether painting with pen at p writes a sprite: not off the canvas, nor where the sprite the
  // pen belongs to is missing (an object's cell with nothing over it).
  bool Writes(CanvasPoint p, std::uint8_t pen) const;

  // What PenAt reads for every column of canvas row y, into pens (Canvas().Width() of them): a
  // multi-colour pixel's pen in both of its columns, and kNoPixelPen where the layer edited has
  // no pixel (a cell of an object with nothing over it). A sprite row is read as its three bytes,
  // not pixel by pixel. ASSUMPTION: y is a row of the canvas.
  void RowPens(int y, std::span<std::uint8_t> pens) const;
  // Plot of every pixel whose left column lies in run, each once. ASSUMPTION: made for plotting.
  void PlotRun(CanvasRun run, std::uint8_t pen, bool erase);
  // The columns PenAt reads as pen, as RowPens reads them; on the first layer alone, a sprite
  // row at a time rather than a column at a time.
  CanvasRegion ColumnsOfPen(std::uint8_t pen) const;
  // PlotRun of every run of region; on the first layer alone, a sprite at a time.
  // ASSUMPTION: made for plotting, and region is as wide and high as the canvas.
  void PlotRegion(const CanvasRegion& region, std::uint8_t pen, bool erase);

  // From now on, the first write to each sprite first adds the sprite as it was to originals:
  // what an edit changed can then be found without keeping every sprite of the canvas first.
  void KeepOriginals(std::vector<SpriteOriginal>* originals) { originals_ = originals; }

  // The same for one layer on its own, whatever the edited layer.
  int PixelWidthInLayer(CanvasPoint p, int layer) const;
  std::optional<std::uint8_t> PenInLayer(CanvasPoint p, int layer) const;
  void PlotInLayer(CanvasPoint p, std::uint8_t pen, bool erase, int layer);

 private:
  // Whether the tools see the pixels of the first layer alone: a canvas of one layer, or the
  // lower layer edited.
  bool EditsLowerLayer() const;
  // Sprite n, to be written.
  std::span<std::uint8_t, kSpriteBytes> Writable(int n);

  const SpriteBank& bank_;
  SpriteBank* writable_ = nullptr;
  std::vector<SpriteOriginal>* originals_ = nullptr;
  std::bitset<kSpriteCount> kept_;
  const SpriteCanvas& canvas_;
  EditLayer editLayer_ = EditLayer::ByColour;
};

}  // namespace kelvane
