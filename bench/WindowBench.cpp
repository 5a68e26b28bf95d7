// The real main window on the offscreen platform. One painted cell: the mouse move with a button
// held, the change to the document, the redraw, and the paint of what changed: the cell's blocks
// on grid and preview and the status bar's new text. One Animator frame: what a tick does to
// the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Benchmarks.h"
#include "WindowEvents.h"
#include "model/C64Format.h"
#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane::bench {
namespace {

std::vector<double> cellNs;
std::vector<double> frameNs;

// Move i of a walk over the multi-colour pixels of the start-up sprite: to and fro along the
// rows and back again, so that every move goes to the next pixel. The walk there paints them all
// with the left button, the walk back erases them with the right: every move changes a pixel.
struct Move {
  QPointF at;
  Qt::MouseButton button;
};

Move WalkMove(long i) {
  constexpr long kColumns = kHiresColumns / 2;
  constexpr long kPixels = kColumns * kSpriteRows;
  const long leg = i / kPixels;
  const long step = leg % 2 == 0 ? i % kPixels : kPixels - 1 - i % kPixels;
  const long row = step / kColumns;
  const long column = row % 2 == 0 ? step % kColumns : kColumns - 1 - step % kColumns;
  const ViewPixel corner = kEditorView.SpriteAt({0, 0}).CellOrigin(
      {static_cast<int>(2 * column), static_cast<int>(row)});
  const Zoom zoom = kEditorView.CellZoom();
  return {QPointF(corner.x + zoom.x, corner.y + zoom.y / 2.0),
          leg % 2 == 0 ? Qt::LeftButton : Qt::RightButton};
}

// The walk goes on where the last repetition left it, so that every move changes a pixel.
long cellWalk = 0;

void PaintedCellBench(benchmark::State& st, TForm1* form) {
  QWidget* image = form->Image1;
  long& i = cellWalk;
  for (auto _ : st) {
    const Move next = WalkMove(i++);
    QMouseEvent move(QEvent::MouseMove, next.at, image->mapToGlobal(next.at), Qt::NoButton,
                     next.button, Qt::NoModifier);
    const auto start = std::chrono::steady_clock::now();
    QApplication::sendEvent(image, &move);
    // What the move made dirty is painted once the event loop turns, as after a real move.
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
