#include "files/FileExtension.h"

#include <algorithm>

namespace kelvane {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() <= extension.size()) return false;
  const auto tail = path.substr(path.size() - extension.size());
  return std::ranges::equal(tail, extension,
                            [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace kelvane
