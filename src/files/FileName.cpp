#include "files/FileName.h"

namespace kelvane {

std::string FileNameOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string SidecarPathOf(std::string_view spritePath) {
  return std::string(spritePath) + ".inf";
}

}  // namespace kelvane
