// The real main window on the offscreen platform. One painted cell: the mouse move with the
// left button held, PlotPixel, the redraw and the repaint of the preview, label, editor and
// status bar. One Animator frame: what a tick does to the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Benchmarks.h"
#include "model/C64Format.h"
#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane::bench {
namespace {

std::vector<double> cellNs;
std::vector<double> frameNs;

double Median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// The middle of hi-res cell i, walking the grid row by row, so every move paints a new cell.
QPointF CellCentre(long i) {
  const long column = i % kHiresColumns;
  const long row = (i / kHiresColumns) % kSpriteRows;
  const ViewPixel corner =
      kEditorView.CellOrigin({static_cast<int>(column), static_cast<int>(row)});
  const Zoom zoom = kEditorView.CellZoom();
  return {corner.x + zoom.x / 2.0, corner.y + zoom.y / 2.0};
}

void PaintedCellBench(benchmark::State& st, TForm1* form) {
  QWidget* image = form->Image1;
  long i = 0;
  for (auto _ : st) {
    const QPointF at = CellCentre(i++);
    QMouseEvent move(QEvent::MouseMove, at, image->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    const auto start = std::chrono::steady_clock::now();
    QApplication::sendEvent(image, &move);
    // The status bar's new text is painted from the event loop, as it is after a real move.
    QCoreApplication::processEvents();
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    cellNs.push_back(took.count());
    st.SetIterationTime(took.count() * 1e-9);
  }
}

// A tick sets CurrentSprite and calls RefreshEditor; the run is 0 to 10, as the Animator
// starts with. Sprite 1 is made hi-res so that the run switches mode, as mixed runs do.
void AnimatorFrameBench(benchmark::State& st, TForm1* form) {
  SpriteRecord hires = form->Document().Bank().Record(1);
  hires[kAttributeOffset] &= static_cast<std::uint8_t>(~kMultiColourFlag);
  form->Document().PutSprites(1, std::span(&hires, 1));
  int frame = 0;
  for (auto _ : st) {
    frame = frame == 10 ? 0 : frame + 1;
    const auto start = std::chrono::steady_clock::now();
    form->SetCurrentSprite(frame);
    form->RefreshEditor();
    QCoreApplication::processEvents();
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    frameNs.push_back(took.count());
    st.SetIterationTime(took.count() * 1e-9);
  }
}

}  // namespace

void RegisterWindowBenchmarks(TForm1& form) {
  benchmark::RegisterBenchmark("PaintedCell/window", PaintedCellBench, &form)->UseManualTime();
  benchmark::RegisterBenchmark("AnimatorFrame/window", AnimatorFrameBench, &form)->UseManualTime();
}

std::optional<double> PaintedCellMedianNs() {
  if (cellNs.empty()) return std::nullopt;
  return Median(cellNs);
}

std::optional<double> AnimatorFrameMedianNs() {
  if (frameNs.empty()) return std::nullopt;
  return Median(frameNs);
}

}  // namespace kelvane::bench
