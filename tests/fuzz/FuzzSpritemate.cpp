// libFuzzer entry point for the Spritemate reader; also built as a plain driver over a corpus.
#include <cstddef>
#include <cstdint>

#include "ReaderProperties.h"
#include "files/SpritemateFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kelvane::SpritemateFormat codec;
  kelvane::fuzz::CheckReader(codec, {data, size}, "/fuzz/hero.spm",
                             kelvane::fuzz::WriteBack::SameSet);
  return 0;
}
