// Text from files and command lines as a terminal may be given it.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// word as it can be shown on one line of a terminal: line breaks, other control characters and
// bytes that are not UTF-8 become escapes (\n, \t, \xHH), and so does the backslash itself.
std::string Printable(std::string_view word);

}  // namespace kelvane
