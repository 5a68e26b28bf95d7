#include "files/SpritemateFormat.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "files/FileExtension.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"
#include "model/EditorState.h"

namespace kelvane {
namespace {

// Kept in order, so that a file written back reads the way its maker wrote it.
using Json = nlohmann::ordered_json;

// The deepest nesting a Spritemate file needs is five (file, sprites, sprite, pixels, row); what
// it keeps beside them gets a few more. Deeper input is refused before it is parsed.
constexpr int kMaxNesting = 16;

// The file's pen values: 0 background, 1 the sprite's colour, 2 and 3 the shared multi-colours.
// As bit pairs they are what painting with the same pen writes.
constexpr std::array<std::uint8_t, kSpritematePenCount> kPenBits{
    kTransparentPen, kSpriteColourPen, kMultiColour1Pen, kMultiColour2Pen};
constexpr int kHiresSetPen = 1;
constexpr int kMultiColourPixelWidth = 2;  // a multi-colour pixel spans two columns of values
constexpr int kBitsPerPair = 2;
constexpr std::uint8_t kPairMask = 0x03;
constexpr int kPairsPerByte = kBitsPerByte / kBitsPerPair;

// The keys of the shared colours, as written now and as older files wrote them.
constexpr std::array<const char*, kSharedColourCount> kColourKeys{"0", "2", "3"};
constexpr std::array<const char*, kSharedColourCount> kOldColourKeys{"t", "m1", "m2"};

constexpr const char* kColours = "colors";
constexpr const char* kSprites = "sprites";
constexpr const char* kCurrentSprite = "current_sprite";
constexpr const char* kPen = "pen";
constexpr const char* kName = "name";
constexpr const char* kColour = "color";
constexpr const char* kMultiColour = "multicolor";
constexpr const char* kDoubleX = "double_x";
constexpr const char* kDoubleY = "double_y";
constexpr const char* kOverlay = "overlay";
constexpr const char* kPixels = "pixels";

FileError NotSpritemate(const std::string& path, const std::string& reason) {
  return FileError{path, FileProblem::Format, "is not a Spritemate file of sprites: " + reason};
}

// The parser passes over a UTF-8 byte order mark, as editors on some systems write one.
constexpr std::array<std::uint8_t, 3> kByteOrderMark{0xEF, 0xBB, 0xBF};

bool StartsAsObject(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= kByteOrderMark.size() &&
      std::ranges::equal(bytes.first(kByteOrderMark.size()), kByteOrderMark)) {
    bytes = bytes.subspan(kByteOrderMark.size());
  }
  const auto first = std::ranges::find_if_not(bytes, [](std::uint8_t byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r';
  });
  return first != bytes.end() && *first == '{';
}

// How deeply arrays and objects nest, strings skipped; enough to refuse a file that would make
// parsing or freeing it recurse without end.
int Nesting(std::span<const std::uint8_t> bytes) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  bool escaped = false;
  for (const std::uint8_t byte : bytes) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (byte == '\\') {
        escaped = true;
      } else if (byte == '"') {
        inString = false;
      }
    } else if (byte == '"') {
      inString = true;
    } else if (byte == '[' || byte == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (byte == ']' || byte == '}') {
      --depth;
    }
  }
  return deepest;
}

std::optional<int> SmallInteger(const Json& value, int limit) {
  if (!value.is_number_integer()) return std::nullopt;
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    return number < static_cast<std::uint64_t>(limit) ? std::optional(static_cast<int>(number))
                                                      : std::nullopt;
  }
  const auto number = value.get<std::int64_t>();
  return number >= 0 && number < limit ? std::optional(static_cast<int>(number)) : std::nullopt;
}

struct Reader {
  const std::string& path;
  std::optional<FileError> error;

  bool Fail(const std::string& reason) {
    if (!error) error = NotSpritemate(path, reason);
    return false;
  }

