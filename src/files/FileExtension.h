#pragma once

#include <string_view>

namespace kelvane {

// Whether path's name ends in extension (".spd"), in any letter case: names break ties between
// formats whose bytes alone cannot tell them apart, and files from other systems are often in
// capitals.
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace kelvane
