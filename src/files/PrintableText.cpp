#include "files/PrintableText.h"

namespace kelvane {
namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  const bool control = code >= 0x80 && code <= 0x9F;  // C1 controls steer terminals too
  if (overlong || surrogate || control || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string Printable(std::string_view word) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  while (!word.empty()) {
    const auto byte = static_cast<unsigned char>(word[0]);
    std::size_t length = 1;
    if (byte == '\\') {
      shown += "\\\\";
    } else if (byte == '\n') {
      shown += "\\n";
    } else if (byte == '\t') {
      shown += "\\t";
    } else if (byte >= 0x20 && byte < 0x7F) {
      shown += static_cast<char>(byte);
    } else if (byte >= 0x80 && (length = Utf8SequenceLength(word)) > 0) {
      shown += word.substr(0, length);
    } else {
      length = 1;
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0x0F];
    }
    word.remove_prefix(length);
  }
  return shown;
}

}  // namespace kelvane
