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
  // Any other message, a control's hint say, is newer than the text waiting for its frame.
  connect(bar_, &QStatusBar::messageChanged, this, [this] {
    if (!showing_) hasWaiting_ = false;
  });
}

void StatusReadOut::Show(const QString& text) {
  if (frame_.isActive()) {
    waiting_ = text;
    hasWaiting_ = true;
    return;
  }
  ShowNow(text);
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
  ShowNow(waiting_);
}

void StatusReadOut::ShowNow(const QString& text) {
  showing_ = true;
  bar_->showMessage(text);
  showing_ = false;
  StartFrame();
}

}  // namespace kelvane
