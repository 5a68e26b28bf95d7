// Thin wrappers over the POSIX calls the file layer needs: a descriptor that closes itself, and
// reads and writes that finish the whole buffer or fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelvane {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor();

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  int Release();
  // Closes now so a late write error (NFS, quotas) is seen; errno is set on failure.
  bool Close();

 private:
  int fd_ = -1;
};

// Reads fd to its end into bytes, stopping once more than limit bytes have come, so a caller can
// tell a file that is too large without reading all of it. sizeHint sizes the first buffer.
// False with errno set on a failed read.
bool ReadToEnd(int fd, std::size_t sizeHint, std::size_t limit, std::vector<std::uint8_t>& bytes);

// Writes every byte, resuming after partial writes and signals; false with errno set otherwise.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);

// The text the C library gives for an errno value.
std::string ErrorText(int error);

}  // namespace kelvane
