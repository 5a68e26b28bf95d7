// How evenly a 50 Hz timer ticks: each tick stamped as it reaches the timer, and the intervals
// summed up as their mean and the 99th percentile of their distance from 20 ms. Shared by the
// figures of the Animator and of the playing preview, each measured beside a bare timer.
#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/SpriteAnimation.h"

namespace kelvane::bench {

inline constexpr int kTicks = 250;
inline constexpr double kPeriodMs = kScreenFrameMilliseconds;
inline constexpr double kJitterTargetMs = 2.0;
inline constexpr int kGiveUpMs = 30000;

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
inline std::vector<qint64> StampTicks(QTimer& timer, const std::function<void()>& start) {
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

// A bare timer set up as the window's own: what the machine itself allows while others use it.
inline std::vector<qint64> StampBareTimer() {
  QTimer bare;
  bare.setTimerType(Qt::PreciseTimer);
  bare.setInterval(static_cast<int>(kPeriodMs));
  std::vector<qint64> stamps = StampTicks(bare, [&] { bare.start(); });
  bare.stop();
  return stamps;
}

inline double Percentile(std::vector<double> values, double fraction) {
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

inline Cadence Measure(const std::vector<qint64>& stamps) {
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

inline void Print(const char* what, const Cadence& c) {
  std::printf(
      "%s, %d ticks: mean %.3f ms, min %.3f ms, max %.3f ms; |interval - 20 ms|: median %.3f ms, "
      "99th percentile %.3f ms\n",
      what, kTicks, c.mean, c.min, c.max, c.medianError, c.p99Error);
}

// Whether every run has all its ticks; else says which did not, as program.
inline bool AllTicksCame(const char* program,
                         std::initializer_list<const std::vector<qint64>*> runs) {
  for (const auto* run : runs) {
    if (run->size() < kTicks + 1) {
      std::fprintf(stderr, "%s: only %zu of %d ticks came within %d ms\n", program, run->size() - 1,
                   kTicks, kGiveUpMs);
      return false;
    }
  }
  return true;
}

}  // namespace kelvane::bench
