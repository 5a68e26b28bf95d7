// libFuzzer entry point for the Prg reader; also built as a plain driver over a corpus.
#include <cstddef>
#include <cstdint>

#include "ReaderProperties.h"
#include "files/PrgFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kelvane::PrgFormat codec;
  kelvane::fuzz::CheckReader(codec, {data, size}, "/fuzz/ship.prg");
  return 0;
}
