// preview_cadence: plays the preview (View > Play Preview) of an animation at speed 1, one
// sprite every 20 ms, in the real window on the offscreen platform for 250 frames while strokes
// are painted on its shown frame by mouse events through the window, a move every few
// milliseconds, and reports how evenly the preview's frames changed: the 99th percentile of each
// interval's distance from 20 ms, beside a bare 20 ms timer measured the same way in the run.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "Figure.h"
#include "TickCadence.h"
#include "WindowEvents.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace {

using namespace kelvane;
using namespace kelvane::bench;

constexpr int kMoveEveryMs = 3;
constexpr int kMovesAStroke = 40;
constexpr int kFramesPlayed = 8;
constexpr int kCellPixels = 8;  // the editor's zoom: one canvas column or row

// Strokes across the shown sprite, one move a beat: a stroke paints, the next one with the
// other button erases what it painted, so that every stroke changes the frame on show.
class Strokes : public QObject {
 public:
  explicit Strokes(TForm1& form) : form_(form) {
    timer_.setInterval(kMoveEveryMs);
    connect(&timer_, &QTimer::timeout, this, &Strokes::Beat);
  }
  void Start() { timer_.start(); }
  void Stop() {
    timer_.stop();
    if (moves_ > 0) Send(form_.Image1, QEvent::MouseButtonRelease, At(), Button(), Qt::NoButton);
  }
  int strokes = 0;

 private:
  Qt::MouseButton Button() const { return strokes % 2 == 0 ? Qt::LeftButton : Qt::RightButton; }
  QPointF At() const {
    const int column = moves_ % kHiresColumns;
    const int row = (moves_ * 7 + strokes) % kSpriteRows;
    return {column * kCellPixels + kCellPixels / 2.0, row * kCellPixels + kCellPixels / 2.0};
  }
  void Beat() {
    if (moves_ == 0) {
      Send(form_.Image1, QEvent::MouseButtonPress, At(), Button(), Button());
    } else {
      Send(form_.Image1, QEvent::MouseMove, At(), Qt::NoButton, Button());
    }
    if (++moves_ == kMovesAStroke) {
      Send(form_.Image1, QEvent::MouseButtonRelease, At(), Button(), Qt::NoButton);
      moves_ = 0;
      ++strokes;
    }
  }

  TForm1& form_;
  QTimer timer_;
  int moves_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "preview_cadence: the main window was never shown\n");
    return 1;
  }
  form.Document().SetAnimations("Animations",
                                {{0, kFramesPlayed - 1, kMinAnimationSpeed, kAnimationValidFlag}});
  form.Document().SelectSprite(0);
  Choose(&form, "ToolPen1");
  auto* preview = form.findChild<QTimer*>(QStringLiteral("PreviewTimer1"));
  if (!preview) {
    std::fprintf(stderr, "preview_cadence: the window has no preview timer\n");
    return 1;
  }

  const std::vector<qint64> bareStamps = StampBareTimer();

  // F5 starts the preview's timer, so the key is where the first interval begins.
  Strokes strokes(form);
  strokes.Start();
  const std::vector<qint64> stamps =
      StampTicks(*preview, [&] { QTest::keyClick(&form, Qt::Key_F5); });
  strokes.Stop();
  QTest::keyClick(&form, Qt::Key_F5);
  if (!AllTicksCame("preview_cadence", {&bareStamps, &stamps})) return 1;
  if (preview->interval() != kScreenFrameMilliseconds || strokes.strokes == 0) {
    std::fprintf(stderr, "preview_cadence: the preview did not play at 50 Hz under strokes\n");
    return 1;
  }

  const Cadence reference = Measure(bareStamps);
  const Cadence cadence = Measure(stamps);
  Print("bare 20 ms timer", reference);
  Print("preview at 50 Hz while painting", cadence);
  std::printf("%d strokes of %d moves, a move every %d ms\n", strokes.strokes, kMovesAStroke,
              kMoveEveryMs);
  ReportFigure({"preview playing at 50 Hz while painting, 99th percentile |interval - 20 ms|",
                cadence.p99Error, "ms", "< 2 ms", cadence.p99Error < kJitterTargetMs, 3});
  ReportFigure({"bare 20 ms timer beside the preview, 99th percentile |interval - 20 ms|",
                reference.p99Error, "ms", "", true, 3});
  return 0;
}
