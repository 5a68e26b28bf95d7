// File > Open Recent: the files last opened or saved, the most recent first, each once however
// it was named (a link, "..", a relative path), at most kRecentFileCount.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace kelvane {

inline constexpr std::size_t kRecentFileCount = 10;

class RecentFiles {
 public:
  // Paths in the system's bytes, absolute and with links resolved; front() is the most recent.
  const std::vector<std::string>& Paths() const { return paths_; }

  // path was opened or saved: it moves to the top, and the oldest beyond the count goes.
  void Add(const std::string& path);
  // path is gone from the disk: it is no longer offered.
  void Remove(const std::string& path);
  void Clear() { paths_.clear(); }
  // Files remembered from an earlier run, listed after those of this run. Whatever could not
  // name a file (empty, relative, with a NUL) is left out, and so is anything past the count.
  void Restore(const std::vector<std::string>& remembered);

 private:
  std::vector<std::string> paths_;
};

// The one name a file goes by in the list: absolute, "." and ".." and links resolved as far as
// the path exists.
std::string CanonicalPath(const std::string& path);

// The menu entry of path: "NAME  (FOLDER)", with '&' shown as itself rather than as a mnemonic.
QString RecentCaption(const std::string& path);

}  // namespace kelvane
