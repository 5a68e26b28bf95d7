#include "files/FormatRegistry.h"

#include <algorithm>

#include "files/FileExtension.h"
#include "files/PrgFormat.h"
#include "files/RawFormat.h"
#include "files/SprFormat.h"
#include "files/SpritePadFormat.h"
#include "files/SpritemateFormat.h"

namespace kelvane {
namespace {

std::string Filter(std::string_view name, const std::vector<std::string>& patterns) {
  std::string filter(name);
  filter += " (";
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    if (i > 0) filter += ' ';
    filter += patterns[i];
  }
  return filter + ")";
}

bool FormatNamedFor(const SpriteFormat& format, std::string_view path) {
  return std::ranges::any_of(format.Patterns(), [path](const std::string& pattern) {
    return pattern.starts_with("*.") && HasExtension(path, std::string_view(pattern).substr(1));
  });
}

}  // namespace

void FormatRegistry::Add(std::unique_ptr<SpriteFormat> format) {
  formats_.push_back(std::move(format));
}

const SpriteFormat* FormatRegistry::Find(std::string_view id) const {
  for (const auto& format : formats_) {
    if (format->Id() == id) return format.get();
  }
  return nullptr;
}

const SpriteFormat* FormatRegistry::Recognise(std::span<const std::uint8_t> bytes,
                                              std::string_view path) const {
  // A name that belongs to one of the formats outweighs a size that merely fits another, so a
  // broken ship.spr is refused rather than read as some other format; marks still win.
  const bool named = NamedFor(path);
  const SpriteFormat* best = nullptr;
  Recognition bestRecognition = Recognition::No;
  for (const auto& format : formats_) {
    Recognition recognition = format->Recognise(bytes, path);
    if (recognition == Recognition::BySize && named && !FormatNamedFor(*format, path)) {
      recognition = Recognition::No;
    }
    if (recognition > bestRecognition) {
      best = format.get();
      bestRecognition = recognition;
    }
  }
  return best;
}

std::size_t FormatRegistry::MaxFileBytes() const {
  std::size_t most = 0;
  for (const auto& format : formats_) most = std::max(most, format->MaxFileBytes());
  return most;
}

std::vector<std::string> FormatRegistry::OpenFilters() const {
  std::vector<std::string> all;
  for (const auto& format : formats_) {
    for (const std::string& pattern : format->Patterns()) {
      if (std::ranges::find(all, pattern) == all.end()) all.push_back(pattern);
    }
  }
  std::vector<std::string> filters{Filter(kAllSpriteFilesName, all)};
  for (std::string& filter : FormatFilters()) filters.push_back(std::move(filter));
  filters.emplace_back(kAnyFileFilter);
  return filters;
}

std::vector<std::string> FormatRegistry::FormatFilters() const {
  std::vector<std::string> filters;
  for (const auto& format : formats_) filters.push_back(Filter(format->Name(), format->Patterns()));
  return filters;
}

bool FormatRegistry::NamedFor(std::string_view path) const {
  return std::ranges::any_of(formats_,
                             [path](const auto& format) { return FormatNamedFor(*format, path); });
}

std::vector<const SpriteFormat*> FormatRegistry::Writers() const {
  std::vector<const SpriteFormat*> writers;
  for (const auto& format : formats_) {
    if (format->CanWrite()) writers.push_back(format.get());
  }
  return writers;
}

std::vector<std::string> FormatRegistry::SaveFilters() const {
  std::vector<std::string> filters;
  for (const SpriteFormat* format : Writers()) {
    filters.push_back(Filter(format->SaveName(), format->Patterns()));
  }
  filters.emplace_back(kAnyFileFilter);
  return filters;
}

const SpriteFormat& FormatRegistry::WriterFor(int filterIndex) const {
  const std::vector<const SpriteFormat*> writers = Writers();
  // ASSUMPTION: at least one format can be written, as .spr always can.
  if (filterIndex < 0 || filterIndex >= static_cast<int>(writers.size())) return *writers.front();
  return *writers[filterIndex];
}

std::string FormatRegistry::DefaultSuffix() const {
  const std::string pattern = WriterFor(0).Patterns().front();
  return pattern.starts_with("*.") ? pattern.substr(2) : pattern;
}

int FormatRegistry::SaveFilterIndex(std::string_view id) const {
  const std::vector<const SpriteFormat*> writers = Writers();
  for (std::size_t i = 0; i < writers.size(); ++i) {
    if (writers[i]->Id() == id) return static_cast<int>(i);
  }
  return -1;
}

const SpriteFormat* FormatRegistry::WriterNamedFor(std::string_view path) const {
  for (const SpriteFormat* format : Writers()) {
    if (FormatNamedFor(*format, path)) return format;
  }
  return nullptr;
}

const SpriteFormat& FormatRegistry::WriterThatReopens(const SpriteFormat& chosen,
                                                      const SpriteSet& set,
                                                      const std::string& path) const {
  const SpriteFormat* named = WriterNamedFor(path);
  if (named == nullptr || named == &chosen) return chosen;
  const Result<std::vector<FileImage>> files = chosen.Write(set, path);
  if (!files || files->empty() || Recognise(files->front().bytes, path) == &chosen) return chosen;
  return *named;
}

const FormatRegistry& SpriteFormats() {
  static const FormatRegistry registry = [] {
    FormatRegistry formats;
    formats.Add(std::make_unique<SprFormat>());
    formats.Add(std::make_unique<SpritePadFormat>());
    formats.Add(std::make_unique<SpritemateFormat>());
    formats.Add(std::make_unique<PrgFormat>());
    formats.Add(std::make_unique<RawFormat>());
    return formats;
  }();
  return registry;
}

}  // namespace kelvane
