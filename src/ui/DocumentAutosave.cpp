#include "ui/DocumentAutosave.h"

#include <utility>

namespace kelvane {

DocumentAutosave::DocumentAutosave(SpriteDocument& document, std::function<KeptDocument()> keep,
                                   RecoveryOwner owner, QObject* parent)
    : QObject(parent),
      document_(document),
      keep_(std::move(keep)),
      writer_(std::move(owner), [this](const std::optional<FileError>& error) {
        // Reported on this object's thread; dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, error] { Reported(error); }, Qt::QueuedConnection);
      }) {
  timer_.setSingleShot(true);
  timer_.setInterval(kAutosaveDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Keep(); });
  listener_ =
      document_.Subscribe([this](const DocumentChange& change) { DocumentChanged(change); });
  // Work that was unsaved before autosave began (a picture opened from the command line).
  if (document_.Modified()) timer_.start();
}

DocumentAutosave::~DocumentAutosave() {
  document_.Unsubscribe(listener_);
}

void DocumentAutosave::DocumentChanged(const DocumentChange& change) {
  const bool content = change.Has(Changed::Sprites) || change.Has(Changed::SharedColours) ||
                       change.Has(Changed::Animations) || change.Has(Changed::Objects) ||
                       change.Has(Changed::Modified);
  if (!content) return;
  if (!document_.Modified()) {
    timer_.stop();
    if (std::exchange(kept_, false)) writer_.Remove();
    return;
  }
  // Not restarted by later changes: an edit that never pauses is still kept.
  if (!timer_.isActive()) timer_.start();
}

void DocumentAutosave::Keep() {
  if (!document_.Modified()) return;
  kept_ = true;
  writer_.Write(keep_());
}

void DocumentAutosave::Reported(const std::optional<FileError>& error) {
  if (error && error != reported_ && report_) report_(*error);
  reported_ = error;
}

bool DocumentAutosave::KeepNow() {
  timer_.stop();
  Keep();
  writer_.Wait();
  return !writer_.LastError();
}

void DocumentAutosave::Forget() {
  timer_.stop();
  kept_ = false;
  writer_.Remove();
  writer_.Wait();
}

}  // namespace kelvane