  std::optional<std::uint8_t> Colour(const Json& value, const std::string& what) {
    const auto colour = SmallInteger(value, kColourCount);
    if (!colour) {
      Fail(what + " is not a colour number from 0 to 15");
      return std::nullopt;
    }
    return static_cast<std::uint8_t>(*colour);
  }

  std::optional<SharedColours> Colours(const Json& file) {
    const auto found = file.find(kColours);
    if (found == file.end() || !found->is_object()) {
      Fail("it has no \"colors\" object");
      return std::nullopt;
    }
    const bool current = found->contains(kColourKeys[0]);
    const auto& keys = current ? kColourKeys : kOldColourKeys;
    SharedColours colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
      const auto value = found->find(keys[i]);
      const std::string what = std::string("colour \"") + keys[i] + "\"";
      if (value == found->end()) {
        Fail("\"colors\" has no " + what);
        return std::nullopt;
      }
      const auto colour = Colour(*value, what);
      if (!colour) return std::nullopt;
      colours[i] = *colour;
    }
    return colours;
  }

  bool Flag(const Json& sprite, const char* key, const std::string& where, bool& set) {
    const auto found = sprite.find(key);
    if (found == sprite.end()) return true;
    if (!found->is_boolean()) return Fail(where + " \"" + key + "\" is not true or false");
    set = found->get<bool>();
    return true;
  }

  // The 21 x 24 pen values into the record's pixel bytes.
  bool Pixels(const Json& pixels, bool multiColour, const std::string& where, SpriteRecord& out) {
    if (!pixels.is_array() || pixels.size() != kSpriteRows) {
      return Fail(where + " \"pixels\" is not " + std::to_string(kSpriteRows) + " rows");
    }
    for (int row = 0; row < kSpriteRows; ++row) {
      const Json& values = pixels[row];
      const std::string rowName = where + " row " + std::to_string(row + 1);
      if (!values.is_array() || values.size() != kHiresColumns) {
        return Fail(rowName + " is not " + std::to_string(kHiresColumns) + " pen values");
      }
      for (int column = 0; column < kHiresColumns; ++column) {
        const auto pen = SmallInteger(values[column], kSpritematePenCount);
        if (!pen) {
          return Fail(rowName + " column " + std::to_string(column + 1) +
                      " is not a pen value from 0 to 3");
        }
        if (multiColour) {
          // The second column of a double-wide pixel is what the pixel was before the switch.
          if (column % kMultiColourPixelWidth != 0) continue;
          const int pair = column / kMultiColourPixelWidth;
          const int shift = kBitsPerByte - kBitsPerPair * (pair % kPairsPerByte + 1);
          out[row * kRowBytes + pair / kPairsPerByte] |=
              static_cast<std::uint8_t>(kPenBits[*pen] << shift);
        } else if (*pen != 0) {
          out[row * kRowBytes + column / kBitsPerByte] |=
              static_cast<std::uint8_t>(0x80 >> (column % kBitsPerByte));
        }
      }
    }
    return true;
  }

  std::optional<SpriteRecord> Sprite(const Json& sprite, std::size_t index, Json& names) {
    const std::string where = "sprite " + std::to_string(index + 1);
    if (!sprite.is_object()) {
      Fail(where + " is not an object");
      return std::nullopt;
    }
    const auto colourValue = sprite.find(kColour);
    if (colourValue == sprite.end()) {
      Fail(where + " has no \"color\"");
      return std::nullopt;
    }
    const auto colour = Colour(*colourValue, where + " \"color\"");
    bool multiColour = false, doubleX = false, doubleY = false, overlay = false;
    if (!colour || !Flag(sprite, kMultiColour, where, multiColour) ||
        !Flag(sprite, kDoubleX, where, doubleX) || !Flag(sprite, kDoubleY, where, doubleY) ||
        !Flag(sprite, kOverlay, where, overlay)) {
      return std::nullopt;
    }
    const auto name = sprite.find(kName);
    if (name != sprite.end() && !name->is_string()) {
      Fail(where + " \"name\" is not text");
      return std::nullopt;
    }
    names.push_back(name != sprite.end() ? *name : Json(nullptr));
    const auto pixels = sprite.find(kPixels);
    if (pixels == sprite.end()) {
      Fail(where + " has no \"pixels\"");
      return std::nullopt;
    }
    SpriteRecord record{};
    if (!Pixels(*pixels, multiColour, where, record)) return std::nullopt;
    std::uint8_t attribute = *colour;
    if (multiColour) attribute |= kMultiColourFlag;
    if (overlay) attribute |= kOverlayFlag;
    if (doubleX) attribute |= kExpandXFlag;
    if (doubleY) attribute |= kExpandYFlag;
    record[kAttributeOffset] = attribute;
    return record;
  }
};

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

