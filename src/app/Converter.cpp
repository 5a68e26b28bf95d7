#include "app/Converter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "files/BankFit.h"
#include "files/FileName.h"
#include "files/FormatRegistry.h"
#include "files/PrgFormat.h"
#include "files/SafeFiles.h"
#include "files/SpriteListing.h"
#include "files/SpritePadAnimations.h"
#include "files/SpriteSets.h"
#include "model/OverlayPairs.h"
#include "render/C64Palette.h"
#include "render/PngImport.h"
#include "render/SpriteExport.h"

namespace kelvane {
namespace {

constexpr std::string_view kPngSheetName = "PNG sprite sheet";

// Why the run stops: the exit status and the one line that says so.
struct Stop {
  int status = kConvertFailed;
  std::string line;
};

Stop FileFailure(const FileError& error) {
  return {kConvertFailed, std::string(kConverterName) + ": " + Describe(error)};
}

Stop UsageFailure(const std::string& file, const std::string& reason) {
  return {kConvertUsageError, std::string(kConverterName) + ": " + file + ": " + reason};
}

// What a failed write to out says: the system's reason where it gave one.
Stop OutputFailure() {
  if (errno == 0) {
    return FileFailure(FileError{"standard output", FileProblem::Io, "could not be written"});
  }
  return FileFailure(ErrorFromErrno("standard output", errno));
}

// Writes text whole to out, or says why it could not.
std::optional<Stop> WriteOut(std::string_view text, std::FILE* out) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
    return OutputFailure();
  }
  return std::nullopt;
}

