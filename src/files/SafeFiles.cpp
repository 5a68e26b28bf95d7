#include "files/SafeFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <random>

#include "files/PosixFile.h"

namespace kelvane {
namespace {

constexpr mode_t kNewFileMode = 0666;  // less the umask, applied by the kernel
constexpr mode_t kPermissionBits = 07777;
constexpr int kTemporaryNameAttempts = 100;

// A link to an existing file is saved through, so the user's link keeps pointing at the data.
std::string FileToReplace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Made by hand rather than with mkstemp so the new file starts from 0666 and the kernel applies
// the umask and any default ACL, exactly as for a file created in place.
FileDescriptor CreateFileBeside(const std::string& target, std::string& created) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::minstd_rand random{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    created = target + ".";
    for (int i = 0; i < 6; ++i) created += kLetters[pick(random)];
    FileDescriptor file(
        ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
    if (file.IsOpen() || errno != EEXIST) return file;
  }
  return FileDescriptor();  // errno is still EEXIST
}

// Makes the rename itself durable; a failure here cannot undo a save that already happened.
void SyncFolderOf(const std::string& path) {
  FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.IsOpen()) ::fsync(folder.Get());
}

}  // namespace

Result<FileImage> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  std::int64_t size = 0;
  errno = 0;
  FileDescriptor file = OpenRegularFileForReading(path, size);
  if (!file.IsOpen()) {
    if (errno == 0) return FileError{path, FileProblem::NotRegularFile, "not a regular file"};
    return ErrorFromErrno(path, errno);
  }
  if (static_cast<std::uint64_t>(size) > maxBytes) {
    return FileError{path, FileProblem::Size, "Invalid file size"};
  }
  FileImage image{path, std::vector<std::uint8_t>(static_cast<std::size_t>(size))};
  if (!ReadExactly(file.Get(), image.bytes)) return ErrorFromErrno(path, errno);
  return image;
}

std::optional<FileError> WriteFileAtomically(const std::string& path,
                                             std::span<const std::uint8_t> bytes) {
  const auto failure = [&path](int error) { return ErrorFromErrno(path, error); };
  const std::string target = FileToReplace(path);

  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // Renaming would get past a read-only file that writing in place could not.
  if (replacing && ::access(target.c_str(), W_OK) != 0) return failure(errno);

  std::string temporary;
  FileDescriptor file = CreateFileBeside(target, temporary);
  if (!file.IsOpen()) return failure(errno);

  const bool written = WriteAll(file.Get(), bytes) &&
                       (!replacing || ::fchmod(file.Get(), old.st_mode & kPermissionBits) == 0) &&
                       ::fsync(file.Get()) == 0 && file.Close() &&
                       ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!written) {
    const int error = errno;
    file.Close();
    ::unlink(temporary.c_str());
    return failure(error);
  }
  SyncFolderOf(target);
  return std::nullopt;
}

std::optional<FileError> SaveFiles(std::span<const FileImage> files) {
  for (const FileImage& file : files) {
    if (auto error = WriteFileAtomically(file.path, file.bytes)) return error;
  }
  return std::nullopt;
}

}  // namespace kelvane
