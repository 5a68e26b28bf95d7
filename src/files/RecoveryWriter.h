// Writes a window's recovery file on a thread of its own, so that no edit waits for a disk. Only
// the newest request counts: a document kept while an older one is being written replaces any
// that waits, and a removal drops it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "files/RecoveryFile.h"
#include "files/RecoveryFolder.h"

namespace kelvane {

class RecoveryWriter {
 public:
  // done: told on the writer's thread how each write or removal went.
  using Done = std::function<void(const std::optional<FileError>&)>;
  explicit RecoveryWriter(RecoveryOwner owner, Done done = nullptr);
  // Finishes what was asked, then lets the owner go.
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  void Write(KeptDocument document);
  void Remove();
  // Returns once everything asked so far is done.
  void Wait();

  const std::string& FilePath() const { return owner_.FilePath(); }
  // The last failure, cleared by the next write that succeeds.
  std::optional<FileError> LastError() const;

 private:
  enum class Next { Nothing, Write, Remove };
  void Run();

  RecoveryOwner owner_;
  Done done_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  Next next_ = Next::Nothing;
  std::optional<KeptDocument> waiting_;
  bool busy_ = false;
  bool stopping_ = false;
  std::optional<FileError> lastError_;
  std::thread thread_;  // last: starts once everything it reads stands
};

}  // namespace kelvane
