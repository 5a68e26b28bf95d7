// Runs of sprites that exports are checked on: every byte value, a whole bank, the top of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/SpriteFormat.h"
#include "model/SpriteBank.h"

namespace kelvane {

struct ExportBank {
  std::string name;
  int firstSprite = 0;
  std::vector<SpriteRecord> records;
};

// Byte i of the run is i mod 256, so every value appears, in pixel and attribute positions.
inline std::vector<SpriteRecord> EveryByteValue(int sprites) {
  std::vector<SpriteRecord> records(sprites);
  for (int i = 0; i < sprites * kSpriteBytes; ++i) {
    records[i / kSpriteBytes][i % kSpriteBytes] = static_cast<std::uint8_t>(i);
  }
  return records;
}

// A fixed pseudo-random bank: every attribute bit (overlay, expand, multi-colour) turns up.
inline std::vector<SpriteRecord> ScrambledSprites(int sprites, std::uint32_t seed) {
  std::vector<SpriteRecord> records(sprites);
  for (SpriteRecord& record : records) {
    for (std::uint8_t& byte : record) {
      seed = seed * 1664525u + 1013904223u;
      byte = static_cast<std::uint8_t>(seed >> 24);
    }
  }
  return records;
}

inline std::vector<ExportBank> ExportBanks() {
  return {
      {"EveryByteValue", 0, EveryByteValue(256 / kSpriteBytes)},
      {"WholeBank", 0, ScrambledSprites(kSpriteCount, 1)},
      {"TopOfBank", 250, ScrambledSprites(kSpriteCount - 250, 2)},
      {"OneSprite", 7, ScrambledSprites(1, 3)},
  };
}

inline constexpr SharedColours kExportColours{6, 1, 0};

}  // namespace kelvane
