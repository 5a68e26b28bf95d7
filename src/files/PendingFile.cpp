#include "files/PendingFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>

namespace kelvane {
namespace {

constexpr mode_t kPrivateMode = 0600;  // until the final mode is set, before any data
constexpr mode_t kCarriedBits = 0777;  // never set-user-ID, set-group-ID or sticky
constexpr mode_t kSpecialBits = 07000;
constexpr int kNameAttempts = 100;
constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
constexpr std::string_view kUserAttributePrefix = "user.";
// Who else may read or write the file: dropped, it would let in users the file shut out.
constexpr const char* kAccessListAttribute = "system.posix_acl_access";

std::string RandomName(std::string_view suffix) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::minstd_rand random{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
  std::string name(kTemporaryNamePrefix);
  for (std::size_t i = 0; i < kTemporaryNameLetters; ++i) name += kLetters[pick(random)];
  name += suffix;
  return name;
}

FileDescriptor CreateNamed(int folder, std::string_view suffix, mode_t mode, std::string& name) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = RandomName(suffix);
    FileDescriptor file(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file.IsOpen()) {
      if (errno == EEXIST) continue;
      name.clear();
      return file;
    }
    // Marked as its writer's at once. Another save that found it unlocked in that instant took
    // it for abandoned and removed it; it then has no name left, and another is made.
    struct stat made {};
    if (::flock(file.Get(), LOCK_EX) == 0 && ::fstat(file.Get(), &made) == 0 &&
        made.st_nlink == 0) {
      continue;
    }
    return file;
  }
  name.clear();
  return FileDescriptor();  // errno is still EEXIST
}

// An unnamed file can only be given a name through /proc without extra privileges.
bool CanNameUnnamedFiles() {
  static const bool available = ::access("/proc/self/fd", X_OK) == 0;
  return available;
}

// The systems that lack O_TMPFILE, or a file system that lacks it, say so in one of these ways.
bool UnnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

bool KeepOwner(int file, const struct stat& old) {
  struct stat made {};
  if (::fstat(file, &made) != 0) return false;
  if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return true;
  return ::fchown(file, old.st_uid, old.st_gid) == 0;
}

// The user namespace and the access list: security labels and capabilities are the system's to
// give.
bool IsKeptAttribute(std::string_view name) {
  return name.starts_with(kUserAttributePrefix) || name == kAccessListAttribute;
}

// A copy made in a folder with a default access list starts with one of its own, which the old
// file may not have had.
bool CopyKeptAttributes(const std::string& from, int to) {
  if (::fremovexattr(to, kAccessListAttribute) != 0 && errno != ENODATA && errno != ENOTSUP) {
    return false;
  }
  ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size < 0) return errno == ENOTSUP;  // a file system without attributes has none to keep
  if (size == 0) return true;
  std::vector<char> names(static_cast<std::size_t>(size));
  size = ::listxattr(from.c_str(), names.data(), names.size());
  if (size < 0) return false;
  for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
    if (!IsKeptAttribute(name)) continue;
    const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
    if (length < 0) return false;
    std::vector<char> value(static_cast<std::size_t>(length));
    if (::getxattr(from.c_str(), name, value.data(), value.size()) != length ||
        ::fsetxattr(to, name, value.data(), value.size(), 0) != 0) {
      return false;
    }
  }
  return true;
}

bool Rewrite(int file, std::span<const std::uint8_t> bytes) {
  return ::lseek(file, 0, SEEK_SET) == 0 && WriteAll(file, bytes) &&
         ::ftruncate(file, static_cast<off_t>(bytes.size())) == 0 && ::fsync(file) == 0;
}

}  // namespace

PendingFile::PendingFile(std::string shown, const std::string& target,
                         std::span<const std::uint8_t> bytes)
    : shown_(std::move(shown)), target_(target), bytes_(bytes) {
  const auto slash = target.rfind('/');
  folderPath_ = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  name_ = slash == std::string::npos ? target : target.substr(slash + 1);
}

