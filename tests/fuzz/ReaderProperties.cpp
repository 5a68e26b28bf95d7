#include "ReaderProperties.h"

#include <cstdio>
#include <cstdlib>

namespace kelvane::fuzz {
namespace {

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %s\n", property);
  std::abort();
}

}  // namespace

void CheckReader(const SpriteFormat& codec, std::span<const std::uint8_t> bytes,
                 const std::string& path, WriteBack writeBack) {
  const Recognition recognition = codec.Recognise(bytes, path);
  const FileImage file{path, {bytes.begin(), bytes.end()}};
  const auto set = codec.Read(file, {});
  if (!set) {
    Require(set.error().file == path, "a refusal names the file");
    Require(set.error().problem == FileProblem::Format, "a refusal says the content is wrong");
    Require(!set.error().reason.empty(), "a refusal says why");
    Require(recognition != Recognition::ByMark, "a file recognised by its mark is read");
    return;
  }
  Require(recognition != Recognition::No, "a file that is read is recognised");
  Require(set->format == codec.Id(), "a set names the codec that read it");
  const auto written = codec.Write(*set, path);
  Require(written.ok(), "a file that was read can be written back");
  Require(written->size() == 1 && (*written)[0].path == path, "it is written as one file");
  if (writeBack == WriteBack::SameBytes) {
    Require((*written)[0].bytes == file.bytes, "written back unchanged it gives the same bytes");
    return;
  }
  const auto again = codec.Read((*written)[0], {});
  Require(again.ok() && *again == *set, "written back unchanged it reads the same");
  const auto rewritten = codec.Write(*again, path);
  Require(rewritten.ok() && (*rewritten)[0].bytes == (*written)[0].bytes,
          "what it writes it writes again the same");
}

}  // namespace kelvane::fuzz
