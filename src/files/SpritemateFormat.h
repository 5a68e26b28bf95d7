// Spritemate files (.spm): JSON holding the shared colours and, for each sprite, its colour, its
// flags, an optional name and 21 rows of 24 pen values. The names and whatever else the file
// holds beside the sprites (its animations, the sprite and pen it was left at) are kept in the
// set's details, so that saving it back loses none of them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane {

inline constexpr std::string_view kSpritemateId = "spm";
// A whole bank written with one pen value a line is under 3 MiB; nothing real comes near this.
inline constexpr std::size_t kMaxSpritemateFileBytes = std::size_t{4} << 20;
// The file's pens: what each value of a sprite's "pixels" paints with.
inline constexpr int kSpritematePenCount = 4;

class SpritemateFormat final : public SpriteFormat {
 public:
  std::string_view Id() const override { return kSpritemateId; }
  std::string_view Name() const override { return "Spritemate file"; }
  std::vector<std::string> Patterns() const override { return {"*.spm"}; }
  std::size_t MaxFileBytes() const override { return kMaxSpritemateFileBytes; }

  // ByMark for JSON that reads as a Spritemate file; a .spm that does not is still claimed by
  // its name (BySizeAndName), so that reading it says what is wrong.
  Recognition Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const override;

  Result<SpriteSet> Read(const FileImage& file,
                         std::span<const std::optional<FileImage>> companions) const override;
  Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                       const std::string& path) const override;
  // A SpritePad file's tiles.
  std::vector<std::string> LeavesOut(const SpriteSet& set) const override;
};

// The set in the file's JSON, or FileProblem::Format naming path and what did not fit: never a
// part of the file.
Result<SpriteSet> ReadSpritemate(std::span<const std::uint8_t> bytes, const std::string& path);

// set as a Spritemate file; a set read from one keeps its names and everything else it held.
std::vector<std::uint8_t> WriteSpritemate(const SpriteSet& set);

}  // namespace kelvane
