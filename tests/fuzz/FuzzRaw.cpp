// libFuzzer entry point for the Raw reader; also built as a plain driver over a corpus.
#include <cstddef>
#include <cstdint>

#include "ReaderProperties.h"
#include "files/RawFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kelvane::RawFormat codec;
  kelvane::fuzz::CheckReader(codec, {data, size}, "/fuzz/ship.bin");
  return 0;
}