std::optional<Json> ParseKept(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return std::nullopt;
  Json kept = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (kept.is_discarded()) return std::nullopt;
  return kept;
}

int PenAt(const SpriteRecord& record, int row, int column) {
  if (IsMultiColour(record[kAttributeOffset])) {
    const int pair = column / kMultiColourPixelWidth;
    const int shift = kBitsPerByte - kBitsPerPair * (pair % kPairsPerByte + 1);
    const int bits = (record[row * kRowBytes + pair / kPairsPerByte] >> shift) & kPairMask;
    return static_cast<int>(std::ranges::find(kPenBits, bits) - kPenBits.begin());
  }
  const std::uint8_t byte = record[row * kRowBytes + column / kBitsPerByte];
  return (byte & (0x80 >> (column % kBitsPerByte))) != 0 ? kHiresSetPen : 0;
}

// One sprite, each row of pixels on a line of its own as Spritemate writes them.
std::string SpriteText(const SpriteRecord& record, const Json& name) {
  const std::uint8_t attribute = record[kAttributeOffset];
  Json sprite;
  if (name.is_string()) sprite[kName] = name;
  sprite[kColour] = SpriteColour(attribute);
  sprite[kMultiColour] = IsMultiColour(attribute);
  sprite[kDoubleX] = (attribute & kExpandXFlag) != 0;
  sprite[kDoubleY] = (attribute & kExpandYFlag) != 0;
  sprite[kOverlay] = (attribute & kOverlayFlag) != 0;
  std::string text = sprite.dump();
  text.pop_back();
  text += ",\"pixels\":[\n";
  for (int row = 0; row < kSpriteRows; ++row) {
    Json values = Json::array();
    for (int column = 0; column < kHiresColumns; ++column) {
      values.push_back(PenAt(record, row, column));
    }
    text += values.dump() + (row + 1 < kSpriteRows ? ",\n" : "\n");
  }
  return text + "]}";
}

}  // namespace

Recognition SpritemateFormat::Recognise(std::span<const std::uint8_t> bytes,
                                        std::string_view path) const {
  const bool named = HasExtension(path, ".spm");
  if (StartsAsObject(bytes) && ReadSpritemate(bytes, std::string(path))) {
    return Recognition::ByMark;
  }
  return named ? Recognition::BySizeAndName : Recognition::No;
}

Result<SpriteSet> SpritemateFormat::Read(const FileImage& file,
                                         std::span<const std::optional<FileImage>>) const {
  return ReadSpritemate(file.bytes, file.path);
}

Result<std::vector<FileImage>> SpritemateFormat::Write(const SpriteSet& set,
                                                       const std::string& path) const {
  return std::vector<FileImage>{{path, WriteSpritemate(set)}};
}

