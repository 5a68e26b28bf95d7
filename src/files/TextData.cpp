#include "files/TextData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kelvane {
namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kPrivateFileMode = 0600;
constexpr const char* kFolderPattern = "/kelvane-XXXXXX";

std::string TemporaryBase() {
  const char* base = std::getenv("TMPDIR");
  return base && *base ? base : "/tmp";
}

// The viewer is handed the file as a file:// address, which must be absolute: a relative TMPDIR
// is taken from the folder the program started in.
std::string Absolute(std::string path) {
  if (path.starts_with('/')) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
}

}  // namespace

std::string SpriteTextData(std::span<const std::uint8_t, kSpriteBytes> sprite) {
  std::string text;
  text.reserve(kPixelBytes * 4);
  for (int i = 0; i < kPixelBytes; ++i) {
    if (i > 0) text += ',';
    text += std::to_string(sprite[i]);
  }
  return text;
}

Result<TextDataFolder> TextDataFolder::Create(std::string base) {
  TextDataFolder folder;
  folder.base_ = Absolute(base.empty() ? TemporaryBase() : std::move(base));
  if (auto error = Make(folder.base_, folder)) return *error;
  return folder;
}

std::optional<FileError> TextDataFolder::Make(const std::string& base, TextDataFolder& into) {
  std::string path = base + kFolderPattern;
  if (::mkdtemp(path.data()) == nullptr) return ErrorFromErrno(path, errno);
  FileDescriptor folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (!folder.IsOpen() || ::fstat(folder.Get(), &info) != 0) return ErrorFromErrno(path, errno);
  // Whatever was swapped in between making and opening it is not ours to write into.
  if (info.st_uid != ::geteuid() || (info.st_mode & 07777) != kPrivateFolderMode) {
    return ErrorFromErrno(path, EPERM);
  }
  into.RemoveFile();
  into.path_ = std::move(path);
  into.folder_ = std::move(folder);
  into.device_ = info.st_dev;
  into.inode_ = info.st_ino;
  return std::nullopt;
}

TextDataFolder::~TextDataFolder() {
  if (!folder_.IsOpen()) return;
  RemoveFile();
  if (StillAtItsName()) ::rmdir(path_.c_str());
}

bool TextDataFolder::StillAtItsName() const {
  struct stat open {};
  struct stat named {};
  return ::fstat(folder_.Get(), &open) == 0 && open.st_nlink > 0 &&
         ::lstat(path_.c_str(), &named) == 0 && named.st_dev == device_ && named.st_ino == inode_;
}

void TextDataFolder::RemoveFile() const {
  if (!folder_.IsOpen()) return;
  // Whatever sits under the name in our own folder was put there by this user.
  if (::unlinkat(folder_.Get(), kTextDataFileName, 0) != 0 && errno == EISDIR) {
    ::unlinkat(folder_.Get(), kTextDataFileName, AT_REMOVEDIR);
  }
}

std::optional<FileError> TextDataFolder::Write(std::string_view text) {
  // The viewer opens the file by name, so the name must lead to the folder written into.
  if (!StillAtItsName()) {
    if (auto error = Make(base_, *this)) return error;
  }
  // O_NONBLOCK: a FIFO under the name fails at once instead of waiting for a reader.
  FileDescriptor file(::openat(folder_.Get(), kTextDataFileName,
                               O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK,
                               kPrivateFileMode));
  if (!file.IsOpen()) return ErrorFromErrno(FilePath(), errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return ErrorFromErrno(FilePath(), errno);
  if (!S_ISREG(info.st_mode)) return NotRegularFileError(FilePath());
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!WriteAll(file.Get(), {data, text.size()}) || !file.Close()) {
    return ErrorFromErrno(FilePath(), errno);
  }
  return std::nullopt;
}

}  // namespace kelvane
