// animator_cadence: plays the real Animator at 50 Hz for 250 ticks on the offscreen platform
// and reports how evenly the frames came: the mean interval and the 99th percentile of each
// interval's distance from 20 ms. A bare 20 ms timer that draws nothing is measured the same
// way in the same run, beside it: what the machine itself allows while others use it.
#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <cstdio>

#include "Figure.h"
#include "TickCadence.h"
#include "animator/TForm2.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace {

using namespace kelvane::bench;

constexpr double kMeanTolerance = 0.01;  // of the period

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
  const std::vector<qint64> bareStamps = StampBareTimer();

  // Play: the press starts Timer1, so the press is where the first interval begins.
  const std::vector<qint64> stamps =
      StampTicks(*animator.Timer1, [&] { QTest::mousePress(animator.Btn_Play, Qt::LeftButton); });
  QTest::mousePress(animator.Btn_Stop, Qt::LeftButton);
  QTest::mouseRelease(animator.Btn_Stop, Qt::LeftButton);
  animator.close();

  if (!AllTicksCame("animator_cadence", {&bareStamps, &stamps})) return 1;
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
