// What a file on disk was at one moment: enough to tell later that someone else has changed or
// replaced it since.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane {

struct FileStamp {
  std::string file;  // its own name: absolute, every link followed
  dev_t device = 0;
  ino_t inode = 0;  // a save that renames a new copy into place changes it
  off_t size = 0;
  std::int64_t modifiedNs = 0;  // a rewrite in place changes it

  bool operator==(const FileStamp&) const = default;
};

// The file path names now; nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

// The file path names once every link is followed; nothing, with errno saying why, when there
// is none.
std::optional<std::string> RealPathOf(const std::string& path);

}  // namespace kelvane
