// Writes the fuzzers' fixed seed corpus into a folder: small valid files of every layout each
// reader knows, made from the test fixtures, and one list of paths per reader for libFuzzer's
// -seed_inputs=@LIST (a list, not a corpus folder, so a run never adds to the seeds).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "files/SpritePadFixture.h"
#include "files/SpritemateFormat.h"

namespace {

using kelvane::fixture::Bytes;
using kelvane::fixture::Concat;
using kelvane::fixture::RecordBytes;
using kelvane::fixture::SpdSpec;

SpdSpec Spec(int version, int sprites, std::uint8_t flags) {
  SpdSpec spec;
  spec.version = version;
  spec.sprites = sprites;
  spec.flags = flags;
  spec.animations = 2;
  if (flags & 1) {
    spec.tiles = 2;
    spec.tileWidth = 2;
    spec.tileHeight = 1;
    if (version >= 5) spec.tileNames = {"a", ""};
  }
  return spec;
}

std::map<std::string, std::vector<Bytes>> Seeds() {
  std::map<std::string, std::vector<Bytes>> seeds;
  auto& spritePad = seeds["spritepad"];
  spritePad.push_back(kelvane::fixture::SpdFile(Spec(0, 2, 0)));
  spritePad.push_back(kelvane::fixture::SpdFile(Spec(1, 3, 0)));
  for (int version = 2; version <= 5; ++version) {
    spritePad.push_back(kelvane::fixture::SpdFile(Spec(version, 2, 0)));
    spritePad.push_back(kelvane::fixture::SpdFile(Spec(version, 2, 7)));
  }
  spritePad.push_back(kelvane::fixture::SpdFile(kelvane::fixture::RichV5(3)));

  seeds["prg"] = {
      {0x00, 0x20}, Concat({{0x00, 0x20}, RecordBytes(2)}), Concat({{0x40, 0x03}, RecordBytes(1)})};
  seeds["prg"].back().pop_back();  // a last record of 63 bytes
  seeds["raw"] = {{}, RecordBytes(1), RecordBytes(3)};
  // Spritemate files as its writer makes them, and in the older form with other colour keys.
  const auto set = kelvane::fixture::SetOf(kelvane::fixture::Records(3));
  const Bytes current = kelvane::WriteSpritemate(set);
  std::string old(current.begin(), current.end());
  old.replace(old.find("\"0\""), 3, "\"t\"").replace(old.find("\"2\""), 3, "\"m1\"");
  old.replace(old.find("\"3\""), 3, "\"m2\"");
  seeds["spritemate"] = {current, Bytes(old.begin(), old.end())};
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const auto& [reader, files] : Seeds()) {
    std::filesystem::create_directories(folder / reader);
    std::ofstream list(folder / (reader + ".list"));
    for (std::size_t n = 0; n < files.size(); ++n) {
      const auto path = folder / reader / ("seed-" + std::to_string(n));
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(files[n].data()),
                 static_cast<std::streamsize>(files[n].size()));
      list << (n == 0 ? "" : ",") << path.string();
    }
    if (!list) return 1;
  }
  return 0;
}
