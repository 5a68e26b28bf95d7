// A sprite file format as a codec: how to recognise it, read it and write it. The window's
// dialogs, "Open...", "Save..." and the converter all go through a registry of these, so that
// every format is read and written by exactly one piece of code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileError.h"
#include "model/EditorState.h"  // SharedColours
#include "model/SpriteAnimation.h"
#include "model/SpriteBank.h"
#include "model/SpriteObject.h"

namespace kelvane {

// What a codec keeps of a file beyond its records, so that saving it back loses nothing. Only
// the codec that made it reads it; everyone else carries it along unchanged.
struct FormatDetails {
  int version = 0;
  std::vector<std::uint8_t> header;   // as read, for fields the program does not edit
  std::vector<std::uint8_t> trailer;  // the blocks after the records, verbatim
  std::optional<std::uint16_t> loadAddress;

  bool operator==(const FormatDetails&) const = default;
};

// The contents of a sprite file, independent of its format.
struct SpriteSet {
  std::string format;                    // the id of the codec that read it, or "" for a new bank
  std::vector<SpriteRecord> records;     // any number; the bank takes at most 256
  std::optional<SharedColours> colours;  // absent when the file carries none
  FormatDetails details;
  std::vector<SpriteObject> objects;  // SpritePad's tiles; other formats hold none
  // Sprite n with the overlay bit is drawn under sprite n + overlayDistance.
  int overlayDistance = 1;
  // The animations of both kinds a SpritePad file is written with; nothing: those its details
  // hold.
  std::optional<std::vector<SpriteAnimation>> animations{};

  bool operator==(const SpriteSet&) const = default;
};

// One file's path and bytes; what is read from disk and what a codec asks to have written.
struct FileImage {
  std::string path;
  std::vector<std::uint8_t> bytes;
};

// How sure a codec is that some bytes are its format. The content decides; the name only breaks
// a tie between formats whose content alone cannot tell them apart (a headerless .spr and a raw
// .bin are the same bytes). A file that bears a format's mark but does not add up is that
// format's to refuse, with its reason, unless its name gives it to another.
enum class Recognition { No = 0, BySize = 1, ByDamagedMark = 2, BySizeAndName = 3, ByMark = 4 };

class SpriteFormat {
 public:
  virtual ~SpriteFormat() = default;

  virtual std::string_view Id() const = 0;    // "spr", "spd", "prg", "bin", ...
  virtual std::string_view Name() const = 0;  // the dialog filter's text, without patterns
  // The save dialog's text, where it reads differently from the open dialog's.
  virtual std::string_view SaveName() const { return Name(); }
  virtual std::vector<std::string> Patterns() const = 0;  // {"*.spr"}
  // The largest file the format can hold: reading never takes in more than this.
  virtual std::size_t MaxFileBytes() const = 0;

  virtual Recognition Recognise(std::span<const std::uint8_t> bytes,
                                std::string_view path) const = 0;

  // Files beside path that belong to it (a .spr's .inf sidecar); each is read when it exists.
  virtual std::vector<std::string> Companions(const std::string& /*path*/) const { return {}; }

  // companions holds one entry per Companions(file.path), empty where that file was absent or
  // unreadable. Refuses, naming file.path and what did not add up, rather than read part of it.
  virtual Result<SpriteSet> Read(const FileImage& file,
                                 std::span<const std::optional<FileImage>> companions) const = 0;

  virtual bool CanWrite() const { return true; }
  // What writing set in this format would leave out ("2 tiles"), one entry a kind; the window
  // asks before saving when there is any.
  virtual std::vector<std::string> LeavesOut(const SpriteSet& /*set*/) const { return {}; }
  // The files that make up set saved under path, to be written as one unit.
  virtual Result<std::vector<FileImage>> Write(const SpriteSet& set,
                                               const std::string& path) const = 0;
};

}  // namespace kelvane
