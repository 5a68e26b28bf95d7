#include "ui/StatusReadOut.h"

#include <QScreen>
#include <QStatusBar>
#include <cmath>
#include <utility>

namespace kelvane {
namespace {

constexpr double kFallbackRefreshHz = 60;  // when the screen does not say

}  // namespace

StatusReadOut::StatusReadOut(QStatusBar* bar) : QObject(bar), bar_(bar), frame_(this) {
  frame_.setObjectName(QStringLiteral("ReadOutFrame"));
  frame_.setSingleShot(true);
  connect(&frame_, &QTimer::timeout, this, &StatusReadOut::FrameOver);
  // Any other message, a control's hint say, is newer than the text waiting for its frame.
  connect(bar_, &QStatusBar::messageChanged, this, [this] {
    if (showing_) return;
    waiting_.reset();
    key_.reset();
  });
}

void StatusReadOut::Show(std::uint64_t key, const std::function<QString()>& text) {
  if (key_ == key) return;
  key_ = key;
  if (frame_.isActive()) {
    waiting_ = text();
    return;
  }
  ShowNow(text());
}

void StatusReadOut::Clear() {
  waiting_.reset();
  key_.reset();
  bar_->clearMessage();
}

void StatusReadOut::StartFrame() {
  const QScreen* screen = bar_->screen();
  const double hz =
      screen && screen->refreshRate() > 1 ? screen->refreshRate() : kFallbackRefreshHz;
  frame_.start(static_cast<int>(std::ceil(1000 / hz)));
}

void StatusReadOut::FrameOver() {
  if (!waiting_) return;
  const QString text = *std::exchange(waiting_, std::nullopt);
  ShowNow(text);
}

void StatusReadOut::ShowNow(const QString& text) {
  showing_ = true;
  bar_->showMessage(text);
  showing_ = false;
  StartFrame();
}

}  // namespace kelvane
