#include "files/PosixFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kelvane {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

FileDescriptor::~FileDescriptor() {
  Close();
}

int FileDescriptor::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool FileDescriptor::Close() {
  if (fd_ < 0) return true;
  // Linux releases the descriptor even when close() fails, so it is never retried.
  const int result = ::close(Release());
  return result == 0;
}

bool ReadToEnd(int fd, std::size_t sizeHint, std::size_t limit, std::vector<std::uint8_t>& bytes) {
  const std::size_t cap = limit == SIZE_MAX ? limit : limit + 1;
  bytes.resize(std::min(sizeHint + 1, cap));
  std::size_t filled = 0;
  while (filled < cap) {
    if (filled == bytes.size()) bytes.resize(std::min(bytes.size() * 2, cap));
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) {  // no progress and no error: give up rather than spin
      errno = EIO;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
  return true;
}

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

}  // namespace kelvane
