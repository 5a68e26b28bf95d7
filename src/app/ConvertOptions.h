#pragma once
// What a kelvane-convert command line asks for, decided before any file is touched: every
// option's value is checked here, so a misspelt command fails as a whole with one line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/EditorState.h"  // SharedColours
#include "render/SpriteExport.h"

namespace kelvane {

// The converter's name in its messages, and the output name that means standard output.
inline constexpr std::string_view kConverterName = "kelvane-convert";
inline constexpr std::string_view kStandardOutputName = "-";

// Sprites first to last of a file, counted from 0; last absent: only first.
struct SpriteRange {
  int first = 0;
  std::optional<int> last;
};

struct ConvertOptions {
  enum class Action { Convert, List, Help, Version, Error };

  Action action = Action::Convert;
  std::vector<std::string> inputs;
  std::string output;  // -o: a file, or "-" for standard output; "" with -d
  std::string folder;  // -d: where each input's output goes, named after it
  std::string from;    // --from: the input format, or "" to recognise it from the content
  // request.format is --to, else the format OUTPUT's extension names; with --list, unused.
  ExportRequest request;
  std::optional<SpriteRange> sprites;
  std::optional<int> animation;          // --animation: which of the input's, counted from 0
  std::optional<SharedColours> colours;  // for inputs that carry none
  int palette = 0;                       // --palette: which of kPalettes a PNG is drawn in
  std::string message;                   // Action::Error: one line without its line break
};

// The formats --from takes: those the readers recognise, and PNG sprite sheets.
inline constexpr std::array<std::string_view, 6> kInputFormatIds{"spr", "spd", "spm",
                                                                 "prg", "bin", "png"};

// arguments[0] is the program name, as in argv.
ConvertOptions ParseConvertOptions(const std::vector<std::string>& arguments);

// What --help and --version print, each ending in a line break.
std::string ConvertUsageText();
std::string ConvertVersionText();

inline constexpr int kConvertFailed = 1;      // a file could not be read or written
inline constexpr int kConvertUsageError = 2;  // the command line was refused

}  // namespace kelvane
