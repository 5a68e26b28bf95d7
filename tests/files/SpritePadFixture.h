// SpritePad files built field by field from the published layout, independently of the codec,
// so the tests and the fuzzers' seed corpus compare the codec against the format itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane::fixture {

using Bytes = std::vector<std::uint8_t>;

// count records whose bytes differ from record to record; record n's attribute byte is n, so
// 256 records carry every combination of colour, overlay, expand X/Y and multi-colour bits.
std::vector<SpriteRecord> Records(int count);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes RecordBytes(int count);

struct SpdSpec {
  int version = 5;  // 0: the old headerless layout
  int sprites = 1;
  SharedColours colours{0, 1, 2};
  std::uint8_t flags = 0;  // versions 2 on: 1 tiles, 2 sprite animations, 4 tile animations
  int tiles = 0;
  int tileWidth = 0;
  int tileHeight = 0;
  int animations = 1;  // true counts; version 1 and versions 3 on store them less one
  int tileAnimations = 1;
  std::vector<std::string> tileNames{};  // version 5, one a tile
  int overlayDistance = 1;             // versions 4 on
};

Bytes SpdHeader(const SpdSpec& spec);
Bytes SpdTrailer(const SpdSpec& spec);  // every block after the records, filled with a pattern
Bytes SpdFile(const SpdSpec& spec);     // header, Records(spec.sprites), trailer

// A set as a codec's caller would hand it over.
SpriteSet SetOf(std::vector<SpriteRecord> records, std::string format = "",
                FormatDetails details = {}, std::optional<SharedColours> colours = {});

// A version 5 file with tiles, tags, names and both kinds of animation.
SpdSpec RichV5(int sprites);

}  // namespace kelvane::fixture
