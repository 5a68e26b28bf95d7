#include "files/SpritePadTiles.h"

#include <algorithm>

#include "files/LittleEndian.h"

namespace kelvane {
namespace {

constexpr int kFirstAttributesVersion = 3;
constexpr int kFirstNamesVersion = 5;  // tags and names

bool IsTileBlock(SpritePadBlockKind kind) {
  return kind == SpritePadBlockKind::TileData || kind == SpritePadBlockKind::TileAttributes ||
         kind == SpritePadBlockKind::TileTags || kind == SpritePadBlockKind::TileNames;
}

std::string Size(int columns, int rows) {
  return std::to_string(columns) + " x " + std::to_string(rows);
}

bool SideFits(int n) {
  return n >= 1 && n <= kMaxObjectSide;
}

void FillBlock(std::span<const std::uint8_t> data, SpritePadBlockKind kind,
               std::vector<SpriteObject>& tiles) {
  switch (kind) {
    case SpritePadBlockKind::TileData: {
      std::size_t at = 0;
      for (SpriteObject& tile : tiles) {
        tile.cells.resize(static_cast<std::size_t>(tile.columns * tile.rows));
        for (int& cell : tile.cells) {
          cell = LittleEndian16(data[at], data[at + 1]);
          at += kSpritePadTileCellBytes;
        }
      }
      break;
    }
    case SpritePadBlockKind::TileAttributes:
      for (std::size_t t = 0; t < tiles.size(); ++t) tiles[t].attribute = data[t];
      break;
    case SpritePadBlockKind::TileTags:
      for (std::size_t t = 0; t < tiles.size(); ++t) tiles[t].tag = data[t];
      break;
    case SpritePadBlockKind::TileNames: {
      std::size_t t = 0;
      for (const std::uint8_t byte : data) {
        if (byte == 0) {
          ++t;
        } else {
          tiles[t].name.push_back(static_cast<char>(byte));
        }
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

Result<std::vector<SpriteObject>> ReadSpritePadTiles(std::span<const std::uint8_t> bytes,
                                                     const SpritePadLayout& layout,
                                                     const std::string& path) {
  std::vector<SpriteObject> tiles;
  const auto refuse = [&](std::string reason) {
    return FileError{path, FileProblem::Format, std::move(reason)};
  };
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    offset += data.size();
    if (!IsTileBlock(block.kind) || block.count == 0) continue;
    if (block.kind == SpritePadBlockKind::TileData) {
      const int columns = bytes[kSpritePadTileWidthOffset];
      const int rows = bytes[kSpritePadTileHeightOffset];
      if (!SideFits(columns) || !SideFits(rows)) {
        return refuse("holds tiles of " + Size(columns, rows) + " sprites; a tile is 1 to " +
                      std::to_string(kMaxObjectSide) + " sprites across and down");
      }
      tiles.assign(static_cast<std::size_t>(block.count),
                   SpriteObject{"", columns, rows, {}, 0, 0});
    }
    FillBlock(data, block.kind, tiles);
  }
  for (std::size_t t = 0; t < tiles.size(); ++t) {
    for (const int cell : tiles[t].cells) {
      if (static_cast<std::size_t>(cell) >= layout.spriteCount) {
        return refuse("names sprite " + std::to_string(cell) + " in tile " + std::to_string(t) +
                      ", but holds " + std::to_string(layout.spriteCount) + " sprites");
      }
    }
  }
  return tiles;
}

std::string SpritePadTilesProblem(const std::vector<SpriteObject>& objects, int version,
                                  std::size_t spriteCount) {
  if (objects.empty()) return "";
  if (version < kSpritePadFirstTilesVersion) {
    return "a SpritePad version " + std::to_string(version) + " file holds no objects";
  }
  const SpriteObject& first = objects.front();
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const SpriteObject& object = objects[i];
    if (!SideFits(object.columns) || !SideFits(object.rows) ||
        object.cells.size() != static_cast<std::size_t>(object.columns * object.rows)) {
      return "object " + std::to_string(i) + " is not a grid of 1 to " +
             std::to_string(kMaxObjectSide) + " sprites across and down";
    }
    if (object.columns != first.columns || object.rows != first.rows) {
      return "a SpritePad file holds objects of one size only, and object 0 is " +
             Size(first.columns, first.rows) + " sprites while object " + std::to_string(i) +
             " is " + Size(object.columns, object.rows);
    }
    for (const int cell : object.cells) {
      if (cell < 0 || static_cast<std::size_t>(cell) >= spriteCount) {
        return "object " + std::to_string(i) + " holds sprite " + std::to_string(cell) +
               ", but the file holds " + std::to_string(spriteCount) + " sprites";
      }
    }
  }
  if (objects.size() > kSpritePadMaxTiles) {
    return "a SpritePad file holds at most " + std::to_string(kSpritePadMaxTiles) + " objects";
  }
  return "";
}

std::vector<std::uint8_t> WithSpritePadTiles(std::span<const std::uint8_t> bytes,
                                             const SpritePadLayout& layout,
                                             const std::vector<SpriteObject>& objects) {
  std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + layout.RecordsEnd());
  std::uint8_t& flags = out[kSpritePadFlagsOffset];
  flags = static_cast<std::uint8_t>(objects.empty() ? flags & ~kSpritePadTilesFlag
                                                    : flags | kSpritePadTilesFlag);
  const auto count = static_cast<std::uint16_t>(objects.size());
  out[kSpritePadTileCountOffset] = LowByte(count);
  out[kSpritePadTileCountOffset + 1] = HighByte(count);
  out[kSpritePadTileWidthOffset] =
      static_cast<std::uint8_t>(objects.empty() ? 0 : objects.front().columns);
  out[kSpritePadTileHeightOffset] =
      static_cast<std::uint8_t>(objects.empty() ? 0 : objects.front().rows);

  // The tile blocks come first after the records, in this order, in every version that has them.
  if (!objects.empty()) {
    AppendSpritePadTileBlock(out, SpritePadBlockKind::TileData, objects);
    if (layout.version >= kFirstAttributesVersion) {
      AppendSpritePadTileBlock(out, SpritePadBlockKind::TileAttributes, objects);
    }
    if (layout.version >= kFirstNamesVersion) {
      AppendSpritePadTileBlock(out, SpritePadBlockKind::TileTags, objects);
      AppendSpritePadTileBlock(out, SpritePadBlockKind::TileNames, objects);
    }
  }
  std::size_t offset = layout.RecordsEnd();
  for (const SpritePadBlock& block : layout.blocks) {
    const auto data = bytes.subspan(offset, static_cast<std::size_t>(block.bytes));
    offset += data.size();
    if (!IsTileBlock(block.kind)) out.insert(out.end(), data.begin(), data.end());
  }
  return out;
}

void AppendSpritePadTileBlock(std::vector<std::uint8_t>& out, SpritePadBlockKind kind,
                              const std::vector<SpriteObject>& objects) {
  for (const SpriteObject& object : objects) {
    switch (kind) {
      case SpritePadBlockKind::TileData:
        for (const int cell : object.cells) {
          AppendLittleEndian16(out, static_cast<std::uint16_t>(cell));
        }
        break;
      case SpritePadBlockKind::TileAttributes:
        out.push_back(object.attribute);
        break;
      case SpritePadBlockKind::TileTags:
        out.push_back(object.tag);
        break;
      case SpritePadBlockKind::TileNames:
        // A NUL ends the name in the file: what follows one could not be read back.
        out.insert(out.end(), object.name.begin(),
                   std::find(object.name.begin(), object.name.end(), '\0'));
        out.push_back(0);
        break;
      default:
        break;
    }
  }
}

int SpritePadOverlayDistance(std::span<const std::uint8_t> header, int version) {
  if (version < kSpritePadFirstOverlayDistanceVersion ||
      header.size() < kSpritePadOverlayDistanceOffset + 2) {
    return 1;
  }
  return static_cast<std::int16_t>(LittleEndian16(header[kSpritePadOverlayDistanceOffset],
                                                  header[kSpritePadOverlayDistanceOffset + 1]));
}

}  // namespace kelvane
