// kelvane_bench: the drawing paths beside their memcpy floors, a painted cell and an Animator
// frame through the real window, and the sprite file. Ends with one summary line per figure.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <vector>

#include "Benchmarks.h"
#include "Figure.h"
#include "MedianReporter.h"
#include "ui/TForm1.h"

namespace {

using kelvane::bench::Figure;
using kelvane::bench::FloorComparison;
using kelvane::bench::MedianReporter;

constexpr double kPaintedCellTargetMs = 0.5;
constexpr double kObjectCellMaxRatio = 1.2;  // an object's painted cell beside a sprite's
constexpr double kObjectFillMaxRatio = 4;

// Repetitions with their median, not one long run: the machine is shared, and the median of
// several runs shrugs off the ones another process disturbed. The repetitions of all
// benchmarks are interleaved in random order, so that a drawing and its floor see the same
// mix of loads on the machine and their ratio stays put while the load comes and goes.
std::vector<char*> WithDefaultFlags(int argc, char** argv) {
  static char repetitions[] = "--benchmark_repetitions=9";
  static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
  static char minTime[] = "--benchmark_min_time=0.05";
  static char interleaved[] = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args{argv[0], repetitions, aggregatesOnly, minTime, interleaved};
  // Given later, the caller's own flags win.
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  return args;
}

void ReportComparisons(const MedianReporter& reporter,
                       const std::vector<FloorComparison>& comparisons,
                       std::vector<Figure>& figures) {
  std::printf("\nDrawing beside the memcpy of the bytes it writes (median CPU time):\n");
  for (const FloorComparison& c : comparisons) {
    const auto subject = reporter.MedianCpuNs(c.subject);
    const auto floor = reporter.MedianCpuNs(c.floor);
    if (!subject || !floor) continue;
    const double ratio = *subject / *floor;
    std::printf("  %-30s %10.0f ns   floor %10.0f ns   %6.2f x floor\n", c.figure.c_str(), *subject,
                *floor, ratio);
    char target[32];
    std::snprintf(target, sizeof target, "<= %.0f x memcpy", c.maxRatio);
    figures.push_back({c.figure, ratio, "x memcpy", target, ratio <= c.maxRatio});
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  std::vector<char*> args = WithDefaultFlags(argc, argv);
  int count = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

  kelvane::TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "kelvane_bench: the main window was never shown\n");
    return 1;
  }
  QTemporaryDir folder;
  if (!folder.isValid()) {
    std::fprintf(stderr, "kelvane_bench: no temporary folder: %s\n",
                 qPrintable(folder.errorString()));
    return 1;
  }

  std::vector<FloorComparison> comparisons;
  kelvane::bench::RegisterRenderBenchmarks(comparisons);
  kelvane::bench::RegisterWindowBenchmarks(form);
  kelvane::bench::RegisterFileBenchmarks(folder.path());
  kelvane::bench::RegisterEditBenchmarks();
  kelvane::bench::RegisterToolBenchmarks(form);
  kelvane::bench::RegisterAnimationBenchmarks();
  kelvane::bench::RegisterObjectBenchmarks(form);

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::vector<Figure> figures;
  ReportComparisons(reporter, comparisons, figures);
  if (const auto cell = kelvane::bench::PaintedCellMedianNs()) {
    const double ms = *cell * 1e-6;
    figures.push_back({"painted cell through the window, median", ms, "ms", "< 0.5 ms",
                       ms < kPaintedCellTargetMs, 3});
  }
  // Reported without a target: the Animator's own figure is its cadence, measured apart; how
  // long a save takes is mostly the disk's sync.
  if (const auto frame = kelvane::bench::AnimatorFrameMedianNs()) {
    figures.push_back(
        {"Animator frame through the window, median", *frame * 1e-6, "ms", "", true, 3});
  }
  if (const auto load = reporter.MedianWallNs("SpriteFile/load bank and sidecar")) {
    figures.push_back({"load 16 KiB bank and sidecar", *load * 1e-3, "us", "", true, 1});
  }
  if (const auto save = reporter.MedianWallNs("SpriteFile/save bank and sidecar")) {
    figures.push_back({"save 16 KiB bank and sidecar", *save * 1e-6, "ms", "", true, 2});
  }

