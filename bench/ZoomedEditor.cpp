// zoomed_editor: the main window grown to 1600 x 1200 on the display it runs on (Xvfb in
// bench.sh). A full redraw of the editor at the largest cell size, until the X server has put
// the pixels up; and at every cell size, a painted cell's repainted pixels beside the least it
// can show: its two grid cells and its 4 x 2 block in the preview.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "DisplayRoundTrip.h"
#include "Figure.h"
#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace {

using kelvane::bench::Figure;

constexpr int kRedraws = 30;
constexpr double kFrameMs = 16;      // one frame at 60 Hz
constexpr double kPixelTarget = 10;  // x the least
constexpr int kPreviewPixelArea = 4 * 2;
const QSize kScreenSize(1600, 1200);

class PaintedArea : public QObject {
 public:
  long images = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !qobject_cast<kelvane::ImageControl*>(watched)) {
      return false;
    }
    for (const QRect& rect : static_cast<QPaintEvent*>(event)->region()) {
      images += static_cast<long>(rect.width()) * rect.height();
    }
    return false;
  }
};

void Send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button) {
  QMouseEvent event(type, at, target->mapToGlobal(at),
                    type == QEvent::MouseMove ? Qt::NoButton : button,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void Settle() {
  QCoreApplication::processEvents();
  kelvane::bench::RoundTrip();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kelvane::TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "zoomed_editor: the window was never shown\n");
    return 1;
  }
  form.resize(kScreenSize);
  if (!QTest::qWaitFor([&] { return form.size() == kScreenSize; })) {
    std::fprintf(stderr, "zoomed_editor: the window did not grow to 1600 x 1200\n");
    return 1;
  }
  Settle();
  const char* display = kelvane::bench::OnXServer() ? "X11" : "offscreen";
  std::vector<Figure> figures;

  // The largest cell size: the grid scrolls, and every redraw paints all of it that shows.
  for (int i = 0; i < 20; ++i) form.ZoomIn1->trigger();
  Settle();
  std::vector<double> redrawMs;
  for (int i = 0; i <= kRedraws; ++i) {
    const auto start = std::chrono::steady_clock::now();
    form.Image1->repaint();
    kelvane::bench::RoundTrip();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (i > 0) redrawMs.push_back(took.count());
  }
  std::sort(redrawMs.begin(), redrawMs.end());
  char name[128];
  char target[32];
  std::snprintf(
      name, sizeof name, "full editor redraw at 1600 x 1200, %d px cells (%d x %d) on %s, median",
      form.EditorView().CellZoom().x, form.Image1->width(), form.Image1->height(), display);
  std::snprintf(target, sizeof target, "< %g ms", kFrameMs);
  const double median = redrawMs[redrawMs.size() / 2];
  figures.push_back({name, median, "ms", target, median < kFrameMs, 3});

  // A painted multi-colour pixel at each cell size, the grid scrolled to its corner.
  form.FitToWindow1->trigger();
  PaintedArea painted;
  for (;;) {
    form.ZoomOut1->trigger();
    if (form.EditorView().CellZoom().y == kelvane::kMinCellSize) break;
  }
  double worst = 0;
  int worstSize = 0;
  while (true) {
    Settle();
    const kelvane::Zoom zoom = form.EditorView().CellZoom();
    const int size = zoom.y;
    const QPointF at(zoom.x / 2.0, zoom.y / 2.0);
    Send(form.Image1, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(form.Image1, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    Settle();
    painted.images = 0;
    app.installEventFilter(&painted);
    Send(form.Image1, QEvent::MouseButtonPress, at, Qt::RightButton);
    Send(form.Image1, QEvent::MouseButtonRelease, at, Qt::RightButton);
    Settle();
    app.removeEventFilter(&painted);
    const long least = 2L * zoom.x * zoom.y + kPreviewPixelArea;
    const double times = static_cast<double>(painted.images) / static_cast<double>(least);
    std::printf("cell size %2d: %ld pixels repainted, least %ld (%.2f x)\n", size, painted.images,
                least, times);
    if (times > worst) {
      worst = times;
      worstSize = size;
    }
    if (size >= kelvane::kMaxCellSize) break;
    form.ZoomIn1->trigger();
  }
  std::snprintf(name, sizeof name,
                "painted cell's repainted pixels beside the least, worst of 4-48 px cells (%d px)",
                worstSize);
  std::snprintf(target, sizeof target, "< %g x", kPixelTarget);
  figures.push_back({name, worst, "x", target, worst < kPixelTarget, 2});
  for (const Figure& figure : figures) kelvane::bench::ReportFigure(figure);
  return 0;
}
