// The sprite file formats the program knows, and what the file dialogs offer of them.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/SpriteFormat.h"

namespace kelvane {

// The dialogs' last entry, which shows every file: "*.*" would hide the names without a dot.
inline constexpr std::string_view kAnyFileFilter = "Any file (*)";
// The open dialog's first entry: every file any of the formats reads, by its name.
inline constexpr std::string_view kAllSpriteFilesName = "All sprite files";

class FormatRegistry {
 public:
  void Add(std::unique_ptr<SpriteFormat> format);

  std::span<const std::unique_ptr<SpriteFormat>> Formats() const { return formats_; }
  const SpriteFormat* Find(std::string_view id) const;
  // The format surest of bytes, the first added among equals; nullptr when none takes them.
  // When path's extension is one of the formats', a format that knows the bytes only by their
  // size must be that one.
  const SpriteFormat* Recognise(std::span<const std::uint8_t> bytes, std::string_view path) const;
  // The largest file any of the formats can hold.
  std::size_t MaxFileBytes() const;

  // kAllSpriteFilesName with every format's patterns, "Name (*.a *.b)" for each format, then
  // kAnyFileFilter.
  std::vector<std::string> OpenFilters() const;
  // "Name (*.a *.b)" for each format, as OpenFilters lists them.
  std::vector<std::string> FormatFilters() const;
  // Whether path's extension is one of the formats'.
  bool NamedFor(std::string_view path) const;
  // The same for the formats that can be written, under their save names.
  std::vector<std::string> SaveFilters() const;
  // The format behind SaveFilters()[index]; the first that can be written for kAnyFileFilter.
  const SpriteFormat& WriterFor(int filterIndex) const;
  // The save dialog's default suffix: the first writable format's first pattern, without "*.".
  std::string DefaultSuffix() const;
  // Where the writable format id stands in SaveFilters(), or -1.
  int SaveFilterIndex(std::string_view id) const;
  // The writable format whose patterns path's name matches, or nullptr.
  const SpriteFormat* WriterNamedFor(std::string_view path) const;
  // The format to save set to path in: chosen, unless what chosen writes would not open again
  // as chosen under that name (plain records named .prg); then the one the name belongs to.
  const SpriteFormat& WriterThatReopens(const SpriteFormat& chosen, const SpriteSet& set,
                                        const std::string& path) const;

 private:
  std::vector<const SpriteFormat*> Writers() const;
  std::vector<std::unique_ptr<SpriteFormat>> formats_;
};

// Every format the program reads and writes, .spr first.
const FormatRegistry& SpriteFormats();

}  // namespace kelvane