Result<SpriteSet> ReadSpritemate(std::span<const std::uint8_t> bytes, const std::string& path) {
  if (bytes.size() > kMaxSpritemateFileBytes) {
    return NotSpritemate(path,
                         "it is larger than " + std::to_string(kMaxSpritemateFileBytes) + " bytes");
  }
  if (Nesting(bytes) > kMaxNesting) return NotSpritemate(path, "its JSON nests too deeply");
  Json file;
  try {
    file = Json::parse(bytes.begin(), bytes.end());
  } catch (const Json::parse_error& error) {
    return NotSpritemate(path, "its JSON is malformed at byte " + std::to_string(error.byte));
  } catch (const Json::exception&) {
    // A number too large for a double (out_of_range 406) is no pen or colour either.
    return NotSpritemate(path, "its JSON holds a number out of range");
  }
  if (!file.is_object()) return NotSpritemate(path, "its JSON is not an object");

  Reader reader{path, std::nullopt};
  const auto colours = reader.Colours(file);
  if (!colours) return *reader.error;
  const auto sprites = file.find(kSprites);
  if (sprites == file.end() || !sprites->is_array()) {
    return NotSpritemate(path, "it has no \"sprites\" list");
  }

  SpriteSet set;
  set.format = std::string(kSpritemateId);
  set.colours = colours;
  Json names = Json::array();
  for (std::size_t i = 0; i < sprites->size(); ++i) {
    const auto record = reader.Sprite((*sprites)[i], i, names);
    if (!record) return *reader.error;
    set.records.push_back(*record);
  }
  // Everything beside the colours and the sprites, in the file's order, and the names.
  Json kept = Json::object();
  for (auto it = file.begin(); it != file.end(); ++it) {
    if (it.key() != kColours && it.key() != kSprites) kept[it.key()] = it.value();
  }
  if (!kept.empty()) set.details.header = Bytes(kept.dump());
  if (std::ranges::any_of(names, [](const Json& name) { return name.is_string(); })) {
    set.details.trailer = Bytes(names.dump());
  }
  return set;
}

std::vector<std::uint8_t> WriteSpritemate(const SpriteSet& set) {
  const bool own = set.format == kSpritemateId;
  const std::optional<Json> kept = own ? ParseKept(set.details.header) : std::nullopt;
  const std::optional<Json> names = own ? ParseKept(set.details.trailer) : std::nullopt;

  const SharedColours colours = set.colours.value_or(
      SharedColours{kInitialPenColours[kTransparentPen], kInitialPenColours[kMultiColour1Pen],
                    kInitialPenColours[kMultiColour2Pen]});
  Json colourObject;
  for (std::size_t i = 0; i < colours.size(); ++i) colourObject[kColourKeys[i]] = colours[i];

  std::string text = "{\"colors\":" + colourObject.dump() + ",\"sprites\":[";
  for (std::size_t i = 0; i < set.records.size(); ++i) {
    const bool named = names && names->is_array() && i < names->size();
    text += (i == 0 ? "" : ",") + SpriteText(set.records[i], named ? (*names)[i] : Json());
  }
  text += "]";

  Json rest = kept && kept->is_object() ? *kept : Json{{kCurrentSprite, 0}, {kPen, 1}};
  // The sprite the file was left at may have been cut off.
  if (const auto current = rest.find(kCurrentSprite);
      current != rest.end() &&
      !(current->is_number_unsigned() && current->get<std::uint64_t>() < set.records.size())) {
    *current = 0;
  }
  for (auto it = rest.begin(); it != rest.end(); ++it) {
    text += "," + Json(it.key()).dump() + ":" + it.value().dump();
  }
  text += "}\n";
  return Bytes(text);
}

std::vector<std::string> SpritemateFormat::LeavesOut(const SpriteSet& set) const {
  if (set.format != kSpritePadId) return {};
  const std::vector<std::uint8_t> bytes = SpritePadFileAgain(set);
  const auto layout = ParseSpritePadLayout(bytes, "");
  if (!layout) return {};
  for (const SpritePadBlock& block : layout->blocks) {
    if (block.kind == SpritePadBlockKind::TileData && block.count > 0) {
      return {std::to_string(block.count) + (block.count == 1 ? " tile" : " tiles")};
    }
  }
  return {};
}

}  // namespace kelvane
