#include "files/SpritePadFormat.h"

#include <algorithm>
#include <optional>

#include "files/FileExtension.h"
#include "files/LittleEndian.h"
#include "files/RecordBytes.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadLayout.h"
#include "files/SpritePadTiles.h"
#include "model/EditorState.h"
#include "model/OverlayPairs.h"

namespace kelvane {
namespace {

constexpr int kV5 = 5;

// A new version 1 file must announce at least one animation (the count is stored less one);
// this is the unused slot other tools write: start 0, end 0, timer 1, not valid.
constexpr std::uint8_t kV1OneAnimation = 0;
constexpr std::array<std::uint8_t, kSpritePadV1AnimationBytes> kV1UnusedAnimation{0, 0, 1, 0};

SharedColours DefaultColours() {
  return {kInitialPenColours[kTransparentPen], kInitialPenColours[kMultiColour1Pen],
          kInitialPenColours[kMultiColour2Pen]};
}

struct SpritePadParts {
  int version = kSpritePadV1;
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> trailer;
};

void AppendColours(std::vector<std::uint8_t>& out, const SharedColours& colours) {
  out.insert(out.end(), colours.begin(), colours.end());
}

// A file with no tiles and no animations; counts and colours are filled in on writing.
std::optional<SpritePadParts> NewFile(int version) {
  SpritePadParts parts{version, {kSpritePadMark.begin(), kSpritePadMark.end()}, {}};
  auto& header = parts.header;
  header.push_back(static_cast<std::uint8_t>(version));
  if (version == kSpritePadV1) {
    header.push_back(0);  // sprites - 1
    header.push_back(kV1OneAnimation);
    AppendColours(header, DefaultColours());
    parts.trailer.assign(kV1UnusedAnimation.begin(), kV1UnusedAnimation.end());
  } else if (version == kV5) {
    header.push_back(0);              // flags: no tiles, no animations
    AppendLittleEndian16(header, 0);  // sprites
    AppendLittleEndian16(header, 0);  // tiles
    header.push_back(0);              // sprite animations - 1
    header.push_back(0);              // tile animations - 1
    header.push_back(0);              // tile width
    header.push_back(0);              // tile height
    AppendColours(header, DefaultColours());
    AppendLittleEndian16(header, kDefaultOverlayDistance);  // sprites
    AppendLittleEndian16(header, kDefaultOverlayDistance);  // tiles
  } else {
    return std::nullopt;
  }
  return parts;
}

// Whether details hold a header as ParseSpritePadLayout found it.
bool HoldsReadHeader(const FormatDetails& details) {
  const std::size_t size = SpritePadHeaderBytes(details.version);
  if (size == 0 || details.header.size() != size) return false;
  return details.version == kSpritePadHeaderless ||
         (HasSpritePadMark(details.header) &&
          details.header[kSpritePadVersionOffset] == details.version);
}

// A set of objects written as a new file takes the version that holds them with their names.
Result<SpritePadParts> PartsFor(const SpriteSet& set, int newFileVersion, const std::string& path) {
  int version = set.objects.empty() ? newFileVersion : kV5;
  if (set.format == kSpritePadId) {
    const auto& details = set.details;
    if (HoldsReadHeader(details))
      return SpritePadParts{details.version, details.header, details.trailer};
    if (!details.header.empty() || !details.trailer.empty()) {
      return FileError{path, FileProblem::Format,
                       "cannot be saved: its SpritePad header is not that of a version " +
                           std::to_string(details.version) + " file"};
    }
    if (details.version != kSpritePadHeaderless && set.objects.empty()) version = details.version;
  }
  auto parts = NewFile(version);
  if (!parts) {
    return FileError{path, FileProblem::Format,
                     "cannot be saved as a new SpritePad version " + std::to_string(version) +
                         " file: new files are written as version 1 or 5"};
  }
  return *parts;
}

std::optional<FileError> CheckCount(int version, std::size_t count, const std::string& path) {
  const std::string what = "a SpritePad version " + std::to_string(version) + " file holds ";
  if (version == kSpritePadV1 && count == 0) {
    return FileError{path, FileProblem::Format, "cannot be saved: " + what + "at least 1 sprite"};
  }
  const std::size_t limit = version == kSpritePadV1 ? kSpritePadV1MaxSprites : kSpritePadMaxSprites;
  if (version != kSpritePadHeaderless && count > limit) {
    return FileError{path, FileProblem::TooManySprites,
                     "cannot be saved: " + what + "at most " + std::to_string(limit) +
                         " sprites, not " + std::to_string(count)};
  }
  return std::nullopt;
}

void PatchCount(std::vector<std::uint8_t>& header, int version, std::size_t count) {
  if (version == kSpritePadHeaderless) return;  // the size says how many
  if (version == kSpritePadV1) {
    header[kSpritePadV1CountOffset] = static_cast<std::uint8_t>(count - 1);
    return;
  }
  header[kSpritePadCountOffset] = LowByte(static_cast<std::uint16_t>(count));
  header[kSpritePadCountOffset + 1] = HighByte(static_cast<std::uint16_t>(count));
}

std::size_t ColourOffset(int version) {
  if (version == kSpritePadHeaderless) return 0;
  return version == kSpritePadV1 ? kSpritePadV1ColourOffset : kSpritePadColourOffset;
}

// The registers take four bits, which is all the editor keeps of a colour; whatever the file
// held above them stays as it was while the colour itself is unchanged.
void PutColours(std::vector<std::uint8_t>& header, std::size_t offset,
                const SharedColours& colours) {
  for (std::size_t i = 0; i < colours.size(); ++i) {
    std::uint8_t& stored = header[offset + i];
    if ((stored & kColourIndexMask) != colours[i]) stored = colours[i];
  }
}

// The set's objects as the file's tiles. Tiles read from the file and left as they were are
// kept byte for byte; a version without tiles gets none (LeavesOut has said so).
std::optional<FileError> PutObjects(std::vector<std::uint8_t>& file, const SpriteSet& set,
                                    int version, const std::string& path) {
  if (version < kSpritePadFirstTilesVersion) return std::nullopt;
  const auto layout = ParseSpritePadLayout(file, path);
  if (!layout) return std::nullopt;  // refused with its reason by the final check
  const auto held = ReadSpritePadTiles(file, *layout, path);
  if (held && *held == set.objects) return std::nullopt;
  const std::string problem = SpritePadTilesProblem(set.objects, version, set.records.size());
  if (!problem.empty()) return FileError{path, FileProblem::Format, "cannot be saved: " + problem};
  file = WithSpritePadTiles(file, *layout, set.objects);
  return std::nullopt;
}

// The set's animations, where it names them; kinds left as the file holds them keep their bytes.
std::optional<FileError> PutAnimations(std::vector<std::uint8_t>& file, const SpriteSet& set,
                                       const std::string& path) {
  if (!set.animations) return std::nullopt;
  const auto layout = ParseSpritePadLayout(file, path);
  if (!layout) return std::nullopt;  // refused with its reason by the final check
  std::vector<SpriteAnimation> animations = *set.animations;
  // A version without tiles leaves out the objects (LeavesOut says so), and what plays them.
  if (layout->version < kSpritePadFirstTilesVersion) {
    std::erase_if(animations, [](const SpriteAnimation& a) { return a.overObjects; });
  }
  if (ReadSpritePadFileAnimations(file, *layout) == animations) return std::nullopt;
  auto with = WithSpritePadAnimations(file, *layout, animations, path);
  if (!with) return with.error();
  file = std::move(*with);
  return std::nullopt;
}

void PutOverlayDistance(std::vector<std::uint8_t>& header, int version, int distance) {
  if (version < kSpritePadFirstOverlayDistanceVersion ||
      SpritePadOverlayDistance(header, version) == distance) {
    return;
  }
  const auto stored = static_cast<std::uint16_t>(distance);
  header[kSpritePadOverlayDistanceOffset] = LowByte(stored);
  header[kSpritePadOverlayDistanceOffset + 1] = HighByte(stored);
}

// The version set would be written in as a file of this format.
int VersionWritten(const SpriteSet& set, int newFileVersion) {
  if (set.format == kSpritePadId && HoldsReadHeader(set.details)) return set.details.version;
  if (!set.objects.empty()) return kV5;
  if (set.format == kSpritePadId && set.details.version != kSpritePadHeaderless) {
    return set.details.version;
  }
  return newFileVersion;
}

}  // namespace

SpritePadFormat::SpritePadFormat(int newFileVersion) : newFileVersion_(newFileVersion) {}

Recognition SpritePadFormat::Recognise(std::span<const std::uint8_t> bytes,
                                       std::string_view path) const {
  const bool named = HasExtension(path, ".spd");
  if (HasSpritePadMark(bytes)) {
    // Its tiles must hold too: a file refused for them is the damaged one.
    const auto layout = ParseSpritePadLayout(bytes, std::string(path));
    if (layout && ReadSpritePadTiles(bytes, *layout, std::string(path))) {
      return Recognition::ByMark;
    }
    return named ? Recognition::BySizeAndName : Recognition::ByDamagedMark;
  }
  if (bytes.size() % kSpriteBytes != kSpritePadHeaderlessBytes) return Recognition::No;
  // The old SpritePad saved its headerless files as .spr, the name of today's plain records.
  return named || HasExtension(path, ".spr") ? Recognition::BySizeAndName : Recognition::BySize;
}

Result<SpriteSet> SpritePadFormat::Read(const FileImage& file,
                                        std::span<const std::optional<FileImage>>) const {
  return ReadSpritePad(file.bytes, file.path);
}

std::vector<std::string> SpritePadFormat::LeavesOut(const SpriteSet& set) const {
  if (set.objects.empty()) return {};
  const int version = VersionWritten(set, newFileVersion_);
  if (version < kSpritePadFirstTilesVersion) return {"objects"};
  const bool named =
      std::ranges::any_of(set.objects, [](const auto& o) { return !o.name.empty(); });
  if (version < kV5 && named) return {"object names"};
  return {};
}

Result<std::vector<FileImage>> SpritePadFormat::Write(const SpriteSet& set,
                                                      const std::string& path) const {
  auto bytes = WriteSpritePad(set, newFileVersion_, path);
  if (!bytes) return bytes.error();
  return std::vector<FileImage>{{path, std::move(*bytes)}};
}

std::vector<std::uint8_t> SpritePadFileAgain(const SpriteSet& set) {
  std::vector<std::uint8_t> bytes = set.details.header;
  AppendRecords(bytes, set.records);
  bytes.insert(bytes.end(), set.details.trailer.begin(), set.details.trailer.end());
  return bytes;
}

Result<SpriteSet> ReadSpritePad(std::span<const std::uint8_t> bytes, const std::string& path) {
  const auto layout = ParseSpritePadLayout(bytes, path);
  if (!layout) return layout.error();
  SpriteSet set;
  set.format = std::string(kSpritePadId);
  set.records =
      SplitRecords(bytes.subspan(layout->headerBytes, layout->spriteCount * kSpriteBytes));
  SharedColours colours{};
  std::ranges::copy(bytes.subspan(layout->colourOffset, kSharedColourCount), colours.begin());
  set.colours = colours;
  set.details.version = layout->version;
  set.details.header.assign(bytes.begin(), bytes.begin() + layout->headerBytes);
  set.details.trailer.assign(bytes.begin() + layout->RecordsEnd(), bytes.end());
  auto tiles = ReadSpritePadTiles(bytes, *layout, path);
  if (!tiles) return tiles.error();
  set.objects = std::move(*tiles);
  set.overlayDistance = SpritePadOverlayDistance(set.details.header, layout->version);
  return set;
}

Result<std::vector<std::uint8_t>> WriteSpritePad(const SpriteSet& set, int newFileVersion,
                                                 const std::string& path) {
  auto parts = PartsFor(set, newFileVersion, path);
  if (!parts) return parts.error();
  if (auto error = CheckCount(parts->version, set.records.size(), path)) return *error;

  auto& header = parts->header;
  PatchCount(header, parts->version, set.records.size());
  if (set.colours) PutColours(header, ColourOffset(parts->version), *set.colours);
  PutOverlayDistance(header, parts->version, set.overlayDistance);

  std::vector<std::uint8_t> out = std::move(header);
  AppendRecords(out, set.records);
  out.insert(out.end(), parts->trailer.begin(), parts->trailer.end());
  if (auto error = PutObjects(out, set, parts->version, path)) return *error;
  if (auto error = PutAnimations(out, set, path)) return *error;

  // Never write a file this program would refuse to read back: details that were not read
  // from one SpritePad file could announce blocks that are not there.
  if (const auto check = ParseSpritePadLayout(out, path); !check) {
    return FileError{path, FileProblem::Format,
                     "cannot be saved: its SpritePad details do not fit together (" +
                         check.error().reason + ")"};
  }
  return out;
}

}  // namespace kelvane
