#include "files/SafeFiles.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "files/PendingFile.h"
#include "files/PosixFile.h"

namespace kelvane {
namespace {

constexpr int kTerminationSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};

// A logout, Ctrl+C or kill waits until a set is in place instead of leaving it half replaced,
// and one that arrives between two sets undoes the save. Only SIGKILL cannot be held.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kTerminationSignals) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  ~TerminationSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

  // One is waiting that will end the program once it is let through (an ignored one will not).
  bool Arrived() const {
    sigset_t pending;
    if (::sigpending(&pending) != 0) return false;
    for (const int signal : kTerminationSignals) {
      struct sigaction action {};
      if (sigismember(&pending, signal) == 1 && ::sigaction(signal, nullptr, &action) == 0 &&
          action.sa_handler != SIG_IGN) {
        return true;
      }
    }
    return false;
  }

 private:
  sigset_t previous_{};
};

std::string FolderOf(const std::string& target) {
  const auto slash = target.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

FileDescriptor OpenFolder(const std::string& folder) {
  return FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Held while a set is put in place, by every save: an flock on the main file's real folder.
// Not on the main file, which each save replaces, so that a save that waited would hold the
// lock of a file no longer there; not on a lock file, which would stay in the user's folder.
// The folder is the same whichever link a save names the file through, and any user who may
// save there may open it. Where its file system has no flock (some network ones), sets are put
// in place without it.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder) : folder_(OpenFolder(folder)) {
    while (folder_.IsOpen() && ::flock(folder_.Get(), LOCK_EX) != 0 && errno == EINTR) {
    }
  }

 private:
  FileDescriptor folder_;  // closing it lets the lock go
};

// Puts back every file already rewritten in place; one that cannot be put back keeps its
// backup, and the message says where.
void RestoreInPlace(std::vector<PendingFile>& pending, FileError& error) {
  for (PendingFile& file : pending) {
    if (file.WrittenInPlace() && !file.Restore()) {
      error.reason += " (the old contents are kept in " + file.BackupPath() + ")";
    }
  }
}

// Puts back, newest first, what placed replaced; error then names one that could not be.
void PutBackAll(const std::vector<PlacedFile>& placed, FileError& error) {
  bool named = false;
  for (auto file = placed.rbegin(); file != placed.rend(); ++file) {
    const auto failed = PutBack(*file);
    if (failed && !named) {
      error.reason += " (and " + file->shown + " could not be put back: " + failed->reason + ")";
      named = true;
    }
  }
}

struct PlannedFile {
  std::string shown;   // the name errors give
  std::string target;  // the resolved file it replaces
  const FileImage* image = nullptr;
};
using PlannedSet = std::vector<PlannedFile>;  // the main file first

// Writes one set and puts it in place, or changes nothing. Nothing stays open afterwards.
Result<std::vector<PlacedFile>> SaveSet(const PlannedSet& set, const ReplaceCheck& check) {
  std::vector<PendingFile> pending;
  pending.reserve(set.size());
  for (const PlannedFile& file : set) {
    auto prepared = PendingFile::Prepare(file.shown, file.target, file.image->bytes,
                                         &file == &set.front() ? check.newFileMode : kNewFileMode);
    if (!prepared) return prepared.error();
    pending.push_back(std::move(*prepared));
  }

  const PlannedFile& main = set.front();
  const FolderLock lock(FolderOf(main.target));
  if (check.lastSeen) {
    const auto now = StampOf(main.target);
    if (now && now->file == check.lastSeen->file && *now != *check.lastSeen) {
      return FileError{main.shown, FileProblem::Changed,
                       "has changed on disk since it was opened or saved"};
    }
  }
  for (PendingFile& file : pending) {
    if (auto error = file.WriteInPlace()) {
      RestoreInPlace(pending, *error);
      return *error;
    }
  }
  std::vector<PlacedFile> placed;
  for (PendingFile& file : pending) {
    if (file.WrittenInPlace()) continue;
    if (auto error = file.Place()) {
      PutBackAll(placed, *error);
      RestoreInPlace(pending, *error);
      return *error;
    }
    placed.push_back(file.Placed());
  }
  for (PendingFile& file : pending) {
    if (file.WrittenInPlace()) placed.push_back(file.Placed());
  }
  if (check.saved) *check.saved = StampOf(main.target);
  return placed;
}

Result<std::vector<PlannedSet>> Plan(std::span<const std::span<const FileImage>> groups) {
  // Resolve all before writing any, so a refused file changes nothing.
  std::vector<PlannedSet> sets;
  for (const std::span<const FileImage> group : groups) {
    if (group.empty()) continue;
    const std::string& mainPath = group.front().path;
    const auto mainTarget = ResolveSaveTarget(mainPath);
    if (!mainTarget) return mainTarget.error();
    PlannedSet& set = sets.emplace_back();
    set.push_back({mainPath, *mainTarget, &group.front()});
    for (const FileImage& file : group.subspan(1)) {
      const bool companion = file.path.size() > mainPath.size() && file.path.starts_with(mainPath);
      std::string shown = companion ? *mainTarget + file.path.substr(mainPath.size()) : file.path;
      auto target = ResolveSaveTarget(shown);
      if (!target) return target.error();
      set.push_back({std::move(shown), std::move(*target), &file});
    }
  }
  // Written twice, one file would keep only the later bytes: a sprite file whose sidecar links
  // back to it would be left three bytes long.
  using Identity = std::pair<std::string, const std::string*>;  // and the name shown for it
  std::vector<Identity> identities;
  for (const PlannedSet& set : sets) {
    for (const PlannedFile& file : set) {
      std::string identity = FileIdentity(file.target);
      const auto earlier = std::ranges::find(identities, identity, &Identity::first);
      if (earlier != identities.end()) return SameFileError(file.shown, *earlier->second);
      identities.emplace_back(std::move(identity), &file.shown);
    }
  }
  return sets;
}

