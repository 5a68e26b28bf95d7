// animator_cadence: plays the real Animator at 50 Hz for 250 ticks on the offscreen platform
// and reports how evenly the frames came: the mean interval and the 99th percentile of each
// interval's distance from 20 ms.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "Figure.h"
#include "animator/TForm2.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace {

using kelvane::bench::Figure;

constexpr int kTicks = 250;
constexpr double kPeriodMs = kelvane::kFrameInterval50Hz;
constexpr double kMeanTolerance = 0.01;  // of the period
constexpr double kJitterTargetMs = 2.0;
constexpr int kGiveUpMs = 30000;

// Notes the moment each timer event reaches Timer1, before its tick handler draws the frame,
// so that the intervals are the timer's own and not shifted by how long a frame takes.
class TickStamps : public QObject {
 public:
  TickStamps(const QElapsedTimer& clock, QEventLoop& loop) : clock_(clock), loop_(loop) {}
  std::vector<qint64> stamps;  // nanoseconds since the clock started

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer && stamps.size() <= kTicks) {
      stamps.push_back(clock_.nsecsElapsed());
      if (stamps.size() == kTicks + 1) QTimer::singleShot(0, &loop_, &QEventLoop::quit);
    }
    return false;
  }

 private:
  const QElapsedTimer& clock_;
  QEventLoop& loop_;
};

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  // Nearest rank: the smallest value with at least that fraction of all at or below it.
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
  return values[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  kelvane::TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    std::fprintf(stderr, "animator_cadence: the main window was never shown\n");
    return 1;
  }
  // Shown without a modal loop of its own, so that this program keeps the event loop.
  kelvane::TForm2 animator(form);
  animator.FormCreate();
  animator.show();
  if (!QTest::qWaitForWindowExposed(&animator)) {
    std::fprintf(stderr, "animator_cadence: the Animator was never shown\n");
    return 1;
  }
  QTest::mouseClick(animator.RadioButton1, Qt::LeftButton);
  if (animator.Timer1->interval() != kelvane::kFrameInterval50Hz) {
    std::fprintf(stderr, "animator_cadence: \"50 Hz\" did not set a 20 ms interval\n");
    return 1;
  }

  QEventLoop loop;
  QElapsedTimer clock;
  TickStamps ticks(clock, loop);
  animator.Timer1->installEventFilter(&ticks);
  QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);

  // Play: the press starts Timer1, so the press is where the first interval begins.
  clock.start();
  ticks.stamps.push_back(0);
  QTest::mousePress(animator.Btn_Play, Qt::LeftButton);
  if (!animator.Timer1->isActive()) {
    std::fprintf(stderr, "animator_cadence: Play did not start Timer1\n");
    return 1;
  }
  loop.exec();
  animator.Timer1->removeEventFilter(&ticks);
  QTest::mousePress(animator.Btn_Stop, Qt::LeftButton);
  QTest::mouseRelease(animator.Btn_Stop, Qt::LeftButton);
  animator.close();

  if (ticks.stamps.size() < kTicks + 1) {
    std::fprintf(stderr, "animator_cadence: only %zu ticks in %d ms\n", ticks.stamps.size() - 1,
                 kGiveUpMs);
    return 1;
  }
  std::vector<double> intervals;
  std::vector<double> errors;
  for (int i = 1; i <= kTicks; ++i) {
    const double ms = (ticks.stamps[i] - ticks.stamps[i - 1]) * 1e-6;
    intervals.push_back(ms);
    errors.push_back(std::abs(ms - kPeriodMs));
  }
  const double mean = (ticks.stamps[kTicks] - ticks.stamps[0]) * 1e-6 / kTicks;
  const double p99 = Percentile(errors, 0.99);
  std::printf(
      "Animator at 50 Hz, %d ticks: mean %.3f ms, min %.3f ms, max %.3f ms, median |error| "
      "%.3f ms, 99th percentile |error| %.3f ms\n",
      kTicks, mean, *std::min_element(intervals.begin(), intervals.end()),
      *std::max_element(intervals.begin(), intervals.end()), Percentile(errors, 0.5), p99);

  char meanTarget[48];
  std::snprintf(meanTarget, sizeof meanTarget, "%.1f..%.1f ms", kPeriodMs * (1 - kMeanTolerance),
                kPeriodMs * (1 + kMeanTolerance));
  kelvane::bench::ReportFigure({"Animator 50 Hz mean interval", mean, "ms", meanTarget,
                                std::abs(mean - kPeriodMs) <= kPeriodMs * kMeanTolerance, 3});
  kelvane::bench::ReportFigure({"Animator 50 Hz 99th percentile |interval - 20 ms|", p99, "ms",
                                "< 2 ms", p99 < kJitterTargetMs, 3});
  return 0;
}
