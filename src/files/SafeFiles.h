// Reading a file whole and writing a set of files as one unit: the two ways every format,
// the window and the converter touch the disk.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "files/FileError.h"
#include "files/SpriteFormat.h"

namespace kelvane {

// The whole of the regular file at path, read before anything else is touched. A file larger
// than maxBytes is refused with FileProblem::Size without being read; a folder, FIFO or device
// with FileProblem::NotRegularFile at once, never waiting on a writer.
Result<FileImage> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Replaces path with bytes without ever leaving it half written: the data goes to a new file
// in the same folder, which is synced and then renamed over the target. The replaced file's
// permission bits are kept; a new file gets 0666 less the umask. A symbolic link to an
// existing file stays a link and the file it names is replaced.
std::optional<FileError> WriteFileAtomically(const std::string& path,
                                             std::span<const std::uint8_t> bytes);

// Replaces every file of the set, or none: each is written and synced beside its target first,
// and only when all are complete are they put in place. The first failure is returned and names
// the file it happened to.
std::optional<FileError> SaveFiles(std::span<const FileImage> files);

}  // namespace kelvane
