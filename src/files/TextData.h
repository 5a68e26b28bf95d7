// The text export of one sprite: its pixel bytes as comma-separated decimals on one line, written
// into a private folder made for this run.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/FileError.h"
#include "files/PosixFile.h"
#include "model/C64Format.h"

namespace kelvane {

inline constexpr const char* kTextDataFileName = "spritedata.txt";

// The 63 pixel bytes, "%d," for all but the last; no blank, no line end, no attribute byte.
std::string SpriteTextData(std::span<const std::uint8_t, kSpriteBytes> sprite);

// The private folder (0700) the export is written into, kept open from start-up. The file is
// created relative to the open folder and never through a link, so swapping the folder's name
// for a link (possible where the temporary folder lacks the sticky bit) cannot redirect the
// write. A folder that was deleted or moved away is replaced by a new one at the next write.
class TextDataFolder {
 public:
  // Makes the folder under base, or under $TMPDIR (else /tmp) when base is empty.
  static Result<TextDataFolder> Create(std::string base = {});

  TextDataFolder(TextDataFolder&&) noexcept = default;
  TextDataFolder& operator=(TextDataFolder&&) noexcept = default;
  TextDataFolder(const TextDataFolder&) = delete;
  TextDataFolder& operator=(const TextDataFolder&) = delete;
  // Removes the file and the folder, if the folder is still ours at its name.
  ~TextDataFolder();

  // Creates or empties the export file and writes text; it is only ever a regular file of ours.
  std::optional<FileError> Write(std::string_view text);

  // Where the desktop's viewer finds the file.
  std::string FilePath() const { return path_ + "/" + kTextDataFileName; }
  const std::string& FolderPath() const { return path_; }

 private:
  TextDataFolder() = default;
  static std::optional<FileError> Make(const std::string& base, TextDataFolder& into);
  bool StillAtItsName() const;
  void RemoveFile() const;

  std::string base_;
  std::string path_;
  FileDescriptor folder_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

}  // namespace kelvane
