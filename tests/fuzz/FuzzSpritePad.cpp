// libFuzzer entry point for the SpritePad reader; also built as a plain driver over a corpus.
#include <cstddef>
#include <cstdint>

#include "ReaderProperties.h"
#include "files/SpritePadFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kelvane::SpritePadFormat codec;
  kelvane::fuzz::CheckReader(codec, {data, size}, "/fuzz/ship.spd");
  return 0;
}
