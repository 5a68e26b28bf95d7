// Edits of a canvas of several sprites: a stroke of the pen across four sprites, and what the
// history holds after 127 edits of every pixel of a 4 x 4 canvas.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <numeric>
#include <vector>

#include "Benchmarks.h"
#include "model/SpriteDocument.h"
#include "tools/FreehandTool.h"

namespace kelvane::bench {
namespace {

constexpr int kStrokeCells = 100;
EditFigures editFigures;

// A stroke of 100 reports, one cell apart, round the middle of a 2 x 2 canvas: across all four
// sprites. Each iteration is the whole stroke, press to release; the counters say what each
// report changed and how many steps the stroke took.
void StrokeAcrossCanvas(benchmark::State& st) {
  SpriteDocument document;
  document.ShowCanvas(SpriteCanvas(2, 2, {{0, 1, 2, 3}}));
  std::vector<CanvasPoint> path;
  for (int k = 0; k < kStrokeCells; ++k) {
    const int side = k / 25;
    const int step = k % 25;
    const CanvasPoint corners[] = {{12, 10}, {37, 10}, {37, 35}, {12, 35}};
    const CanvasPoint from = corners[side];
    const CanvasPoint to = corners[(side + 1) % 4];
    path.push_back({from.x + (to.x - from.x) * step / 25, from.y + (to.y - from.y) * step / 25});
  }
  std::size_t reports = 0;
  std::size_t cellsReported = 0;
  bool counting = true;
  const auto id = document.Subscribe([&](const DocumentChange& change) {
    if (!counting) return;
    ++reports;
    for (const SpriteCells& sprite : change.cells) {
      cellsReported +=
          static_cast<std::size_t>(sprite.cells.last.column - sprite.cells.first.column + 1) *
          (sprite.cells.last.row - sprite.cells.first.row + 1);
    }
  });
  FreehandTool pen(document);
  int steps = 0;
  for (auto _ : st) {
    const int before = document.UndoCount();
    pen.Press({path.front(), kLeftButton, kLeftButton, {}});
    for (const CanvasPoint p : path) pen.Move({p, kNoButton, kLeftButton, {}});
    pen.Release({path.back(), kLeftButton, kNoButton, {}});
    steps = document.UndoCount() - before;
    st.PauseTiming();
    counting = false;
    document.Undo();  // the next stroke paints the same cells again
    counting = true;
    st.ResumeTiming();
  }
  document.Unsubscribe(id);
  editFigures.cellsPerReport =
      reports ? static_cast<double>(cellsReported) / static_cast<double>(reports) : 0;
  editFigures.stepsPerStroke = steps;
  st.counters["cells_per_report"] = editFigures.cellsPerReport;
  st.counters["steps_per_stroke"] = steps;
}

std::size_t HeapInUse() {
  return mallinfo2().uordblks;
}

// The heap the history of 127 edits of every pixel of sixteen sprites takes.
void HistoryOf127CanvasEdits(benchmark::State& st) {
  for (auto _ : st) {
    st.PauseTiming();
    const std::size_t before = HeapInUse();
    st.ResumeTiming();
    {
      SpriteDocument document;
      std::vector<int> sprites(16);
      std::iota(sprites.begin(), sprites.end(), 0);
      document.ShowCanvas(SpriteCanvas(4, 4, {sprites}));
      const SpriteCanvas& canvas = document.Canvas();
      for (int k = 0; k < kUndoLevels; ++k) {
        document.Apply("Invert", [&](CanvasEdit& e) {
          for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); x += e.pixels.PixelWidthAt({x, y})) {
              e.pixels.Plot({x, y}, 3, k % 2 == 1);
            }
          }
        });
      }
      st.PauseTiming();
      editFigures.historyMB = static_cast<double>(HeapInUse() - before) / (1 << 20);
      editFigures.historySteps = document.UndoCount();
      st.counters["history_MB"] = editFigures.historyMB;
      st.counters["steps"] = editFigures.historySteps;
      st.ResumeTiming();
    }
  }
}

}  // namespace

const EditFigures& EditBenchFigures() {
  return editFigures;
}

void RegisterEditBenchmarks() {
  benchmark::RegisterBenchmark("Edit/stroke of 100 cells across a 2x2 canvas", StrokeAcrossCanvas)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Edit/127 full edits of a 4x4 canvas", HistoryOf127CanvasEdits)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(1);
}

}  // namespace kelvane::bench
