// Reading a file whole and writing a set of files as one unit: the two ways every format,
// the window and the converter touch the disk.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "files/FileError.h"
#include "files/FileStamp.h"
#include "files/PendingFile.h"
#include "files/SpriteFormat.h"

namespace kelvane {

// The whole of the regular file at path, read before anything else is touched. A file larger
// than maxBytes is refused with FileProblem::Size without being read; a folder, FIFO or device
// with FileProblem::NotRegularFile at once, never waiting on a writer. Every error names path
// and says why (missing, permission, not a regular file, I/O).
Result<FileImage> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Where a save of path lands: path itself for a regular file or a name not yet taken, and for a
// symbolic link the file it finally names (resolved here, once, through every level). A folder,
// FIFO, device, socket or dangling link is refused with FileProblem::NotRegularFile, naming path.
Result<std::string> ResolveSaveTarget(const std::string& path);

// The file path names once its symbolic links are followed; path itself when it is no link or
// leads nowhere. A sprite file's companions (its sidecar) are read beside this, where SaveFiles
// writes them.
std::string FileBehindLinks(const std::string& path);

// What path names, so that two names of one file (a link and the file it leads to, two hard
// links) compare equal; a name not yet taken stands for itself.
std::string FileIdentity(const std::string& path);

// Why a save that names one file twice is refused: file is the same file as earlier.
FileError SameFileError(const std::string& file, const std::string& earlier);

// SaveFiles for one file; a new file gets newFileMode (less the umask).
std::optional<FileError> WriteFileAtomically(const std::string& path,
                                             std::span<const std::uint8_t> bytes,
                                             mode_t newFileMode = kNewFileMode);

// What a save checks and reports of its main file for a window that has that file open.
struct ReplaceCheck {
  // The main file as last read or written. A save that would replace that very file after
  // someone else changed it is refused with FileProblem::Changed, decided under the same lock
  // as the commit.
  const FileStamp* lastSeen = nullptr;
  std::optional<FileStamp>* saved = nullptr;  // receives the main file as saved
  // The permission bits a new main file is made with, less the umask, before any data is in it.
  mode_t newFileMode = kNewFileMode;
};

// Replaces every file of the set, or none.
// - files.front() is the main file. A later file whose path is the main path with something
//   appended (ship.spr.inf beside ship.spr) is its companion and goes beside the file the main
//   path really names, so a save through a link updates the real file and the real sidecar.
// - Every target is resolved once (ResolveSaveTarget); one that is refused, or that is the same
//   file as an earlier one (a sidecar linked to its sprite file), stops the save before anything
//   is written.
// - Temporary copies that earlier saves into the same folders left when they were killed are
//   removed (see AbandonedTemporaries).
// - Each file is then written and synced privately beside its target (see PendingFile: owner,
//   group, user attributes, access list and the 0777 permission bits are kept; a file with other
//   hard links, or whose owner this user cannot keep, is backed up and rewritten in place). A
//   failure up to here changes no file and leaves no temporary file behind.
// - Only then are they put in place, one rename each, in the order given, under an exclusive
//   lock on the main file's folder that every save takes: two saves of one set never mix their
//   files. A kill in the instant between two renames is the only way the set can end up part
//   old, part new, with at most the one copy being renamed left beside it.
// The first failure is returned and names the file it happened to.
std::optional<FileError> SaveFiles(std::span<const FileImage> files,
                                   const ReplaceCheck& check = {});
// SaveFiles for several sets at once, every file of every set or none: each set a main file and
// its companions, so that the file of one set whose name merely starts with another's main name
// is not taken for that one's companion. The sets are saved one after the other, holding
// nothing open for those still to come, so any number fit under the open-file limit; if one
// fails, or a termination signal arrives between two, those already saved are put back.
std::optional<FileError> SaveFileGroups(std::span<const std::span<const FileImage>> groups);

}  // namespace kelvane
