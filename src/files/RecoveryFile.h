// The unsaved document as the window keeps it on disk between autosaves: everything needed to
// bring it back exactly as it was, as unsaved changes of the file it belongs to.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/FileError.h"
#include "files/FileStamp.h"
#include "files/SpriteFormat.h"
#include "model/EditorState.h"
#include "model/SpriteAnimation.h"
#include "model/SpriteBank.h"
#include "model/SpriteObject.h"

namespace kelvane {

// The largest recovery file read: a bank and a SpritePad file's kept blocks fit many times over.
inline constexpr std::size_t kMaxRecoveryBytes = 8u << 20;

struct KeptDocument {
  std::string path;   // the file Save writes, in the system's bytes; empty for none yet
  std::string title;  // the name the title shows (UTF-8): an untitled or imported one has no path
  std::string format = "spr";       // the id of the codec it was opened or saved with
  FormatDetails details;            // what that file held beyond its records
  int records = 0;                  // how many records it was opened or saved with
  std::optional<FileStamp> onDisk;  // that file as last read or written
  SpriteBank bank;
  SharedColours colours{};
  std::vector<SpriteAnimation> animations;
  std::vector<SpriteObject> objects;
  int overlayDistance = 1;     // the sprite drawn over one with the overlay bit is this far on
  std::int64_t writtenAt = 0;  // seconds since 1970, when it was kept

  bool operator==(const KeptDocument&) const = default;
};

std::vector<std::uint8_t> EncodeKeptDocument(const KeptDocument& document);

// Refuses, naming path and what did not add up, anything but a whole file as written: a file cut
// short, grown, changed by a stray write, from a newer version, or with a length or value out
// of range.
Result<KeptDocument> DecodeKeptDocument(std::span<const std::uint8_t> bytes,
                                        const std::string& path);

}  // namespace kelvane
