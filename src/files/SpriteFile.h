// The headerless .spr sprite file and its three-byte .inf colour sidecar.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/SafeFiles.h"
#include "model/EditorState.h"
#include "model/SpriteBank.h"

namespace kelvane {

// A sprite file is a run of whole records, at most one bank's worth.
inline constexpr int kMaxSpriteFileBytes = kBankBytes;
// Background, multi-colour 1, multi-colour 2: PenColours entries 0, 1 and 3.
inline constexpr int kSidecarBytes = 3;
inline constexpr std::array<int, kSidecarBytes> kSidecarPenSlots{kTransparentPen, kMultiColour1Pen,
                                                                 kMultiColour2Pen};

// The whole file, or why not: FileProblem::Size ("Invalid file size") for a size the bank
// cannot take, otherwise the system's reason (missing, permission, not a regular file, I/O).
// Nothing is applied until this succeeds, so a failed load leaves the bank as it was.
Result<std::vector<std::uint8_t>> ReadSpriteFile(const std::string& path);

// Record n becomes sprite n; sprites past the end of the file keep their contents.
void ApplySpriteFile(SpriteBank& bank, std::span<const std::uint8_t> records);

// The sidecar beside spritePath (its whole name + ".inf"), only when it is exactly 3 bytes. For a
// link it is the one beside the real file, where saving through the link puts it.
std::optional<std::array<std::uint8_t, kSidecarBytes>> ReadSidecar(const std::string& spritePath);

// Entry 2 belongs to the sprite on display and is left alone. Values above 15 keep their low
// four bits, as the VIC-II colour registers do, so they always index the palette.
void ApplySidecar(EditorState& state, const std::array<std::uint8_t, kSidecarBytes>& sidecar);

std::array<std::uint8_t, kSidecarBytes> MakeSidecar(const EditorState& state);

using SaveError = FileError;

// Writes the first byteCount bytes of the bank to path and the sidecar beside it, both or
// neither (SaveFiles); the first failure is returned and names the file it happened to.
std::optional<SaveError> SaveSpriteFile(const std::string& path, const SpriteBank& bank,
                                        int byteCount, const EditorState& state);

}  // namespace kelvane
