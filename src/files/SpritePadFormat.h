// SpritePad files (.spd) of every version, and the old headerless layout that came before them.
// A file is saved back in the version it was read in, with its header and the blocks after its
// records (tiles, tags, names, animations) kept byte for byte; only the sprite count, the
// shared colours, the overlay distance, the records and the objects (as tiles) are written from
// the set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kSpritePadId = "spd";
// New files: version 1 is what every tool reads; version 5 is SpritePad's own current form.
inline constexpr int kSpritePadDefaultVersion = 1;
inline constexpr int kSpritePadV1 = 1;  // the first version, with one block of animations
inline constexpr int kSpritePadV1MaxSprites = 256;   // the count is stored less one in a byte
inline constexpr int kSpritePadMaxSprites = 0xFFFF;  // a 16-bit count from version 2 on
// Every sprite a 16-bit count allows, with room for tiles and animations after them.
inline constexpr std::size_t kMaxSpritePadFileBytes = std::size_t{16} << 20;

class SpritePadFormat final : public SpriteFormat {
 public:
  // newFileVersion (1 or 5) is written for sets that were not read from a SpritePad file.
  explicit SpritePadFormat(int newFileVersion = kSpritePadDefaultVersion);

  std::string_view Id() const override { return kSpritePadId; }
  std::string_view Name() const override { return "SpritePad file"; }
  std::vector<std::string> Patterns() const override { return {"*.spd"}; }
  std::size_t MaxFileBytes() const override { return kMaxSpritePadFileBytes; }

  // ByMark for an "SPD" file that adds up. A marked file that does not add up still answers
  // ByDamagedMark (BySizeAndName for a .spd), so that reading it explains what is wrong. The old
  // headerless layout has only its size (3 more than whole records) and its name to go by.
  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override;

  Result<SpriteSet> Read(const FileImage& file,
                         std::span<const std::optional<FileImage>> companions) const override;
  // "objects" where the version written holds no tiles; "object names" where it holds no names.
  std::vector<std::string> LeavesOut(const SpriteSet& set) const override;
  Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                       const std::string& path) const override;

 private:
  int newFileVersion_;
};

// The set in bytes: records, colours, objects, overlay distance, and details holding the
// version, the header and every byte after the records. Any number of records; the bank's limit is
// CheckFitsBank's concern.
Result<SpriteSet> ReadSpritePad(std::span<const std::uint8_t> bytes, const std::string& path);

// The file a set read by ReadSpritePad came from, again: its kept header, its records and its
// kept blocks, for reading those blocks as the file lays them out.
std::vector<std::uint8_t> SpritePadFileAgain(const SpriteSet& set);

// set as a SpritePad file. A set read from one keeps its version, header and trailer, and a
// colour byte keeps the bits above the colour while the colour is unchanged; a set
// with format "spd" and no header is a new file of its details' version (1 or 5); any other
// set is a new file of newFileVersion, and a new file with objects is version 5. Objects left as
// they were read keep their bytes. Refused when the count does not fit the version, or the
// objects cannot be its tiles (of different sizes, or naming sprites past the count).
Result<std::vector<std::uint8_t>> WriteSpritePad(const SpriteSet& set, int newFileVersion,
                                                 const std::string& path);

}  // namespace kelvane
