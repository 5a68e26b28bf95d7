#include "render/SpriteExport.h"

#include <algorithm>

#include "files/FileExtension.h"
#include "files/PrgFormat.h"
#include "files/RawFormat.h"
#include "files/SprFormat.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpritemateFormat.h"
#include "model/EditorState.h"
#include "render/AnimationExport.h"
#include "render/ObjectSheet.h"

namespace kelvane {
namespace {

constexpr int kSpritePadV5 = 5;

struct Extension {
  std::string_view extension;
  std::string_view format;
};
// Read from a name: the first row of a format is also the extension its outputs get.
constexpr std::array<Extension, 14> kExtensions{{{".spr", "spr"},
                                                 {".spd", "spd"},
                                                 {".spm", "spm"},
                                                 {".prg", "prg"},
                                                 {".bin", "bin"},
                                                 {".png", "png"},
                                                 {".gif", "gif"},
                                                 {".asm", "acme"},
                                                 {".s", "ca65"},
                                                 {".c", "c"},
                                                 {".h", "c"},
                                                 {".bas", "basic"},
                                                 {".spd", "spd1"},
                                                 {".spd", "spd5"}}};

SharedColours ColoursOf(const SpriteSet& set) {
  if (set.colours) return *set.colours;
  SharedColours colours{};
  for (int i = 0; i < kSharedColourCount; ++i) {
    colours[i] = kInitialPenColours[kSharedColourPens[i]];
  }
  return colours;
}

TextExportOptions TextOptionsOf(const ExportRequest& request) {
  TextExportOptions options = request.text;
  options.dialect = DialectFromId(request.format).value_or(TextDialect::Acme);
  return options;
}

// Where a PRG of these sprites loads: the request's address, else the one they were read with.
std::uint16_t LoadAddressOf(const SpriteSet& sprites, const ExportRequest& request) {
  if (request.loadAddress) return *request.loadAddress;
  if (sprites.format == kPrgId && sprites.details.loadAddress) return *sprites.details.loadAddress;
  return kDefaultPrgLoadAddress;
}

// A set that is a SpritePad file of version in all but its records stays one; anything else
// becomes a new file of that version.
Result<std::vector<FileImage>> SpritePadFiles(const SpriteSet& sprites, std::string_view format,
                                              const std::string& path) {
  if (format == kSpritePadId) return SpritePadFormat().Write(sprites, path);
  const int version = format == "spd5" ? kSpritePadV5 : kSpritePadDefaultVersion;
  if (sprites.format == kSpritePadId && sprites.details.version == version) {
    return SpritePadFormat(version).Write(sprites, path);
  }
  // Only version 5 holds objects; a version 1 file is asked for without them. Both versions hold
  // the sprite animations (the writer leaves out those over objects where there are none).
  SpriteSet fresh;
  fresh.records = sprites.records;
  fresh.colours = sprites.colours;
  fresh.overlayDistance = sprites.overlayDistance;
  if (version == kSpritePadV5) fresh.objects = sprites.objects;
  std::vector<SpriteAnimation> animations =
      sprites.animations ? *sprites.animations : SpritePadAnimationsOf(sprites);
  // Numbers past the bank play nothing anywhere, and version 1 has no room for them.
  if (version != kSpritePadV5) {
    std::erase_if(animations, [](const SpriteAnimation& a) { return a.PastTheBank(); });
  }
  if (!animations.empty()) fresh.animations = std::move(animations);
  return SpritePadFormat(version).Write(fresh, path);
}

Result<std::vector<FileImage>> PrgFiles(const SpriteSet& sprites, const ExportRequest& request,
                                        const std::string& path) {
  SpriteSet prg = sprites;
  if (sprites.format != kPrgId) prg.details = {};
  prg.details.loadAddress = LoadAddressOf(sprites, request);
  return PrgFormat().Write(prg, path);
}

}  // namespace

bool IsExportFormat(std::string_view format) {
  return std::ranges::find(kExportFormatIds, format) != kExportFormatIds.end();
}

bool IsTextFormat(std::string_view format) {
  return DialectFromId(format).has_value();
}

std::optional<std::string> ExportFormatForPath(std::string_view path) {
  for (const Extension& entry : kExtensions) {
    if (HasExtension(path, entry.extension)) return std::string(entry.format);
  }
  return std::nullopt;
}

std::string_view ExportExtension(std::string_view format) {
  for (const Extension& entry : kExtensions) {
    if (entry.format == format) return entry.extension;
  }
  return IsTextFormat(format) ? ".asm" : "";
}

std::string ExportProblem(const ExportRequest& request, const SpriteSet& sprites, int firstSprite) {
  const int count = static_cast<int>(sprites.records.size());
  if (!IsExportFormat(request.format)) return "'" + request.format + "' is not an output format";
  if (IsTextFormat(request.format)) {
    return TextExportProblem(TextOptionsOf(request), count, firstSprite);
  }
  if (request.animation) {
    if (request.format != "gif" && request.format != "png") {
      return "an animation is written as gif or png, not " + request.format;
    }
    return AnimationExportProblem(*request.animation, sprites.records, sprites.objects,
                                  request.png);
  }
  if (request.format == "gif") return "a GIF shows an animation: choose one";
  if (request.format == "png" && request.png.objects) {
    return ObjectSheetProblem(sprites.objects, sprites.records, request.png);
  }
  if (request.format == "png") return PngExportProblem(request.png, sprites.records);
  if (request.format == kPrgId) {
    return PrgPastMemoryProblem(LoadAddressOf(sprites, request), sprites.records.size(),
                                PrgBodyBytes(sprites));
  }
  return "";
}

Result<std::vector<FileImage>> ExportSprites(const SpriteSet& sprites, int firstSprite,
                                             const ExportRequest& request,
                                             const std::string& path) {
  if (const std::string problem = ExportProblem(request, sprites, firstSprite); !problem.empty()) {
    return FileError{path, FileProblem::Format, "cannot be written: " + problem};
  }
  const std::string_view format = request.format;
  const SharedColours colours = ColoursOf(sprites);
  if (IsTextFormat(format)) {
    const std::string text =
        ExportText(sprites.records, firstSprite, colours, TextOptionsOf(request));
    return std::vector<FileImage>{{path, {text.begin(), text.end()}}};
  }
  if (format == "gif") {
    auto gif = ExportAnimatedGif(*request.animation, sprites.records, sprites.objects, colours,
                                 request.png, path);
    if (!gif) return gif.error();
    return std::vector<FileImage>{{path, std::move(*gif)}};
  }
  if (format == "png") {
    std::vector<std::uint8_t> png =
        request.animation ? ExportAnimationStrip(*request.animation, sprites.records,
                                                 sprites.objects, colours, request.png)
        : request.png.objects
            ? ExportObjectPng(sprites.objects, sprites.records, colours, request.png)
            : ExportPng(sprites.records, colours, request.png);
    if (png.empty()) return FileError{path, FileProblem::Io, "the PNG encoder failed"};
    return std::vector<FileImage>{{path, std::move(png)}};
  }
  if (format.starts_with(kSpritePadId)) return SpritePadFiles(sprites, format, path);
  if (format == kPrgId) return PrgFiles(sprites, request, path);
  if (format == kSpritemateId) return SpritemateFormat().Write(sprites, path);
  if (format == kRawId) return RawFormat().Write(sprites, path);
  return SprFormat().Write(sprites, path);
}

}  // namespace kelvane
