// What the benchmarks of the real window share: sending it mouse events, choosing a tool, timing
// an action with the paint it leads to, and the median of the times.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "ui/TForm1.h"

namespace kelvane::bench {

inline double Median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// A mouse event over image. A timed one is made before the clock starts, as the painted cell's
// is: what is timed is the delivery of what Qt hands over, not the making of it.
inline std::unique_ptr<QMouseEvent> MouseEvent(QWidget* image, QEvent::Type type, QPointF at,
                                               Qt::MouseButton button, Qt::MouseButtons held) {
  return std::make_unique<QMouseEvent>(type, at, image->mapToGlobal(at), button, held,
                                       Qt::NoModifier);
}

inline void Send(QWidget* image, QEvent::Type type, QPointF at, Qt::MouseButton button,
                 Qt::MouseButtons held) {
  QApplication::sendEvent(image, MouseEvent(image, type, at, button, held).get());
}

inline void Choose(TForm1* form, const char* tool) {
  form->findChild<QAction*>(QString::fromLatin1(tool))->trigger();
}

// Clears the shown canvas in a step of its own. Taken back by Undo
// instead, each use would be timed as the first edit after an undo to the bottom of the history:
// turning the Undo button, Redo and the title's unsaved mark on and off again, which neither the
// painted cell nor a user drawing one thing after another pays.
inline void ClearShownCanvas(SpriteDocument& document) {
  document.Apply("", [](CanvasEdit& edit) {
    const SpriteCanvas& canvas = edit.pixels.Canvas();
    for (int y = 0; y < canvas.Height(); ++y) {
      edit.pixels.PlotRun({y, 0, canvas.Width()}, kTransparentPen, true);
    }
  });
}

// act, then the paint of what it made dirty once the event loop turns, as after a real event:
// how long both took, in nanoseconds.
template <typename Act>
double TimedNs(Act act) {
  const auto start = std::chrono::steady_clock::now();
  act();
  QCoreApplication::processEvents();
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace kelvane::bench
