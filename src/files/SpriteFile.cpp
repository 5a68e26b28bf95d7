#include "files/SpriteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <random>

#include "files/FileName.h"
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

std::optional<std::vector<std::uint8_t>> ReadSpriteFile(const std::string& path) {
  std::int64_t size = 0;
  FileDescriptor file = OpenRegularFileForReading(path, size);
  if (!file.IsOpen() || size > kMaxSpriteFileBytes || size % kSpriteBytes != 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> records(static_cast<std::size_t>(size));
  if (!ReadExactly(file.Get(), records)) return std::nullopt;
  return records;
}

void ApplySpriteFile(SpriteBank& bank, std::span<const std::uint8_t> records) {
  const auto count = std::min<std::size_t>(records.size(), kBankBytes);
  std::ranges::copy(records.first(count), bank.Bytes().begin());
}

std::optional<std::array<std::uint8_t, kSidecarBytes>> ReadSidecar(const std::string& spritePath) {
  std::int64_t size = 0;
  FileDescriptor file = OpenRegularFileForReading(SidecarPathOf(spritePath), size);
  if (!file.IsOpen() || size != kSidecarBytes) return std::nullopt;
  std::array<std::uint8_t, kSidecarBytes> sidecar{};
  if (!ReadExactly(file.Get(), sidecar)) return std::nullopt;
  return sidecar;
}

void ApplySidecar(EditorState& state, const std::array<std::uint8_t, kSidecarBytes>& sidecar) {
  for (int i = 0; i < kSidecarBytes; ++i) {
    state.PenColours[kSidecarPenSlots[i]] = sidecar[i] & kColourIndexMask;
  }
}

std::array<std::uint8_t, kSidecarBytes> MakeSidecar(const EditorState& state) {
  std::array<std::uint8_t, kSidecarBytes> sidecar{};
  for (int i = 0; i < kSidecarBytes; ++i) sidecar[i] = state.PenColours[kSidecarPenSlots[i]];
  return sidecar;
}

std::optional<SaveError> WriteFileAtomically(const std::string& path,
                                             std::span<const std::uint8_t> bytes) {
  const auto failure = [&path](int error) { return SaveError{path, ErrorText(error)}; };
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

std::optional<SaveError> SaveSpriteFile(const std::string& path, const SpriteBank& bank,
                                        int byteCount, const EditorState& state) {
  const auto count = static_cast<std::size_t>(std::clamp(byteCount, 0, kBankBytes));
  if (auto error = WriteFileAtomically(path, bank.Bytes().first(count))) return error;
  return WriteFileAtomically(SidecarPathOf(path), MakeSidecar(state));
}

}  // namespace kelvane
