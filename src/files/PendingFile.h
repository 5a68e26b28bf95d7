// One file of a set being saved, on its way from a private copy to its place on disk. SaveFiles
// prepares every file of a set before it commits any, so that a failure part-way through changes
// none of the user's files.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileError.h"
#include "files/FileStamp.h"
#include "files/PosixFile.h"

namespace kelvane {

// Temporary files and backups are named ".kelvane-XXXXXX" (backups end in '~'), short enough
// that a name of any length can be saved beside them.
inline constexpr std::string_view kTemporaryNamePrefix = ".kelvane-";
inline constexpr std::size_t kTemporaryNameLetters = 6;
inline constexpr std::string_view kBackupNameSuffix = "~";
// A new file's permission bits, less the umask (and any default ACL), as for any new file.
inline constexpr mode_t kNewFileMode = 0666;

// A file a save has put in place, kept without anything open, so that a failure later in the
// same save can put back what it replaced.
struct PlacedFile {
  std::string shown;
  std::string target;
  std::optional<std::vector<std::uint8_t>> old;  // nothing: the name was new
  std::array<timespec, 2> oldTimes{};            // last access and modification
  std::optional<FileStamp> placed;
};

// Puts back the file that placed replaced, or removes placed if its name was new. A file that
// someone else has changed or replaced since is theirs, and stays.
std::optional<FileError> PutBack(const PlacedFile& placed);

class PendingFile {
 public:
  // Makes bytes ready to take target's place without touching target. Normally that is a copy in
  // target's folder, unnamed where the system allows it, carrying target's owner, group, user
  // attributes and permission bits (0777 only, set before any data), written and synced. Where
  // owner, group or attributes cannot be carried, or target has other hard links, the file is
  // to be rewritten in place instead (vim's backupcopy=auto): its old contents are copied to a
  // synced backup beside it. The old contents are read in any case, for PutBack. target must be
  // the resolved, real file; errors name shown.
  // A target not yet there is made with newMode.
  static Result<PendingFile> Prepare(std::string shown, const std::string& target,
                                     std::span<const std::uint8_t> bytes,
                                     mode_t newMode = kNewFileMode);

  PendingFile(PendingFile&&) noexcept = default;
  PendingFile& operator=(PendingFile&&) noexcept = default;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  // Removes the temporary copy unless it was put in place, and the backup unless a failed
  // restore left it the only copy of the old contents.
  ~PendingFile();

  // The commit, in two steps, the first for every file of a set before the second:
  // rewrites a file saved in place (sets its final mode, writes, truncates, syncs),
  std::optional<FileError> WriteInPlace();
  // and names a copy and puts it over its target. Only now is an unnamed copy given a name, so a
  // kill leaves at most the one copy on its way into place.
  std::optional<FileError> Place();
  // Undoes WriteInPlace from the old contents. False when that failed too; the backup then stays.
  bool Restore();
  // What PutBack needs once the file is in place. Takes the old contents.
  PlacedFile Placed();

  bool WrittenInPlace() const { return written_; }
  std::string BackupPath() const { return folderPath_ + "/" + backupName_; }

 private:
  PendingFile(std::string shown, const std::string& target, std::span<const std::uint8_t> bytes);

  FileError Failure(int error) const { return ErrorFromErrno(shown_, error); }
  // Failure to make the copy or backup that replacing a file needs beside it: the file itself
  // may be writable, so the reason names the folder.
  FileError FolderFailure(int error) const;
  bool OpenCopy(mode_t mode);
  std::optional<FileError> ReadOld(const struct stat& old);
  std::optional<FileError> Link();
  std::optional<FileError> WriteCopy(const struct stat* old, const std::string& target,
                                     mode_t newMode);
  std::optional<FileError> PrepareInPlace(const struct stat& old);

  std::string shown_;
  std::string target_;
  std::string folderPath_;
  std::string name_;
  std::span<const std::uint8_t> bytes_;  // the caller's, alive for the whole save
  FileDescriptor folder_;
  FileDescriptor old_;         // the file being replaced, if any
  FileDescriptor file_;        // the copy, or the target itself when saved in place
  std::string temporaryName_;  // the copy's name once it has one
  bool renamed_ = false;
  bool replacing_ = false;
  std::array<timespec, 2> oldTimes_{};

  bool inPlace_ = false;
  bool written_ = false;
  bool keepBackup_ = false;
  bool modeChanged_ = false;
  mode_t oldMode_ = 0;
  std::vector<std::uint8_t> oldBytes_;  // read by Prepare whenever a file is replaced
  std::string backupName_;
};

}  // namespace kelvane
