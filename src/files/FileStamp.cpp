#include "files/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "files/PosixFile.h"

namespace kelvane {

std::optional<FileStamp> StampOf(const std::string& path) {
  auto real = RealPathOf(path);
  struct stat info {};
  if (!real || ::stat(real->c_str(), &info) != 0) return std::nullopt;
  constexpr std::int64_t kNsPerSecond = 1000000000;
  return FileStamp{std::move(*real), info.st_dev, info.st_ino, info.st_size,
                   info.st_mtim.tv_sec * kNsPerSecond + info.st_mtim.tv_nsec};
}

// The kernel follows the links, as an open would: where the system protects shared sticky
// folders (/tmp), a link another user planted there is refused, not followed.
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

}  // namespace kelvane
