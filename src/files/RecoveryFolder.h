// The private folder where each running window keeps its unsaved document, and how a program
// that starts tells the files of windows still running from those of programs that ended
// without removing theirs.
//
// Each window owns a pair: NAME.recovery, the document, replaced whole at every autosave, and
// NAME.lock, on which it holds an flock for as long as it runs (the document itself cannot carry
// the lock: every save puts a new file in its place). NAME holds the process id and a random
// part. A recovery file whose lock can be taken, or which has none, belongs to no running
// program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/FileError.h"
#include "files/PosixFile.h"
#include "files/RecoveryFile.h"

namespace kelvane {

inline constexpr const char* kRecoverySuffix = ".recovery";
inline constexpr const char* kRecoveryLockSuffix = ".lock";
inline constexpr const char* kSetAsideSuffix = ".bad";

// $XDG_STATE_HOME/kelvane, else ~/.local/state/kelvane; empty when neither can be told.
std::string DefaultRecoveryFolder();

// One window's own recovery file and the lock that says its program runs.
class RecoveryOwner {
 public:
  // Creates folder (and those above it) when missing, the last one private (0700), and takes
  // a name of its own there.
  static Result<RecoveryOwner> Claim(const std::string& folder);

  RecoveryOwner(RecoveryOwner&&) noexcept = default;
  RecoveryOwner& operator=(RecoveryOwner&&) noexcept = default;
  // Lets the lock go. The lock file goes too unless a recovery file is left, whose work then
  // waits for the next start.
  ~RecoveryOwner();

  const std::string& FilePath() const { return data_; }
  // The document, all or nothing, readable by this user alone (0600).
  std::optional<FileError> Write(std::span<const std::uint8_t> bytes);
  // The document has nothing unsaved: its file goes, the lock stays.
  std::optional<FileError> Remove();

 private:
  RecoveryOwner() = default;

  FileDescriptor lock_;
  std::string data_;
  std::string lockPath_;
};

// A recovery file no running program owns, held by this one (its lock taken) while this lives:
// two programs that start together never offer the same one.
class RecoveryOrphan {
 public:
  RecoveryOrphan(RecoveryOrphan&&) noexcept = default;
  RecoveryOrphan& operator=(RecoveryOrphan&&) noexcept = default;
  ~RecoveryOrphan() = default;  // Later: lets the lock go and keeps both files

  const std::string& FilePath() const { return data_; }
  Result<KeptDocument> Read() const;
  // Removes the recovery file and its lock.
  std::optional<FileError> Discard();
  // A file that cannot be read is renamed out of the way (NAME.recovery.bad), not removed: the
  // new name, or why it could not be renamed.
  Result<std::string> SetAside();

 private:
  friend std::vector<RecoveryOrphan> FindOrphans(const std::string& folder);
  RecoveryOrphan(FileDescriptor lock, std::string data, std::string lockPath)
      : lock_(std::move(lock)), data_(std::move(data)), lockPath_(std::move(lockPath)) {}

  FileDescriptor lock_;
  std::string data_;
  std::string lockPath_;
};

// Every recovery file in folder whose program no longer runs, in name order, each held.
// Lock files left without a recovery file, and temporary copies of killed saves, are removed.
std::vector<RecoveryOrphan> FindOrphans(const std::string& folder);

}  // namespace kelvane
