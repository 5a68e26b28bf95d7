#include "files/SafeFiles.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "files/PendingFile.h"
#include "files/PosixFile.h"

namespace kelvane {
namespace {

// The file path names once every link is followed; nothing, with errno saying why, when there
// is none. The kernel follows the links, as an open would: where the system protects shared
// sticky folders (/tmp), a link another user planted there is refused, not followed.
std::optional<std::string> RealPathOf(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_PATH | O_CLOEXEC));
  if (!file.IsOpen()) return std::nullopt;
  const std::string self = "/proc/self/fd/" + std::to_string(file.Get());
  char name[PATH_MAX];
  const ssize_t length = ::readlink(self.c_str(), name, sizeof name);
  if (length > 0 && length < static_cast<ssize_t>(sizeof name) && name[0] == '/') {
    return std::string(name, static_cast<std::size_t>(length));
  }
  // Without /proc the links are read again, by the library.
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

// A logout, Ctrl+C or kill waits until the renames are done instead of leaving the set half
// replaced. Only SIGKILL cannot be held.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  ~TerminationSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

 private:
  sigset_t previous_{};
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

// Makes the renames themselves durable; a failure here cannot undo a save that already happened.
void SyncFolders(const std::vector<PendingFile>& pending) {
  std::vector<std::string> synced;
  for (const PendingFile& file : pending) {
    if (std::find(synced.begin(), synced.end(), file.FolderPath()) != synced.end()) continue;
    synced.push_back(file.FolderPath());
    ::fsync(file.Folder());
  }
}

}  // namespace

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
                                             std::span<const std::uint8_t> bytes) {
  const FileImage file{path, {bytes.begin(), bytes.end()}};
  return SaveFiles({&file, 1});
}

std::optional<FileError> SaveFiles(std::span<const FileImage> files) {
  const std::vector<std::span<const FileImage>> group{files};
  return SaveFileGroups(group);
}

std::optional<FileError> SaveFileGroups(std::span<const std::span<const FileImage>> groups) {
  // Resolve all before writing any, so a refused file changes nothing.
  std::vector<const FileImage*> files;
  std::vector<std::pair<std::string, std::string>> shownAndTarget;
  for (const std::span<const FileImage> group : groups) {
    if (group.empty()) continue;
    const std::string& mainPath = group.front().path;
    const auto mainTarget = ResolveSaveTarget(mainPath);
    if (!mainTarget) return mainTarget.error();
    files.push_back(&group.front());
    shownAndTarget.emplace_back(mainPath, *mainTarget);
    for (const FileImage& file : group.subspan(1)) {
      const bool companion = file.path.size() > mainPath.size() && file.path.starts_with(mainPath);
      std::string shown = companion ? *mainTarget + file.path.substr(mainPath.size()) : file.path;
      auto target = ResolveSaveTarget(shown);
      if (!target) return target.error();
      files.push_back(&file);
      shownAndTarget.emplace_back(std::move(shown), std::move(*target));
    }
  }
  if (files.empty()) return std::nullopt;
  // Written twice, one file would keep only the later bytes: a sprite file whose sidecar links
  // back to it would be left three bytes long.
  std::vector<std::string> identities;
  for (const auto& [shown, target] : shownAndTarget) {
    std::string identity = FileIdentity(target);
    const auto earlier = std::ranges::find(identities, identity);
    if (earlier != identities.end()) {
      const std::string& first = shownAndTarget[earlier - identities.begin()].first;
      return FileError{shown, FileProblem::NotRegularFile, "is the same file as " + first};
    }
    identities.push_back(std::move(identity));
  }

  std::vector<PendingFile> pending;
  pending.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    auto file =
        PendingFile::Prepare(shownAndTarget[i].first, shownAndTarget[i].second, files[i]->bytes);
    if (!file) return file.error();
    pending.push_back(std::move(*file));
  }

  const TerminationSignalsHeld held;
  for (PendingFile& file : pending) {
    if (auto error = file.Link()) return error;
  }
  for (PendingFile& file : pending) {
    if (auto error = file.WriteInPlace()) {
      RestoreInPlace(pending, *error);
      return error;
    }
  }
  for (PendingFile& file : pending) {
    if (auto error = file.Rename()) return error;
  }
  SyncFolders(pending);
  return std::nullopt;
}

}  // namespace kelvane