  if (const auto stroke = reporter.MedianWallNs("Edit/stroke of 100 cells across a 2x2 canvas")) {
    const auto& edit = kelvane::bench::EditBenchFigures();
    figures.push_back(
        {"stroke of 100 cells across a 2x2 canvas, median", *stroke * 1e-3, "us", "", true, 1});
    figures.push_back(
        {"  cells named per report of that stroke", edit.cellsPerReport, "cells", "", true, 1});
    figures.push_back({"  undo steps of that stroke", static_cast<double>(edit.stepsPerStroke),
                       "steps", "1 step", edit.stepsPerStroke == 1, 0});
    figures.push_back({"127 full-sprite edits of a 4x4 canvas, heap", edit.historyMB, "MB",
                       "<= 2 MB", edit.historySteps == 127 && edit.historyMB <= 2.0, 2});
  }
  if (const auto cell = kelvane::bench::PaintedCellMedianNs()) {
    // Each use of a tool within twice the painted cell of the same run.
    const auto& tools = kelvane::bench::ToolBenchFigures();
    const double limit = 2 * *cell;
    const struct {
      const char* name;
      double ns;
    } uses[] = {{"fill of a whole sprite through the window, median", tools.fillNs},
                {"line across a sprite through the window, median", tools.lineNs},
                {"rectangle preview update through the window, median", tools.previewNs}};
    for (const auto& use : uses) {
      figures.push_back(
          {use.name, use.ns * 1e-6, "ms", "<= 2 x painted cell", use.ns > 0 && use.ns <= limit, 3});
    }
    figures.push_back({"  editor pixels repainted per preview pixel changed",
                       tools.repaintedPerChanged, "x", "< 10 x", tools.repaintedPerChanged < 10,
                       2});
    // What a whole-sprite fill cannot shed: painting the sprite's cells on the grid and the
    // preview again, beside the painted cell and beside a memcpy of those pixels.
    if (tools.repaintNs > 0) {
      figures.push_back({"  repaint alone of a whole sprite's cells, median",
                         tools.repaintNs * 1e-6, "ms", "", true, 3});
      figures.push_back({"    beside the painted cell", tools.repaintNs / *cell, "x", "", true, 2});
      if (const auto floor = reporter.MedianCpuNs(tools.repaintFloor)) {
        figures.push_back({"    beside a memcpy of its pixels", tools.repaintNs / *floor,
                           "x memcpy", "", true, 2});
      }
    }
  }
  {
    using namespace kelvane::bench;
    const auto gif = reporter.MedianCpuNs(kGifExportBench);
    const auto alone = reporter.MedianCpuNs(kGiflibAloneBench);
    if (gif && alone) {
      figures.push_back({"animated GIF of 64 frames of a 4 x 4 object, beside giflib alone",
                         *gif / *alone, "x", "<= 1.5 x", *gif <= 1.5 * *alone, 2});
    }
  }
  if (const auto cell = kelvane::bench::PaintedCellMedianNs()) {
    const auto& object = kelvane::bench::ObjectBenchFigures();
    const double ratio = object.cellNs / *cell;
    figures.push_back({"painted cell on an 8x8 object through the window, median",
                       object.cellNs * 1e-6, "ms", "", true, 3});
    figures.push_back({"  beside the single sprite's painted cell", ratio, "x", "<= 1.2 x",
                       object.cellNs > 0 && ratio <= kObjectCellMaxRatio, 2});
    if (const auto floor = reporter.MedianCpuNs(object.fillFloor)) {
      const double fill = object.fillNs / *floor;
      figures.push_back({"fill of a whole 8x8 object through the window, median",
                         object.fillNs * 1e-6, "ms", "", true, 3});
      figures.push_back({"  beside a memcpy of the pixels it repaints", fill, "x memcpy",
                         "<= 4 x memcpy", object.fillNs > 0 && fill <= kObjectFillMaxRatio, 2});
      // What one event and one repaint cost on this machine whatever they change, on the same
      // scale: the fill cannot come nearer the memcpy than this.
      figures.push_back({"    a painted cell on the object beside the same memcpy",
                         object.cellNs / *floor, "x memcpy", "", true, 2});
      // What the platform itself takes for a click that fills as many pixels: a fill nearer
      // the memcpy than this is beyond any Qt Widgets window on this machine.
      if (object.leastFillNs > 0) {
        figures.push_back({"    the least Qt window's fill of as many pixels beside it",
                           object.leastFillNs / *floor, "x memcpy", "", true, 2});
        figures.push_back({"  Kelvane's fill beside the least Qt window's",
                           object.fillNs / object.leastFillNs, "x", "", true, 2});
      }
    }
  }
  std::printf("\n");
  for (const Figure& figure : figures) kelvane::bench::ReportFigure(figure);
  benchmark::Shutdown();
  return 0;
}
