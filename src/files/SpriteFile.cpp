#include "files/SpriteFile.h"

#include <algorithm>

#include "files/FileName.h"

namespace kelvane {

Result<std::vector<std::uint8_t>> ReadSpriteFile(const std::string& path) {
  auto file = ReadWholeFile(path, kMaxSpriteFileBytes);
  if (!file) return file.error();
  if (file->bytes.size() % kSpriteBytes != 0) {
    return FileError{path, FileProblem::Size, kInvalidFileSizeReason};
  }
  return std::move(file->bytes);
}

void ApplySpriteFile(SpriteBank& bank, std::span<const std::uint8_t> records) {
  const auto count = std::min<std::size_t>(records.size(), kBankBytes);
  std::ranges::copy(records.first(count), bank.Bytes().begin());
}

std::optional<std::array<std::uint8_t, kSidecarBytes>> ReadSidecar(const std::string& spritePath) {
  const auto file = ReadWholeFile(SidecarPathOf(FileBehindLinks(spritePath)), kSidecarBytes);
  if (!file || file->bytes.size() != kSidecarBytes) return std::nullopt;
  std::array<std::uint8_t, kSidecarBytes> sidecar{};
  std::ranges::copy(file->bytes, sidecar.begin());
  return sidecar;
}

void ApplySidecar(EditorState& state, const std::array<std::uint8_t, kSidecarBytes>& sidecar) {
  for (int i = 0; i < kSidecarBytes; ++i) {
    state.PenColours[kSidecarPenSlots[i]] = sidecar[i] & kColourIndexMask;
  }
}

std::array<std::uint8_t, kSidecarBytes> MakeSidecar(const EditorState& state) {
  std::array<std::uint8_t, kSidecarBytes> sidecar{};
  for (int i = 0; i < kSidecarBytes; ++i) sidecar[i] = state.PenColours[kSidecarPenSlots[i]];
  return sidecar;
}

std::optional<SaveError> SaveSpriteFile(const std::string& path, const SpriteBank& bank,
                                        int byteCount, const EditorState& state) {
  const auto count = static_cast<std::size_t>(std::clamp(byteCount, 0, kBankBytes));
  const auto records = bank.Bytes().first(count);
  const auto sidecar = MakeSidecar(state);
  const FileImage files[] = {{path, {records.begin(), records.end()}},
                             {SidecarPathOf(path), {sidecar.begin(), sidecar.end()}}};
  return SaveFiles(files);
}

}  // namespace kelvane