std::optional<FileError> SaveSets(const std::vector<PlannedSet>& sets, const ReplaceCheck& check) {
  // A copy a killed save left behind stays: in a user's folder nothing proves a file of that name
  // is ours and not the user's own, and removing it could cost them a file.
  std::vector<std::string> folders;
  for (const PlannedSet& set : sets) {
    for (const PlannedFile& file : set) {
      std::string folder = FolderOf(file.target);
      if (std::ranges::find(folders, folder) == folders.end()) folders.push_back(std::move(folder));
    }
  }
  const TerminationSignalsHeld held;
  std::vector<std::vector<PlacedFile>> saved;
  for (const PlannedSet& set : sets) {
    auto placed = !saved.empty() && held.Arrived()
                      ? Result<std::vector<PlacedFile>>(
                            FileError{set.front().shown, FileProblem::Io, "not saved: interrupted"})
                      : SaveSet(set, saved.empty() ? check : ReplaceCheck{});
    if (!placed) {
      FileError error = placed.error();
      for (std::size_t i = saved.size(); i-- > 0;) {
        const FolderLock lock(FolderOf(sets[i].front().target));
        PutBackAll(saved[i], error);
      }
      return error;
    }
    saved.push_back(std::move(*placed));
  }
  // Makes the renames themselves durable; a failure here cannot undo a save that happened.
  for (const std::string& folder : folders) {
    if (const FileDescriptor open = OpenFolder(folder); open.IsOpen()) ::fsync(open.Get());
  }
  return std::nullopt;
}

}  // namespace

FileError SameFileError(const std::string& file, const std::string& earlier) {
  return FileError{file, FileProblem::NotRegularFile, "is the same file as " + earlier};
}

Result<FileImage> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  // O_NONBLOCK: a FIFO without a writer opens at once (and is then refused) instead of hanging.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.IsOpen()) return ErrorFromErrno(path, errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return ErrorFromErrno(path, errno);
  if (S_ISDIR(info.st_mode)) return ErrorFromErrno(path, EISDIR);
  if (!S_ISREG(info.st_mode)) return NotRegularFileError(path);
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    return FileError{path, FileProblem::Size, kInvalidFileSizeReason};
  }
  // Read to the end rather than trust the size: the file may change while it is read.
  FileImage image{path, {}};
  if (!ReadToEnd(file.Get(), static_cast<std::size_t>(info.st_size), maxBytes, image.bytes)) {
    return ErrorFromErrno(path, errno);
  }
  if (image.bytes.size() > maxBytes)
    return FileError{path, FileProblem::Size, kInvalidFileSizeReason};
  return image;
}

Result<std::string> ResolveSaveTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    // A new name; a missing folder is reported when the file is created in it.
    if (errno == ENOENT) return path;
    return ErrorFromErrno(path, errno);
  }
  std::string target = path;
  if (S_ISLNK(info.st_mode)) {
    const auto resolved = RealPathOf(path);
    if (!resolved) {
      // A link that leads nowhere, or round in a circle, names no file to replace.
      if (errno == ENOENT) {
        return FileError{path, FileProblem::NotRegularFile, "a link to a file that is not there"};
      }
      if (errno == ELOOP) {
        return FileError{path, FileProblem::NotRegularFile, "a link that leads round in a circle"};
      }
      return ErrorFromErrno(path, errno);
    }
    target = *resolved;
    if (::stat(target.c_str(), &info) != 0) return ErrorFromErrno(path, errno);
  }
  if (S_ISDIR(info.st_mode)) return ErrorFromErrno(path, EISDIR);
  if (!S_ISREG(info.st_mode)) return NotRegularFileError(path);
  return target;
}

std::string FileBehindLinks(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  return RealPathOf(path).value_or(path);
}

std::string FileIdentity(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "name " + path;
  return "file " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

std::optional<FileError> WriteFileAtomically(const std::string& path,
                                             std::span<const std::uint8_t> bytes,
                                             mode_t newFileMode) {
  const FileImage file{path, {bytes.begin(), bytes.end()}};
  ReplaceCheck check;
  check.newFileMode = newFileMode;
  return SaveFiles({&file, 1}, check);
}

std::optional<FileError> SaveFiles(std::span<const FileImage> files, const ReplaceCheck& check) {
  const std::vector<std::span<const FileImage>> group{files};
  auto sets = Plan(group);
  if (!sets) return sets.error();
  return SaveSets(*sets, check);
}

std::optional<FileError> SaveFileGroups(std::span<const std::span<const FileImage>> groups) {
  auto sets = Plan(groups);
  if (!sets) return sets.error();
  return SaveSets(*sets, {});
}

}  // namespace kelvane
