#include "files/RecoveryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <random>

#include "files/AbandonedTemporaries.h"
#include "files/SafeFiles.h"

namespace kelvane {
namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kPrivateFileMode = 0600;
constexpr int kNameAttempts = 100;
constexpr int kSetAsideAttempts = 100;
constexpr const char* kStateFolder = "/.local/state";
constexpr const char* kProgramFolder = "/kelvane";

bool EndsWith(const std::string& name, std::string_view suffix) {
  return name.size() > suffix.size() && name.ends_with(suffix);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Every missing folder of path, the last one private; an existing last one is made private too,
// when it is this user's.
std::optional<FileError> MakePrivateFolder(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    const std::string above = folder.substr(0, slash);
    if (::mkdir(above.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
      return ErrorFromErrno(above, errno);
    }
  }
  if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
    return ErrorFromErrno(folder, errno);
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return ErrorFromErrno(folder, errno);
  if (!S_ISDIR(info.st_mode)) return ErrorFromErrno(folder, ENOTDIR);
  if ((info.st_mode & 07777) != kPrivateFolderMode && info.st_uid == ::geteuid()) {
    ::chmod(folder.c_str(), kPrivateFolderMode);
  }
  return std::nullopt;
}

std::string RandomPart() {
  thread_local std::mt19937 random{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string part;
  for (int i = 0; i < 8; ++i) part += kDigits[random() % 16];
  return part;
}

FileDescriptor OpenLock(const std::string& path, int flags) {
  return FileDescriptor(
      ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | flags, kPrivateFileMode));
}

// Taken without waiting; false when another holds it, or when the file lost its name in the
// instant before (another program removed it as stale).
bool TakeLock(const FileDescriptor& lock) {
  struct stat info {};
  return ::flock(lock.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(lock.Get(), &info) == 0 &&
         info.st_nlink > 0;
}

std::string StemOf(const std::string& name, std::string_view suffix) {
  return name.substr(0, name.size() - suffix.size());
}

}  // namespace

std::string DefaultRecoveryFolder() {
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') {
    return std::string(state) + kProgramFolder;
  }
  if (const char* home = std::getenv("HOME"); home && *home == '/') {
    return std::string(home) + kStateFolder + kProgramFolder;
  }
  return {};
}

Result<RecoveryOwner> RecoveryOwner::Claim(const std::string& folder) {
  if (auto error = MakePrivateFolder(folder)) return *error;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string stem = folder + "/" + std::to_string(::getpid()) + "-" + RandomPart();
    RecoveryOwner owner;
    owner.lockPath_ = stem + kRecoveryLockSuffix;
    owner.data_ = stem + kRecoverySuffix;
    owner.lock_ = OpenLock(owner.lockPath_, O_CREAT | O_EXCL);
    if (!owner.lock_.IsOpen()) {
      if (errno == EEXIST) continue;
      return ErrorFromErrno(owner.lockPath_, errno);
    }
    if (!TakeLock(owner.lock_) || Exists(owner.data_)) {
      owner.lock_.Close();
      continue;
    }
    return owner;
  }
  return ErrorFromErrno(folder, EEXIST);
}

RecoveryOwner::~RecoveryOwner() {
  if (lock_.IsOpen() && !Exists(data_)) ::unlink(lockPath_.c_str());
}

std::optional<FileError> RecoveryOwner::Write(std::span<const std::uint8_t> bytes) {
  return WriteFileAtomically(data_, bytes, kPrivateFileMode);
}

std::optional<FileError> RecoveryOwner::Remove() {
  if (::unlink(data_.c_str()) != 0 && errno != ENOENT) return ErrorFromErrno(data_, errno);
  return std::nullopt;
}

Result<KeptDocument> RecoveryOrphan::Read() const {
  const Result<FileImage> file = ReadWholeFile(data_, kMaxRecoveryBytes);
  if (!file) return file.error();
  return DecodeKeptDocument(file->bytes, data_);
}

std::optional<FileError> RecoveryOrphan::Discard() {
  if (::unlink(data_.c_str()) != 0 && errno != ENOENT) return ErrorFromErrno(data_, errno);
  ::unlink(lockPath_.c_str());
  lock_.Close();
  return std::nullopt;
}

Result<std::string> RecoveryOrphan::SetAside() {
  // Linked, not renamed over: an earlier file set aside under the same name stays.
  for (int attempt = 0; attempt < kSetAsideAttempts; ++attempt) {
    const std::string aside =
        data_ + kSetAsideSuffix + (attempt == 0 ? std::string() : std::to_string(attempt));
    if (::link(data_.c_str(), aside.c_str()) != 0) {
      if (errno == EEXIST) continue;
      return ErrorFromErrno(data_, errno);
    }
    ::unlink(data_.c_str());
    ::unlink(lockPath_.c_str());
    lock_.Close();
    return aside;
  }
  return ErrorFromErrno(data_, EEXIST);
}

std::vector<RecoveryOrphan> FindOrphans(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    RemoveAbandonedTemporaries(::dirfd(dir));
    ::closedir(dir);
  }
  std::ranges::sort(names);
  std::vector<RecoveryOrphan> orphans;
  for (const std::string& name : names) {
    if (EndsWith(name, kRecoverySuffix)) {
      const std::string stem = folder + "/" + StemOf(name, kRecoverySuffix);
      std::string data = stem + kRecoverySuffix;
      std::string lockPath = stem + kRecoveryLockSuffix;
      FileDescriptor lock = OpenLock(lockPath, O_CREAT);
      if (!lock.IsOpen() || !TakeLock(lock)) continue;
      // Discarded by another program in the instant before.
      if (!Exists(data)) {
        ::unlink(lockPath.c_str());
        continue;
      }
      orphans.push_back(RecoveryOrphan(std::move(lock), std::move(data), std::move(lockPath)));
    } else if (EndsWith(name, kRecoveryLockSuffix)) {
      // A program that ended with nothing unsaved, killed.
      const std::string stem = folder + "/" + StemOf(name, kRecoveryLockSuffix);
      const FileDescriptor lock = OpenLock(stem + kRecoveryLockSuffix, 0);
      if (lock.IsOpen() && TakeLock(lock) && !Exists(stem + kRecoverySuffix)) {
        ::unlink((stem + kRecoveryLockSuffix).c_str());
      }
    }
  }
  return orphans;
}

}  // namespace kelvane
