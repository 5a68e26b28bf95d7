// What the benchmarks of the real window share: sending it mouse events, choosing a tool, timing
// an action with the paint it leads to, and the median of the times.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <vector>

#include "ui/TForm1.h"

namespace kelvane::bench {

inline double Median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

inline void Send(QWidget* image, QEvent::Type type, QPointF at, Qt::MouseButton button,
                 Qt::MouseButtons held) {
  QMouseEvent event(type, at, image->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(image, &event);
}

inline void Choose(TForm1* form, const char* tool) {
  form->findChild<QAction*>(QString::fromLatin1(tool))->trigger();
}

// Two steps that leave the shown canvas as it was, so that the Undo that puts the canvas back
// after each timed use never takes the history to the bottom: a use is then timed as in a session
// already edited, as the painted cell is, and not as the first edit, which also turns the Undo
// button and the title's unsaved mark on (and their undo turns them off again).
inline void KeepEarlierSteps(SpriteDocument& document) {
  const std::uint8_t pen = *document.Pixels().PenAt({0, 0});
  const std::uint8_t other =
      pen == kTransparentPen ? std::uint8_t{kSpriteColourPen} : std::uint8_t{kTransparentPen};
  for (const std::uint8_t next : {other, pen}) {
    document.Apply("", [next](CanvasEdit& edit) { edit.pixels.Plot({0, 0}, next, false); });
  }
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
