// What went wrong with a file, as a value: every load and save returns one instead of a flag,
// so the window can show the documented box and the converter one line, both naming the file.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kelvane {

enum class FileProblem {
  Size,            // a size the format cannot take ("Invalid file size")
  Missing,         // no such file or folder
  Permission,      // not allowed to read, write or replace it
  NotRegularFile,  // a folder, FIFO, device or dangling link where a file was expected
  DiskFull,        // no space, quota or file-size limit
  Io,              // any other failure of the system
  Format,          // the content does not add up (the reason says what)
  TooManySprites,  // more sprites than the bank holds
  Changed,         // changed on disk since it was last read or written
};

struct FileError {
  std::string file;  // the path as given, in the system's bytes
  FileProblem problem = FileProblem::Io;
  std::string reason;  // the system's text, or the format's own explanation

  bool operator==(const FileError&) const = default;
};

// The error for a failed system call on file, from its errno value.
FileError ErrorFromErrno(const std::string& file, int error);

// A FIFO, device, socket or dangling link where a regular file was expected; these have no
// errno of their own.
FileError NotRegularFileError(const std::string& file);
inline constexpr const char* kNotRegularFileReason = "not a regular file";
// The reason given with FileProblem::Size.
inline constexpr const char* kInvalidFileSizeReason = "Invalid file size";

// "FILE: reason", the form the converter prints and the window's box shows.
std::string Describe(const FileError& error);

// A value or the error that prevented it.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}          // NOLINT: implicit by design
  Result(FileError error) : error_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  const FileError& error() const { return *error_; }

 private:
  std::optional<T> value_;
  std::optional<FileError> error_;
};

}  // namespace kelvane
