#include "files/TextData.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "files/PosixFile.h"

namespace kelvane {

std::string SpriteTextData(std::span<const std::uint8_t, kSpriteBytes> sprite) {
  std::string text;
  text.reserve(kPixelBytes * 4);
  for (int i = 0; i < kPixelBytes; ++i) {
    if (i > 0) text += ',';
    text += std::to_string(sprite[i]);
  }
  return text;
}

bool WriteTextDataFile(const std::string& path, std::string_view text) {
  // O_NONBLOCK: a FIFO planted under the name must fail at once, not wait for a reader.
  FileDescriptor file(::open(
      path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
  if (!file.IsOpen()) return false;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteAll(file.Get(), {data, text.size()}) && file.Close();
}

}  // namespace kelvane
