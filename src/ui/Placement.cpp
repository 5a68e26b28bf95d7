#include "ui/Placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kelvane {
namespace {

constexpr int kWindowGap = 8;

// The corner moved just as far as it takes to bring the window onto the screen; a window larger
// than the screen keeps its top-left corner on it.
QPoint OnScreen(QPoint corner, const QSize& size, const QRect& screen) {
  return {std::max(screen.left(), std::min(corner.x(), screen.right() + 1 - size.width())),
          std::max(screen.top(), std::min(corner.y(), screen.bottom() + 1 - size.height()))};
}

class OverOwner : public QObject {
 public:
  OverOwner(QWidget* dialog, QWidget* owner) : QObject(dialog), owner_(owner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Sent before the window appears and after its size is settled.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
      auto* dialog = static_cast<QWidget*>(watched);
      const QRect screen = owner_->screen()->availableGeometry();
      dialog->move(CentredOver(owner_->frameGeometry(), dialog->frameGeometry().size(), screen));
    }
    return false;
  }

 private:
  QWidget* owner_;
};

}  // namespace

QRect KeptOnScreen(const QRect& frame, const QList<QRect>& screens, const QSize& least) {
  if (screens.isEmpty()) return frame;
  QRect screen = screens.front();
  qint64 most = 0;
  for (const QRect& candidate : screens) {
    const QRect overlap = candidate.intersected(frame);
    const qint64 area = qint64{overlap.width()} * overlap.height();
    if (area > most) {
      most = area;
      screen = candidate;
    }
  }
  const QSize size = frame.size().boundedTo(screen.size()).expandedTo(least);
  const int x = std::max(screen.left(), std::min(frame.x(), screen.right() + 1 - size.width()));
  const int y = std::max(screen.top(), std::min(frame.y(), screen.bottom() + 1 - size.height()));
  return {QPoint(x, y), size};
}

QPoint CentredOver(const QRect& owner, const QSize& size, const QRect& screen) {
  const QPoint corner(owner.center().x() - size.width() / 2,
                      owner.center().y() - size.height() / 2);
  return OnScreen(corner, size, screen);
}

QPoint BesideOwner(const QRect& owner, const QRect& keepClear, const QSize& size,
                   const QRect& screen) {
  const int top = keepClear.top();
  const int right = owner.right() + 1 + kWindowGap;
  const int left = owner.left() - kWindowGap - size.width();
  if (right + size.width() <= screen.right() + 1) return OnScreen({right, top}, size, screen);
  if (left >= screen.left()) return OnScreen({left, top}, size, screen);
  return OnScreen({keepClear.right() + 1 + kWindowGap, top}, size, screen);
}

void OpenOverOwner(QWidget* dialog, QWidget* owner) {
  dialog->installEventFilter(new OverOwner(dialog, owner));
}

}  // namespace kelvane
