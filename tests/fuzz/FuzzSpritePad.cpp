// libFuzzer entry point for the SpritePad reader; also built as a plain driver over a corpus.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ReaderProperties.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadPart.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kelvane::SpritePadFormat codec;
  const std::string path = "/fuzz/ship.spd";
  kelvane::fuzz::CheckReader(codec, {data, size}, path);
  // Every part of a file that was read is a file of its own: its blocks are cut to fit.
  const auto set = kelvane::ReadSpritePad({data, size}, path);
  if (set && set->records.size() > 1) {
    const auto part = kelvane::SpritePadPartOf(*set, 1, set->records.size() - 1);
    if (!part || !kelvane::WriteSpritePad(*part, 1, path).ok()) {
      std::fprintf(stderr, "property failed: a part of a file read can be written\n");
      std::abort();
    }
  }
  return 0;
}
