#include "files/RecoveryWriter.h"

#include <utility>

namespace kelvane {

RecoveryWriter::RecoveryWriter(RecoveryOwner owner, Done done)
    : owner_(std::move(owner)), done_(std::move(done)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void RecoveryWriter::Write(KeptDocument document) {
  {
    const std::lock_guard lock(mutex_);
    waiting_ = std::move(document);
    next_ = Next::Write;
  }
  wake_.notify_one();
}

void RecoveryWriter::Remove() {
  {
    const std::lock_guard lock(mutex_);
    waiting_.reset();
    next_ = Next::Remove;
  }
  wake_.notify_one();
}

void RecoveryWriter::Wait() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return next_ == Next::Nothing && !busy_; });
}

std::optional<FileError> RecoveryWriter::LastError() const {
  const std::lock_guard lock(mutex_);
  return lastError_;
}

void RecoveryWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return next_ != Next::Nothing || stopping_; });
    if (next_ == Next::Nothing) return;  // stopping, with nothing left to do
    const Next next = std::exchange(next_, Next::Nothing);
    std::optional<KeptDocument> document = std::exchange(waiting_, std::nullopt);
    busy_ = true;
    lock.unlock();
    std::optional<FileError> error;
    if (next == Next::Write) {
      error = owner_.Write(EncodeKeptDocument(*document));
    } else {
      error = owner_.Remove();
    }
    if (done_) done_(error);
    lock.lock();
    busy_ = false;
    lastError_ = std::move(error);
    if (next_ == Next::Nothing) idle_.notify_all();
  }
}

}  // namespace kelvane
