// The benchmark groups of kelvane_bench, registered by its main.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QString;

namespace kelvane {
class TForm1;
}

namespace kelvane::bench {

// A drawing set beside a memcpy of exactly the bytes it writes, measured in the same run.
struct FloorComparison {
  std::string figure;   // the name in the summary
  std::string subject;  // the benchmark that draws
  std::string floor;    // the memcpy benchmark
  double maxRatio = 0;  // the target: subject / floor at most this
};

inline constexpr std::size_t kBytesPerPixel = 4;  // the work images are RGB32

// Registers "name": a memcpy of bytes bytes from one buffer into another.
void RegisterMemcpyFloor(const std::string& name, std::size_t bytes);

void RegisterRenderBenchmarks(std::vector<FloorComparison>& comparisons);

// One painted cell and one Animator frame through the real window; the times of all single cells
// are kept so that their median can be reported, not only the mean of each repetition.
void RegisterWindowBenchmarks(TForm1& form);
std::optional<double> PaintedCellMedianNs();
// One Animator frame: SetCurrentSprite and RefreshEditor on the window, as a tick does them.
std::optional<double> AnimatorFrameMedianNs();

// A stroke across a canvas of four sprites, and the memory of a full history of canvas edits.
void RegisterEditBenchmarks();
struct EditFigures {
  double cellsPerReport = 0;  // cells the reports of a stroke's moves name, on average
  int stepsPerStroke = 0;
  double historyMB = 0;  // the heap a document with 127 steps of the 4 x 4 canvas holds
  int historySteps = 0;
};
const EditFigures& EditBenchFigures();

// A fill of a whole sprite, a line across it and one preview update of a rectangle's drag,
// each through the real window: the times (medians) and the pixels of the editor repainted per
// pixel the previews changed.
void RegisterToolBenchmarks(TForm1& form);
struct ToolFigures {
  double fillNs = 0;
  double lineNs = 0;
  double previewNs = 0;
  double repaintedPerChanged = 0;
  double repaintNs = 0;      // the whole sprite's cells painted again, with no change
  std::string repaintFloor;  // the memcpy of those pixels, by its benchmark's name
};
const ToolFigures& ToolBenchFigures();

// A 64-frame animated GIF as Export writes it, and giflib encoding the same frames alone.
void RegisterAnimationBenchmarks();
inline constexpr const char* kGifExportBench =
    "Animation/GIF export of 64 frames of a 4 x 4 object";
inline constexpr const char* kGiflibAloneBench = "Animation/giflib alone on the same frames";
// An object of 8 x 8 sprites through the real window: a painted cell, and a fill of all of it
// with, beside it, a memcpy (fillFloor, by its benchmark's name) of the pixels that repaints and
// the least Qt window's fill of as many pixels.
void RegisterObjectBenchmarks(TForm1& form);
struct ObjectFigures {
  double cellNs = 0;
  double fillNs = 0;
  double leastFillNs = 0;
  std::string fillFloor;
};
const ObjectFigures& ObjectBenchFigures();

// Loading and saving a whole bank with its sidecar in folder.
void RegisterFileBenchmarks(const QString& folder);

}  // namespace kelvane::bench