// libpng writes its own complaint about a damaged file to standard error, where the converter
// promises one line of its own; while this lives, that goes nowhere.
class StandardErrorSilenced {
 public:
  StandardErrorSilenced() : saved_(::dup(STDERR_FILENO)) {
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
    if (nowhere >= 0) ::close(nowhere);
  }
  ~StandardErrorSilenced() {
    if (saved_ < 0) return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  StandardErrorSilenced(const StandardErrorSilenced&) = delete;
  StandardErrorSilenced& operator=(const StandardErrorSilenced&) = delete;

 private:
  int saved_;
};

// The input in the format --from names, else the one its content shows: a PNG picture, or
// whatever "Open..." would take it for.
Result<SpriteSet> ReadInput(const std::string& path, const ConvertOptions& options) {
  const FormatRegistry& formats = SpriteFormats();
  const Result<FileImage> file =
      ReadWholeFile(path, std::max(formats.MaxFileBytes(), kMaxPngFileBytes));
  if (!file) return file.error();
  const bool png = options.from.empty() ? HasPngSignature(file->bytes) : options.from == "png";
  if (png) {
    const StandardErrorSilenced quiet;
    return ImportPng(*file, PngImportOptions{options.colours, std::nullopt});
  }

  const SpriteFormat* format =
      options.from.empty() ? formats.Recognise(file->bytes, path) : formats.Find(options.from);
  if (format == nullptr) {
    return FileError{path, FileProblem::Format,
                     "is not a sprite file of a known format (" +
                         std::to_string(file->bytes.size()) + " bytes; give --from if it is one)"};
  }
  if (file->bytes.size() > format->MaxFileBytes()) {
    return FileError{path, FileProblem::Size, "is too large for a " + std::string(format->Name())};
  }
  Result<SpriteSet> set = ReadSpriteSetAs(*format, *file, formats.MaxFileBytes());
  if (set) {
    if (auto error = CheckHoldsSprites(*set, path)) return *error;
  }
  return set;
}

std::string_view FormatName(const SpriteSet& set) {
  if (const SpriteFormat* format = SpriteFormats().Find(set.format)) return format->Name();
  return kPngSheetName;
}

// OUTPUT, or FOLDER/NAME with the input's name, its last extension changed to the format's.
std::string OutputPath(const ConvertOptions& options, const std::string& input) {
  if (options.folder.empty()) return options.output;
  std::string name = FileNameOf(input);
  if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  const std::string folder = options.folder.ends_with('/') ? options.folder : options.folder + "/";
  return folder + name + std::string(ExportExtension(options.request.format));
}

// The sprites --sprites picks, in the colours --colours gives where the input has none.
std::optional<Stop> Choose(const ConvertOptions& options, const std::string& input, SpriteSet& set,
                           int& firstSprite) {
  const int count = static_cast<int>(set.records.size());
  int first = 0;
  int last = count - 1;
  if (options.sprites) {
    first = options.sprites->first;
    last = options.sprites->last.value_or(first);
    if (last >= count) {
      return UsageFailure(input, "holds " + std::to_string(count) + " sprites (0-" +
                                     std::to_string(count - 1) + "), so --sprites cannot pick " +
                                     std::to_string(first) + "-" + std::to_string(last));
    }
  }
  // A PRG's part keeps the address its first sprite loaded at, which the whole file may have
  // put past the top of memory; written as a PRG without --load-address, it would have none.
  if (set.format == kPrgId && set.details.loadAddress && options.request.format == kPrgId &&
      !options.request.loadAddress) {
    const std::size_t address = *set.details.loadAddress + std::size_t{kSpriteBytes} * first;
    if (address >= kPrgAddressSpace) {
      char at[8];
      std::snprintf(at, sizeof at, "$%X", static_cast<unsigned>(address));
      return UsageFailure(input, "loads sprite " + std::to_string(first) + " at " + at +
                                     ", past $FFFF, the top of memory; give --load-address");
    }
  }
  set = PartOf(set, static_cast<std::size_t>(first), last - first + 1);
  if (!set.colours) set.colours = options.colours;
  firstSprite = first;
  return std::nullopt;
}

std::string AnimationCountText(std::size_t count) {
  if (count == 0) return "holds no animations";
  return "holds " + std::to_string(count) + (count == 1 ? " animation (0" : " animations (0-") +
         (count == 1 ? "" : std::to_string(count - 1)) + ")";
}

std::optional<Stop> Convert(const ConvertOptions& options, std::FILE* out) {
  // One set of files an input: its output and the output's companions.
  std::vector<std::vector<FileImage>> outputs;
  struct Written {
    std::size_t input;
    std::string path;  // as given
  };
  std::map<std::string, Written> written;  // by the identity of the file each output replaces
  for (const std::string& input : options.inputs) {
    Result<SpriteSet> set = ReadInput(input, options);
    if (!set) return FileFailure(set.error());
    int firstSprite = 0;
    if (auto stop = Choose(options, input, *set, firstSprite)) return stop;
    ExportRequest request = options.request;
    // Pairs are composed as the window composes them from the file.
    request.png.overlayDistance = set->overlayDistance;
    if (options.animation) {
      const std::vector<SpriteAnimation> animations = SpritePadAnimationsOf(*set);
      if (static_cast<std::size_t>(*options.animation) >= animations.size()) {
        return UsageFailure(input, AnimationCountText(animations.size()) +
                                       ", so --animation cannot pick " +
                                       std::to_string(*options.animation));
      }
      request.animation = animations[static_cast<std::size_t>(*options.animation)];
    }
    if (const std::string problem = ExportProblem(request, *set, firstSprite); !problem.empty()) {
      return UsageFailure(input, "cannot be converted: " + problem);
    }
    const std::string path = OutputPath(options, input);
    auto files = ExportSprites(*set, firstSprite, request, path);
    if (!files) return FileFailure(files.error());
    for (const FileImage& file : *files) {
      // Two inputs of the same name would otherwise silently leave only the last one's output;
      // outputs are told apart by the file each would replace.
      const auto [earlier, added] =
          written.emplace(FileIdentity(file.path), Written{outputs.size(), file.path});
      if (added) continue;
      // Within one output's files: a sidecar that links to its sprite file.
      if (earlier->second.input == outputs.size()) {
        return FileFailure(SameFileError(file.path, earlier->second.path));
      }
      return UsageFailure(input, "would be written to " + file.path + " like an earlier input");
    }
    outputs.push_back(std::move(*files));
  }

  if (options.output == kStandardOutputName) {
    for (const std::vector<FileImage>& files : outputs) {
      for (const FileImage& file : files) {
        const std::string_view text(reinterpret_cast<const char*>(file.bytes.data()),
                                    file.bytes.size());
        if (auto stop = WriteOut(text, out)) return stop;
      }
    }
    return std::nullopt;
  }
  const std::vector<std::span<const FileImage>> groups(outputs.begin(), outputs.end());
  if (auto error = SaveFileGroups(groups)) return FileFailure(*error);
  return std::nullopt;
}

std::optional<Stop> List(const ConvertOptions& options, std::FILE* out) {
  std::string text;
  for (const std::string& input : options.inputs) {
    const Result<SpriteSet> set = ReadInput(input, options);
    if (!set) return FileFailure(set.error());
    if (!text.empty()) text += "\n";
    // A name may hold any byte but '/' and NUL: shown as the error messages show it.
    text += Printable(input) + ": " + ListSpriteSet(*set, FormatName(*set));
  }
  return WriteOut(text, out);
}

}  // namespace

int RunConverter(const ConvertOptions& options, std::FILE* out, std::FILE* err) {
  SetActivePalette(options.palette);  // what a PNG sheet is drawn in; no byte depends on it
  std::optional<Stop> stop;
  switch (options.action) {
    case ConvertOptions::Action::Error:
      // The message shows the command line's words printable already.
      std::fprintf(err, "%s\n", options.message.c_str());
      return kConvertUsageError;
    case ConvertOptions::Action::Help:
      stop = WriteOut(ConvertUsageText(), out);
      break;
    case ConvertOptions::Action::Version:
      stop = WriteOut(ConvertVersionText(), out);
      break;
    case ConvertOptions::Action::List:
      stop = List(options, out);
      break;
    case ConvertOptions::Action::Convert:
      stop = Convert(options, out);
      break;
  }
  if (!stop) return 0;
  // A file name may hold any byte but '/' and NUL; the message stays one line whatever it holds.
  const std::string line = Printable(stop->line);
  std::fprintf(err, "%s\n", line.c_str());
  return stop->status;
}

}  // namespace kelvane
