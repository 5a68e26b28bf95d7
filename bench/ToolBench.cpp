// The drawing tools through the real window on the offscreen platform: a fill of a whole sprite,
// a line across a sprite, and one preview update while dragging a rectangle, with the pixels of
// the editor each update repaints beside the pixels its preview changed; and the repaint alone of
// what the fill repaints, beside a memcpy of those pixels.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Benchmarks.h"
#include "WindowEvents.h"
#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane::bench {
namespace {

ToolFigures toolFigures;
std::vector<double> fillNs, lineNs, previewNs, repaintNs;
const std::string kRepaintFloor = "floor/whole sprite repaint";

// Adds up the area of every paint Image1 gets.
class PaintedArea : public QObject {
 public:
  long long pixels = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
        pixels += static_cast<long long>(r.width()) * r.height();
      }
    }
    return false;
  }
};

// The repetitions of all benchmarks are interleaved: each of these works on a blank sprite of
// its own with its own tool, and leaves the window as the others expect it, with the pen.
constexpr int kBlankSprite = 200;
class OwnSprite {
 public:
  OwnSprite(TForm1* form, const char* tool) : form_(form), shown_(form->CurrentSprite()) {
    form->SetCurrentSprite(kBlankSprite);
    Choose(form, tool);
    QCoreApplication::processEvents();
  }
  ~OwnSprite() {
    Choose(form_, "ToolPen1");
    // A release ends the pen's stroke, taken back by the choice of another tool: the moves of
    // the painted cell's walk paint again.
    Send(form_->Image1, QEvent::MouseButtonRelease, {4, 4}, Qt::LeftButton, Qt::NoButton);
    form_->SetCurrentSprite(shown_);
    QCoreApplication::processEvents();
  }

 private:
  TForm1* form_;
  int shown_;
};

// A click and its paint; the sprite is cleared again (untimed) so that each one fills it whole.
void UseBench(benchmark::State& st, TForm1* form, const char* tool, QPointF from, QPointF to,
              std::vector<double>* times) {
  const OwnSprite own(form, tool);
  QWidget* image = form->Image1;
  SpriteDocument& document = form->Document();
  ClearShownCanvas(document);
  for (auto _ : st) {
    const auto press =
        MouseEvent(image, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const auto move = MouseEvent(image, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    const auto release =
        MouseEvent(image, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    const auto start = std::chrono::steady_clock::now();
    for (QMouseEvent* event : {press.get(), move.get(), release.get()}) {
      QApplication::sendEvent(image, event);
    }
    QCoreApplication::processEvents();
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    times->push_back(took.count());
    st.SetIterationTime(took.count() * 1e-9);
    st.PauseTiming();
    ClearShownCanvas(document);
    QCoreApplication::processEvents();
    st.ResumeTiming();
  }
}

// The rectangle's far corner goes to and fro along the sprite's diagonal, a pixel a move.
void RectanglePreviewBench(benchmark::State& st, TForm1* form) {
  const OwnSprite own(form, "ToolRectangle1");
  QWidget* image = form->Image1;
  PaintedArea painted;
  image->installEventFilter(&painted);
  Send(image, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
  QCoreApplication::processEvents();
  long long changed = 0;
  long i = 0;
  Preview last = form->Tools().CurrentPreview();
  painted.pixels = 0;
  for (auto _ : st) {
    const long step = 2 + i++ % 18;
    const QPointF at(static_cast<double>(step) * 16 + 4, static_cast<double>(step) * 8 + 4);
    const auto move = MouseEvent(image, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    const auto start = std::chrono::steady_clock::now();
    QApplication::sendEvent(image, move.get());
    QCoreApplication::processEvents();
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    previewNs.push_back(took.count());
    st.SetIterationTime(took.count() * 1e-9);
    st.PauseTiming();
    // The editor pixels of the preview pixels in one preview and not in the other.
    Preview now = form->Tools().CurrentPreview();
    for (const Preview* a : {&last, &now}) {
      const Preview* b = a == &last ? &now : &last;
      for (const PreviewPixel& p : *a) {
        if (std::ranges::find(*b, p) == b->end()) changed += 16 * 8;  // a multi-colour pixel
      }
    }
    last = std::move(now);
    st.ResumeTiming();
  }
  form->Tools().Cancel();
  Send(image, QEvent::MouseButtonRelease, {4, 4}, Qt::LeftButton, Qt::NoButton);
  image->removeEventFilter(&painted);
  QCoreApplication::processEvents();
  toolFigures.repaintedPerChanged =
      changed ? static_cast<double>(painted.pixels) / static_cast<double>(changed) : 0;
  st.counters["repainted_per_changed"] = toolFigures.repaintedPerChanged;
}

QRect QRectOf(const ViewRect& r) {
  return {r.x, r.y, r.width, r.height};
}

// What a fill of a whole sprite sends to the screen, with no change: the sprite's cells on the
// grid and on the preview painted again. The part of the fill no faster fill can shed.
void RepaintBench(benchmark::State& st, TForm1* form) {
  const OwnSprite own(form, "ToolFill1");
  const QRect grid = QRectOf(form->EditorView().SpriteAt({0, 0}).CellsRect(CellArea::Whole()));
  const QRect preview = QRectOf(kPreviewView.CellsRect(CellArea::Whole()));
  for (auto _ : st) {
    const double ns = TimedNs([&] {
      form->Image1->update(grid);
      form->Image3->update(preview);
    });
    repaintNs.push_back(ns);
    st.SetIterationTime(ns * 1e-9);
  }
}

}  // namespace

void RegisterToolBenchmarks(TForm1& form) {
  benchmark::RegisterBenchmark("Tool/fill of a whole sprite", UseBench, &form, "ToolFill1",
                               QPointF(100, 80), QPointF(100, 80), &fillNs)
      ->UseManualTime();
  benchmark::RegisterBenchmark("Tool/line across a sprite", UseBench, &form, "ToolLine1",
                               QPointF(4, 4), QPointF(188, 164), &lineNs)
      ->UseManualTime();
  benchmark::RegisterBenchmark("Tool/rectangle preview update", RectanglePreviewBench, &form)
      ->UseManualTime();
  benchmark::RegisterBenchmark("Tool/repaint of a whole sprite", RepaintBench, &form)
      ->UseManualTime();
  // The floor of that repaint: a memcpy of the pixels it paints.
  const ViewRect grid = form.EditorView().SpriteAt({0, 0}).CellsRect(CellArea::Whole());
  const ViewRect preview = kPreviewView.CellsRect(CellArea::Whole());
  RegisterMemcpyFloor(kRepaintFloor, static_cast<std::size_t>(grid.width * grid.height +
                                                              preview.width * preview.height) *
                                         kBytesPerPixel);
}

const ToolFigures& ToolBenchFigures() {
  toolFigures.fillNs = fillNs.empty() ? 0 : Median(fillNs);
  toolFigures.lineNs = lineNs.empty() ? 0 : Median(lineNs);
  toolFigures.previewNs = previewNs.empty() ? 0 : Median(previewNs);
  toolFigures.repaintNs = repaintNs.empty() ? 0 : Median(repaintNs);
  toolFigures.repaintFloor = kRepaintFloor;
  return toolFigures;
}

}  // namespace kelvane::bench
