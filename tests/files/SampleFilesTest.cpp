// Reads every SpritePad file, Spritemate file and raw dump in the folder named by KELVANE_SAMPLES:
// files made by other people's tools, kept outside the repository. Each must be recognised and
// read, and written back unchanged it must come out byte for byte, or for the JSON of a
// Spritemate file, read back the same. Skipped when unset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "files/FileExtension.h"
#include "files/PrgFormat.h"
#include "files/RawFormat.h"
#include "files/SafeFiles.h"
#include "files/SpritePadFormat.h"
#include "files/SpritemateFormat.h"

namespace kelvane {
namespace {

constexpr std::size_t kLargestSample = 1 << 20;

int CountWith(const SpriteSet& set, std::uint8_t bit) {
  return static_cast<int>(std::ranges::count_if(
      set.records, [bit](const SpriteRecord& r) { return (r[kAttributeOffset] & bit) != 0; }));
}

TEST(SampleFiles, ReadAndWriteBackUnchanged) {
  const char* folder = std::getenv("KELVANE_SAMPLES");
  if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "KELVANE_SAMPLES is not set";

  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const auto path = entry.path().string();
    if (HasExtension(path, ".spd") || HasExtension(path, ".bin") || HasExtension(path, ".spm")) {
      paths.push_back(path);
    }
  }
  std::ranges::sort(paths);
  ASSERT_FALSE(paths.empty()) << "no .spd or .bin files in " << folder;

  const SpritePadFormat spritePad;
  const PrgFormat prg;
  const RawFormat raw;
  const SpritemateFormat spritemate;
  const SpriteFormat* codecs[] = {&spritePad, &prg, &raw, &spritemate};
  for (const auto& path : paths) {
    SCOPED_TRACE(path);
    const auto file = ReadWholeFile(path, kLargestSample);
    ASSERT_TRUE(file.ok()) << Describe(file.error());
    const SpriteFormat* best = *std::ranges::max_element(codecs, {}, [&](const SpriteFormat* c) {
      return static_cast<int>(c->Recognise(file->bytes, path));
    });
    const auto set = best->Read(*file, {});
    ASSERT_TRUE(set.ok()) << Describe(set.error());
    const auto written = best->Write(*set, path);
    ASSERT_TRUE(written.ok()) << Describe(written.error());
    if (best == &spritemate) {
      EXPECT_EQ(*best->Read((*written)[0], {}), *set);
    } else {
      EXPECT_EQ((*written)[0].bytes, file->bytes);
    }

    std::cout << std::filesystem::path(path).filename().string() << ": " << best->Id()
              << " version " << set->details.version << ", " << set->records.size() << " sprites";
    if (set->colours) {
      const auto& c = *set->colours;
      std::cout << ", colours " << int{c[0]} << "/" << int{c[1]} << "/" << int{c[2]};
    }
    std::cout << ", multi-colour " << CountWith(*set, 0x80) << ", expand Y "
              << CountWith(*set, 0x40) << ", expand X " << CountWith(*set, 0x20) << ", overlay "
              << CountWith(*set, 0x10) << ", after the records " << set->details.trailer.size()
              << " bytes\n";
  }
}

}  // namespace
}  // namespace kelvane