PendingFile::~PendingFile() {
  if (!folder_.IsOpen()) return;
  if (!temporaryName_.empty() && !renamed_) ::unlinkat(folder_.Get(), temporaryName_.c_str(), 0);
  if (!backupName_.empty() && !keepBackup_) ::unlinkat(folder_.Get(), backupName_.c_str(), 0);
}

Result<PendingFile> PendingFile::Prepare(std::string shown, const std::string& target,
                                         std::span<const std::uint8_t> bytes, mode_t newMode) {
  PendingFile file(std::move(shown), target, bytes);
  if (file.name_.empty()) return file.Failure(EISDIR);
  file.folder_ =
      FileDescriptor(::open(file.folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!file.folder_.IsOpen()) return file.Failure(errno);

  // Held until the set is in place: dropping the old file's last name frees its blocks, which
  // takes milliseconds, and must not happen inside a rename, between the files of a set.
  file.old_ = FileDescriptor(
      ::openat(file.folder_.Get(), file.name_.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat old {};
  const bool replacing = file.old_.IsOpen() && ::fstat(file.old_.Get(), &old) == 0;
  if (!replacing && errno != ENOENT) return file.Failure(errno);
  if (replacing) {
    if (S_ISDIR(old.st_mode)) return file.Failure(EISDIR);
    if (!S_ISREG(old.st_mode)) return NotRegularFileError(file.shown_);
    // Renaming would get past a read-only file that writing in place could not.
    if (::faccessat(file.folder_.Get(), file.name_.c_str(), W_OK, AT_EACCESS) != 0) {
      return file.Failure(errno);
    }
    if (auto error = file.ReadOld(old)) return *error;
  }
  const auto error = replacing && old.st_nlink > 1
                         ? file.PrepareInPlace(old)
                         : file.WriteCopy(replacing ? &old : nullptr, target, newMode);
  if (error) return *error;
  return file;
}

bool PendingFile::OpenCopy(mode_t mode) {
  if (CanNameUnnamedFiles()) {
    file_ = FileDescriptor(::openat(folder_.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    // Locked before it has a name, so that no other save ever takes it for abandoned.
    if (file_.IsOpen()) ::flock(file_.Get(), LOCK_EX | LOCK_NB);
    if (file_.IsOpen() || !UnnamedFilesUnsupported(errno)) return file_.IsOpen();
  }
  file_ = CreateNamed(folder_.Get(), "", mode, temporaryName_);
  return file_.IsOpen();
}

std::optional<FileError> PendingFile::WriteCopy(const struct stat* old, const std::string& target,
                                                mode_t newMode) {
  if (!OpenCopy(old ? kPrivateMode : newMode)) {
    return old ? FolderFailure(errno) : Failure(errno);
  }
  if (old) {
    if (!KeepOwner(file_.Get(), *old) || !CopyKeptAttributes(target, file_.Get())) {
      // Renaming a copy would lose them: drop it and write the file itself instead.
      file_.Close();
      if (!temporaryName_.empty()) ::unlinkat(folder_.Get(), temporaryName_.c_str(), 0);
      temporaryName_.clear();
      return PrepareInPlace(*old);
    }
    if (::fchmod(file_.Get(), old->st_mode & kCarriedBits) != 0) return Failure(errno);
  }
  if (!WriteAll(file_.Get(), bytes_) || ::fsync(file_.Get()) != 0) return Failure(errno);
  return std::nullopt;
}

// A file the user may write but not read is refused: without its contents, a failure later in
// the save could not put it back.
std::optional<FileError> PendingFile::ReadOld(const struct stat& old) {
  const FileDescriptor reader(::openat(folder_.Get(), name_.c_str(), O_RDONLY | kOpenFlags));
  struct stat now {};
  if (!reader.IsOpen() || ::fstat(reader.Get(), &now) != 0) return Failure(errno);
  if (!S_ISREG(now.st_mode) || now.st_ino != old.st_ino || now.st_dev != old.st_dev) {
    return NotRegularFileError(shown_);
  }
  if (!ReadToEnd(reader.Get(), static_cast<std::size_t>(now.st_size), SIZE_MAX, oldBytes_)) {
    return Failure(errno);
  }
  replacing_ = true;
  oldTimes_ = {old.st_atim, old.st_mtim};
  return std::nullopt;
}

std::optional<FileError> PendingFile::PrepareInPlace(const struct stat& old) {
  inPlace_ = true;
  oldMode_ = old.st_mode & 07777;
  file_ = FileDescriptor(::openat(folder_.Get(), name_.c_str(), O_WRONLY | kOpenFlags));
  if (!file_.IsOpen()) return Failure(errno);
  struct stat now {};
  if (::fstat(file_.Get(), &now) != 0) return Failure(errno);
  if (!S_ISREG(now.st_mode) || now.st_ino != old.st_ino || now.st_dev != old.st_dev) {
    return NotRegularFileError(shown_);
  }
  // If the rewrite is cut short the backup is the only whole copy left, so it is synced first.
  const FileDescriptor backup =
      CreateNamed(folder_.Get(), kBackupNameSuffix, kPrivateMode, backupName_);
  if (!backup.IsOpen()) return FolderFailure(errno);
  if (!WriteAll(backup.Get(), oldBytes_) || ::fsync(backup.Get()) != 0) return Failure(errno);
  return std::nullopt;
}

FileError PendingFile::FolderFailure(int error) const {
  FileError failure = Failure(error);
  if (error == EACCES || error == EPERM) {
    failure.reason += ": its folder cannot be written, and a save makes the new copy there first";
  }
  return failure;
}

std::optional<FileError> PendingFile::Link() {
  if (inPlace_ || !temporaryName_.empty()) return std::nullopt;
  const std::string self = "/proc/self/fd/" + std::to_string(file_.Get());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = RandomName("");
    if (::linkat(AT_FDCWD, self.c_str(), folder_.Get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporaryName_ = std::move(name);
      return std::nullopt;
    }
    if (errno != EEXIST) break;
  }
  return Failure(errno);
}

std::optional<FileError> PendingFile::WriteInPlace() {
  if (!inPlace_) return std::nullopt;
  written_ = true;  // from here on the old contents may be gone
  // A writer who may not change the mode has the kernel clear these bits as it writes.
  if ((oldMode_ & kSpecialBits) != 0) {
    modeChanged_ = ::fchmod(file_.Get(), oldMode_ & kCarriedBits) == 0;
  }
  if (!Rewrite(file_.Get(), bytes_)) return Failure(errno);
  return std::nullopt;
}

bool PendingFile::Restore() {
  if (!written_) return true;
  const bool restored =
      Rewrite(file_.Get(), oldBytes_) && (!modeChanged_ || ::fchmod(file_.Get(), oldMode_) == 0);
  keepBackup_ = !restored;
  return restored;
}

std::optional<FileError> PendingFile::Place() {
  if (inPlace_) return std::nullopt;
  if (auto error = Link()) return error;
  if (::renameat(folder_.Get(), temporaryName_.c_str(), folder_.Get(), name_.c_str()) != 0) {
    return Failure(errno);
  }
  renamed_ = true;
  return std::nullopt;
}

PlacedFile PendingFile::Placed() {
  PlacedFile placed{shown_, target_, std::nullopt, oldTimes_, StampOf(target_)};
  if (replacing_) placed.old = std::move(oldBytes_);
  return placed;
}

std::optional<FileError> PutBack(const PlacedFile& placed) {
  if (!placed.placed || StampOf(placed.target) != placed.placed) return std::nullopt;
  if (!placed.old) {
    if (::unlink(placed.target.c_str()) != 0) return ErrorFromErrno(placed.shown, errno);
    return std::nullopt;
  }
  auto file = PendingFile::Prepare(placed.shown, placed.target, *placed.old);
  if (!file) return file.error();
  if (auto error = file->WriteInPlace()) {
    file->Restore();
    return error;
  }
  if (auto error = file->Place()) return error;
  ::utimensat(AT_FDCWD, placed.target.c_str(), placed.oldTimes.data(), AT_SYMLINK_NOFOLLOW);
  return std::nullopt;
}

}  // namespace kelvane
