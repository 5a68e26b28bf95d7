// An object of 8 x 8 sprites through the real window on the offscreen platform: a painted cell
// (the move, the change, the redraw and the paint), and a fill that floods every sprite of it,
// beside a memcpy of the pixels that fill repaints and the least Qt window's fill of as many.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <vector>

#include "Benchmarks.h"
#include "LeastFillWindow.h"
#include "WindowEvents.h"
#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane::bench {
namespace {

constexpr int kSide = kMaxObjectSide;
constexpr int kFirstSprite = 64;  // blank sprites no other benchmark paints
const std::string kFillFloor = "floor/object fill repaint";

ObjectFigures figures;
std::vector<double> cellNs, fillNs, leastFillNs;

// The repetitions of all benchmarks are interleaved: the object is made and shown for each run
// and taken away after it, leaving the window as the others expect it.
class OnObject {
 public:
  OnObject(TForm1* form, const char* tool) : form_(form), shown_(form->CurrentSprite()) {
    SpriteDocument& document = form->Document();
    document.AddObject(ConsecutiveObject("", kFirstSprite, kSide, kSide));
    document.ShowObjects(true);
    document.SelectSprite(kFirstSprite);
    Choose(form, tool);
    QCoreApplication::processEvents();
  }
  ~OnObject() {
    Choose(form_, "ToolPen1");
    Send(form_->Image1, QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    SpriteDocument& document = form_->Document();
    document.ShowObjects(false);
    document.RemoveObject(document.Objects().size() - 1);
    form_->SetCurrentSprite(shown_);
    QCoreApplication::processEvents();
  }
  OnObject(const OnObject&) = delete;
  OnObject& operator=(const OnObject&) = delete;

 private:
  TForm1* form_;
  int shown_;
};

// The middle of canvas pixel (x, y) on the grid as it shows the object.
QPointF PointOf(const TForm1& form, int x, int y) {
  const CanvasView& view = form.EditorView();
  const Zoom zoom = view.CellZoom();
  return {view.Origin().x + x * zoom.x + zoom.x / 2.0, view.Origin().y + y * zoom.y + zoom.y / 2.0};
}

// The walk of the single sprite's painted cell, over the multi-colour pixels of the object's top
// row of sprites: to and fro, painting with the left button and erasing with the right, so that
// every move changes a pixel and many cross from one sprite into the next.
// The walk goes on where the last repetition left it: begun afresh, it would paint again pixels
// a repetition that stopped in mid-leg had painted, and time moves that change nothing.
long objectWalk = 0;

void PaintedCellBench(benchmark::State& st, TForm1* form) {
  const OnObject object(form, "ToolPen1");
  QWidget* image = form->Image1;
  constexpr long kColumns = kSide * kMultiColumns;
  constexpr long kPixels = kColumns * kSpriteRows;
  long& i = objectWalk;
  for (auto _ : st) {
    const long leg = i / kPixels;
    const long step = leg % 2 == 0 ? i % kPixels : kPixels - 1 - i % kPixels;
    ++i;
    const long row = step / kColumns;
    const long column = row % 2 == 0 ? step % kColumns : kColumns - 1 - step % kColumns;
    const QPointF at = PointOf(*form, static_cast<int>(2 * column), static_cast<int>(row));
    const Qt::MouseButton button = leg % 2 == 0 ? Qt::LeftButton : Qt::RightButton;
    const auto move = MouseEvent(image, QEvent::MouseMove, at, Qt::NoButton, button);
    const double ns = TimedNs([&] { QApplication::sendEvent(image, move.get()); });
    cellNs.push_back(ns);
    st.SetIterationTime(ns * 1e-9);
  }
}

// A click of the fill on the blank object floods all 64 sprites; they are cleared again untimed.
void FillBench(benchmark::State& st, TForm1* form) {
  const OnObject object(form, "ToolFill1");
  QWidget* image = form->Image1;
  SpriteDocument& document = form->Document();
  // The painted cell's walk leaves pixels on the object's top row: a fill from blank floods all.
  ClearShownCanvas(document);
  const QPointF at = PointOf(*form, 1, 1);
  for (auto _ : st) {
    const auto press =
        MouseEvent(image, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    const auto release =
        MouseEvent(image, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    const double ns = TimedNs([&] {
      QApplication::sendEvent(image, press.get());
      QApplication::sendEvent(image, release.get());
    });
    fillNs.push_back(ns);
    st.SetIterationTime(ns * 1e-9);
    st.PauseTiming();
    ClearShownCanvas(document);
    QCoreApplication::processEvents();
    st.ResumeTiming();
  }
}

// The same click on the least window, of a picture the size of what the fill repaints.
void LeastFillBench(benchmark::State& st, LeastFillWindow* window) {
  const QPointF at(1, 1);
  for (auto _ : st) {
    const auto press =
        MouseEvent(window, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    const auto release =
        MouseEvent(window, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    const double ns = TimedNs([&] {
      QApplication::sendEvent(window, press.get());
      QApplication::sendEvent(window, release.get());
    });
    leastFillNs.push_back(ns);
    st.SetIterationTime(ns * 1e-9);
  }
}

}  // namespace

void RegisterObjectBenchmarks(TForm1& form) {
  // What a fill of the whole object repaints: the canvas image, the grid and the preview.
  std::size_t bytes = 0;
  {
    const OnObject object(&form, "ToolPen1");
    const std::size_t canvas = std::size_t{kSide} * kHiresColumns * kSide * kSpriteRows;
    const std::size_t grid = static_cast<std::size_t>(form.Image1->width()) *
                             static_cast<std::size_t>(form.Image1->height());
    bytes = (canvas + grid + std::size_t{kPreviewWidth} * kPreviewHeight) * kBytesPerPixel;
  }
  RegisterMemcpyFloor(kFillFloor, bytes);
  // As wide as the grid and as high as makes the same bytes; shown as long as the form is.
  const int width = form.Image1->width();
  const int height = static_cast<int>((bytes / kBytesPerPixel + width - 1) / width);
  auto* least = new LeastFillWindow({width, height}, &form);
  least->show();
  QCoreApplication::processEvents();
  benchmark::RegisterBenchmark("Object/least Qt window's fill", LeastFillBench, least)
      ->UseManualTime();
  benchmark::RegisterBenchmark("Object/painted cell on an 8x8 object", PaintedCellBench, &form)
      ->UseManualTime();
  benchmark::RegisterBenchmark("Object/fill of a whole 8x8 object", FillBench, &form)
      ->UseManualTime();
}

const ObjectFigures& ObjectBenchFigures() {
  figures.cellNs = cellNs.empty() ? 0 : Median(cellNs);
  figures.fillNs = fillNs.empty() ? 0 : Median(fillNs);
  figures.leastFillNs = leastFillNs.empty() ? 0 : Median(leastFillNs);
  figures.fillFloor = kFillFloor;
  return figures;
}

}  // namespace kelvane::bench
