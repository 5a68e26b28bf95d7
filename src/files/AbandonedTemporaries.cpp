#include "files/AbandonedTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string>
#include <vector>

#include "files/PendingFile.h"
#include "files/PosixFile.h"

namespace kelvane {
namespace {

// Opened for reading or, for a copy given a write-only mode, for writing: flock takes either.
FileDescriptor OpenToLock(int folder, const char* name) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  FileDescriptor file(::openat(folder, name, O_RDONLY | kFlags));
  if (!file.IsOpen() && errno == EACCES)
    file = FileDescriptor(::openat(folder, name, O_WRONLY | kFlags));
  return file;
}

}  // namespace

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryNamePrefix)) return false;
  const std::string_view letters = name.substr(kTemporaryNamePrefix.size());
  return letters.size() == kTemporaryNameLetters &&
         std::ranges::all_of(letters, [](unsigned char c) { return std::isalnum(c) != 0; });
}

void RemoveAbandonedTemporaries(int folder) {
  // Listed first and removed after, so that the listing never sees its own removals.
  std::vector<std::string> names;
  {
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0) return;
    DIR* entries = ::fdopendir(listed);
    if (entries == nullptr) {
      ::close(listed);
      return;
    }
    while (const dirent* entry = ::readdir(entries)) {
      if (IsTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
    }
    ::closedir(entries);
  }
  for (const std::string& name : names) {
    const FileDescriptor file = OpenToLock(folder, name.c_str());
    struct stat locked {};
    struct stat named {};
    if (!file.IsOpen() || ::fstat(file.Get(), &locked) != 0 || !S_ISREG(locked.st_mode) ||
        ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
      continue;
    }
    // Still the file that was locked, and not a copy its writer has meanwhile renamed away.
    if (::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
      ::unlinkat(folder, name.c_str(), 0);
    }
  }
}

}  // namespace kelvane
