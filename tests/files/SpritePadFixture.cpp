#include "SpritePadFixture.h"

#include <algorithm>

namespace kelvane::fixture {
namespace {

void U16(Bytes& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Distinct bytes for each block, so a block read from the wrong place shows.
Bytes Filled(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

}  // namespace

std::vector<SpriteRecord> Records(int count) {
  std::vector<SpriteRecord> records(count);
  for (int n = 0; n < count; ++n) {
    for (int i = 0; i < kPixelBytes; ++i) {
      records[n][i] = static_cast<std::uint8_t>(n * 13 + i * 29 + 1);
    }
    records[n][kAttributeOffset] = static_cast<std::uint8_t>(n);
  }
  return records;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes RecordBytes(int count) {
  Bytes out;
  for (const auto& record : Records(count)) out.insert(out.end(), record.begin(), record.end());
  return out;
}

Bytes SpdHeader(const SpdSpec& spec) {
  Bytes out;
  const auto colours = Bytes(spec.colours.begin(), spec.colours.end());
  if (spec.version == 0) return colours;
  out = {'S', 'P', 'D', static_cast<std::uint8_t>(spec.version)};
  if (spec.version == 1) {
    out.push_back(static_cast<std::uint8_t>(spec.sprites - 1));
    out.push_back(static_cast<std::uint8_t>(spec.animations - 1));
    return Concat({out, colours});
  }
  out.push_back(spec.flags);
  U16(out, spec.sprites);
  U16(out, spec.tiles);
  if (spec.version == 2) {
    U16(out, spec.animations);
  } else {
    out.push_back(static_cast<std::uint8_t>(spec.animations - 1));
    out.push_back(static_cast<std::uint8_t>(spec.tileAnimations - 1));
  }
  out.push_back(static_cast<std::uint8_t>(spec.tileWidth));
  out.push_back(static_cast<std::uint8_t>(spec.tileHeight));
  out = Concat({out, colours});
  if (spec.version >= 4) {
    U16(out, static_cast<std::uint16_t>(spec.overlayDistance));
    U16(out, 0xFFFE);  // tile overlay distance, negative
  }
  return out;
}

Bytes SpdTrailer(const SpdSpec& spec) {
  if (spec.version == 0) return {};
  if (spec.version == 1) return Filled(4 * spec.animations, 0x10);
  Bytes out;
  if (spec.flags & 1) {
    Bytes cells;
    for (int i = 0; i < spec.tiles * spec.tileWidth * spec.tileHeight; ++i) {
      U16(cells, i % std::max(spec.sprites, 1));  // sprites the file holds
    }
    out = Concat({out, cells});
    if (spec.version >= 3) out = Concat({out, Filled(spec.tiles, 0x20)});  // attributes
    if (spec.version >= 5) {
      out = Concat({out, Filled(spec.tiles, 0x30)});  // tags
      for (const auto& name : spec.tileNames) {
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
      }
    }
  }
  if (spec.flags & 2) out = Concat({out, Filled(6 * spec.animations, 0x40)});
  if (spec.flags & 4) {
    const int count = spec.version == 2 ? spec.animations : spec.tileAnimations;
    out = Concat({out, Filled(6 * count, 0x50)});
  }
  return out;
}

Bytes SpdFile(const SpdSpec& spec) {
  return Concat({SpdHeader(spec), RecordBytes(spec.sprites), SpdTrailer(spec)});
}

SpriteSet SetOf(std::vector<SpriteRecord> records, std::string format, FormatDetails details,
                std::optional<SharedColours> colours) {
  SpriteSet set;
  set.format = std::move(format);
  set.records = std::move(records);
  set.colours = colours;
  set.details = std::move(details);
  return set;
}

SpdSpec RichV5(int sprites) {
  SpdSpec spec;
  spec.sprites = sprites;
  spec.colours = {14, 0, 1};
  spec.flags = 7;
  spec.tiles = 3;
  spec.tileWidth = 2;
  spec.tileHeight = 3;
  spec.animations = 4;
  spec.tileAnimations = 2;
  spec.tileNames = {"Untitled", "", "walk left"};
  return spec;
}

}  // namespace kelvane::fixture
