// animator_cadence: plays the real Animator at 50 Hz for 250 ticks on the offscreen platform
// and reports how evenly the frames came: the mean interval and the 99th percentile of each
// interval's distance from 20 ms. A bare 20 ms timer that draws nothing is measured the same
// way in the same run, beside it: what the machine itself allows while others use it.
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
#include <functional>
#include <vector>

#include "Figure.h"
#include "animator/TForm2.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace {

constexpr int kTicks = 250;
constexpr double kPeriodMs = kelvane::kFrameInterval50Hz;
constexpr double kMeanTolerance = 0.01;  // of the period
constexpr double kJitterTargetMs = 2.0;
constexpr int kGiveUpMs = 30000;

// Notes the moment each timer event reaches the timer, before its handler runs, so that the
// intervals are the timer's own and not shifted by how long a frame takes to draw.
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

// The moment start() is called, then every tick of timer: kTicks + 1 stamps in all, fewer
// when the ticks stop coming.
std::vector<qint64> StampTicks(QTimer& timer, const std::function<void()>& start) {
  QEventLoop loop;
  QElapsedTimer clock;
  TickStamps ticks(clock, loop);
  timer.installEventFilter(&ticks);
  QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
  clock.start();
  ticks.stamps.push_back(0);
  start();
  if (timer.isActive()) loop.exec();
  timer.removeEventFilter(&ticks);
  return ticks.stamps;
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  // Nearest rank: the smallest value with at least that fraction of all at or below it.
  const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
  return values[std::max<std::size_t>(rank, 1) - 1];
}

struct Cadence {
  double mean = 0;
  double min = 0;
  double max = 0;
  double medianError = 0;  // of |interval - period|
  double p99Error = 0;
};

Cadence Measure(const std::vector<qint64>& stamps) {
  std::vector<double> intervals;
  std::vector<double> errors;
  for (int i = 1; i <= kTicks; ++i) {
    const double ms = (stamps[i] - stamps[i - 1]) * 1e-6;
    intervals.push_back(ms);
    errors.push_back(std::abs(ms - kPeriodMs));
  }
  return {(stamps[kTicks] - stamps[0]) * 1e-6 / kTicks,
          *std::min_element(intervals.begin(), intervals.end()),
          *std::max_element(intervals.begin(), intervals.end()), Percentile(errors, 0.5),
          Percentile(errors, 0.99)};
}

void Print(const char* what, const Cadence& c) {
  std::printf(
      "%s, %d ticks: mean %.3f ms, min %.3f ms, max %.3f ms; |interval - 20 ms|: median %.3f ms, "
      "99th percentile %.3f ms\n",
      what, kTicks, c.mean, c.min, c.max, c.medianError, c.p99Error);
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

  // The bare timer first, set up as the Animator sets up its own.
  QTimer bare;
  bare.setTimerType(Qt::PreciseTimer);
  bare.setInterval(kelvane::kFrameInterval50Hz);
  const std::vector<qint64> bareStamps = StampTicks(bare, [&] { bare.start(); });
  bare.stop();

  // Play: the press starts Timer1, so the press is where the first interval begins.
  const std::vector<qint64> stamps =
      StampTicks(*animator.Timer1, [&] { QTest::mousePress(animator.Btn_Play, Qt::LeftButton); });
  QTest::mousePress(animator.Btn_Stop, Qt::LeftButton);
  QTest::mouseRelease(animator.Btn_Stop, Qt::LeftButton);
  animator.close();

  for (const auto* run : {&bareStamps, &stamps}) {
    if (run->size() < kTicks + 1) {
      std::fprintf(stderr, "animator_cadence: only %zu of %d ticks came within %d ms\n",
                   run->size() - 1, kTicks, kGiveUpMs);
      return 1;
    }
  }
  const Cadence reference = Measure(bareStamps);
  const Cadence cadence = Measure(stamps);
  Print("bare 20 ms timer", reference);
  Print("Animator at 50 Hz", cadence);

  char meanTarget[48];
  std::snprintf(meanTarget, sizeof meanTarget, "%.1f..%.1f ms", kPeriodMs * (1 - kMeanTolerance),
                kPeriodMs * (1 + kMeanTolerance));
  kelvane::bench::ReportFigure({"Animator 50 Hz mean interval", cadence.mean, "ms", meanTarget,
                                std::abs(cadence.mean - kPeriodMs) <= kPeriodMs * kMeanTolerance,
                                3});
  kelvane::bench::ReportFigure({"Animator 50 Hz 99th percentile |interval - 20 ms|",
                                cadence.p99Error, "ms", "< 2 ms",
                                cadence.p99Error < kJitterTargetMs, 3});
  kelvane::bench::ReportFigure(
      {"bare 20 ms timer in the same run, 99th percentile |interval - 20 ms|", reference.p99Error,
       "ms", "", true, 3});
  return 0;
}
