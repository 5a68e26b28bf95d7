#include "files/FileError.h"

#include <cerrno>
#include <system_error>

namespace kelvane {

FileError ErrorFromErrno(const std::string& file, int error) {
  FileProblem problem = FileProblem::Io;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      problem = FileProblem::Missing;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      problem = FileProblem::Permission;
      break;
    case EISDIR:
    case ELOOP:
    case ENXIO:
      problem = FileProblem::NotRegularFile;
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      problem = FileProblem::DiskFull;
      break;
    default:
      break;
  }
  return FileError{file, problem, std::generic_category().message(error)};
}

FileError NotRegularFileError(const std::string& file) {
  return FileError{file, FileProblem::NotRegularFile, kNotRegularFileReason};
}

std::string Describe(const FileError& error) {
  return error.file + ": " + error.reason;
}

}  // namespace kelvane
