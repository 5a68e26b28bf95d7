#include "ui/StatusReadOut.h"

#include <QScreen>
#include <QStatusBar>
#include <cmath>

namespace kelvane {
namespace {

constexpr double kFallbackRefreshHz = 60;  // when the screen does not say

}  // namespace

StatusReadOut::StatusReadOut(QStatusBar* bar) : QObject(bar), bar_(bar), frame_(this) {
  frame_.setObjectName(QStringLiteral("ReadOutFrame"));
  frame_.setSingleShot(true);
  connect(&frame_, &QTimer::timeout, this, &StatusReadOut::FrameOver);
}

void StatusReadOut::Show(const QString& text) {
  if (frame_.isActive()) {
    waiting_ = text;
    hasWaiting_ = true;
    return;
  }
  bar_->showMessage(text);
  StartFrame();
}

void StatusReadOut::Clear() {
  hasWaiting_ = false;
  bar_->clearMessage();
}

void StatusReadOut::StartFrame() {
  const QScreen* screen = bar_->screen();
  const double hz =
      screen && screen->refreshRate() > 1 ? screen->refreshRate() : kFallbackRefreshHz;
  frame_.start(static_cast<int>(std::ceil(1000 / hz)));
}

void StatusReadOut::FrameOver() {
  if (!hasWaiting_) return;
  hasWaiting_ = false;
  bar_->showMessage(waiting_);
  StartFrame();
}

}  // namespace kelvane
