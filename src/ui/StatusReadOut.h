// The status bar's read-out of what lies under the pointer: the grid cell, the sprite number.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

class QStatusBar;

namespace kelvane {

// A drag reports a new cell far more often than a screen shows a frame, and on X11 every
// repaint of the same strip of the status bar makes Qt wait for the X server to finish reading
// the strip it sent last (a round trip) before painting over it. So a new text is shown at once
// when the read-out has been still for a frame, and otherwise when that frame is over: it is
// never more than a frame behind the pointer, and costs at most one round trip a frame.
class StatusReadOut : public QObject {
 public:
  explicit StatusReadOut(QStatusBar* bar);

  // The read-out of what key names, its text made only when the read-out names something else:
  // the pointer moves many times over one cell of the grid or the sheet.
  void Show(std::uint64_t key, const std::function<QString()>& text);
  // At once, and a text still waiting for its frame is dropped: the pointer has gone. Any other
  // message drops it too.
  void Clear();

 private:
  void ShowNow(const QString& text);
  void StartFrame();
  void FrameOver();

  QStatusBar* bar_;
  QTimer frame_;                      // runs for a frame after a text was shown
  std::optional<QString> waiting_;    // the newest text since the frame began
  std::optional<std::uint64_t> key_;  // what the text shown or waiting names
  bool showing_ = false;              // while the read-out itself sets the message
};

}  // namespace kelvane
