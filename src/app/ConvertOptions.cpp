#include "app/ConvertOptions.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "app/CommandLine.h"
#include "model/C64Format.h"
#include "render/C64Palette.h"

#ifndef KELVANE_VERSION
#error "KELVANE_VERSION must be defined by the build"
#endif

namespace kelvane {
namespace {

constexpr int kHighestAddress = 0xFFFF;
constexpr int kHighestSpriteNumber = 0xFFFF;  // a SpritePad file counts its sprites in 16 bits

std::string Quoted(std::string_view word) {
  return "'" + Printable(word) + "'";
}

std::optional<int> Number(std::string_view text, int base, int lowest, int highest) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end || value < lowest || value > highest) {
    return std::nullopt;
  }
  return value;
}

// "$2000", "0x2000" or "8192".
std::optional<int> Address(std::string_view text) {
  if (text.starts_with('$')) return Number(text.substr(1), 16, 0, kHighestAddress);
  if (text.starts_with("0x") || text.starts_with("0X")) {
    return Number(text.substr(2), 16, 0, kHighestAddress);
  }
  return Number(text, 10, 0, kHighestAddress);
}

std::optional<SpriteRange> Range(std::string_view text) {
  const auto dash = text.find('-');
  const auto first = Number(text.substr(0, dash), 10, 0, kHighestSpriteNumber);
  if (!first) return std::nullopt;
  if (dash == std::string_view::npos) return SpriteRange{*first, std::nullopt};
  const auto last = Number(text.substr(dash + 1), 10, *first, kHighestSpriteNumber);
  if (!last) return std::nullopt;
  return SpriteRange{*first, *last};
}

std::optional<SharedColours> Colours(std::string_view text) {
  SharedColours colours{};
  for (int i = 0; i < kSharedColourCount; ++i) {
    const auto comma = text.find(',');
    const bool last = i == kSharedColourCount - 1;
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const auto colour = Number(text.substr(0, comma), 10, 0, kColourCount - 1);
    if (!colour) return std::nullopt;
    colours[i] = static_cast<std::uint8_t>(*colour);
    if (!last) text.remove_prefix(comma + 1);
  }
  return colours;
}

template <class List>
bool Contains(const List& list, std::string_view name) {
  return std::ranges::find(list, name) != std::ranges::end(list);
}

class Parser {
 public:
  explicit Parser(ConvertOptions& options) : o_(options) {}

  void Fail(const std::string& what) {
    if (o_.message.empty()) {
      o_.message = std::string(kConverterName) + ": " + what + "; try '" +
                   std::string(kConverterName) + " --help'";
    }
  }
  void BadValue(std::string_view option, std::string_view value, std::string_view expected) {
    Fail(Quoted(value) + " is not a value for " + std::string(option) + ": give " +
         std::string(expected));
  }

  // Applies an option that takes a value.
  void Value(std::string_view option, std::string_view value) {
    ExportRequest& request = o_.request;
    if (option == "-o" || option == "--output") {
      o_.output = value;
    } else if (option == "-d" || option == "--folder") {
      o_.folder = value;
    } else if (option == "--from") {
      if (!Contains(kInputFormatIds, value))
        return BadValue(option, value, "spr, spd, spm, prg, bin or png");
      o_.from = value;
    } else if (option == "--to") {
      if (!IsExportFormat(value)) {
        return BadValue(
            option, value,
            "spr, spd, spd1, spd5, spm, prg, bin, png, acme, ca65, kickass, 64tass, xa, "
            "c, basic or gif");
      }
      to_ = value;
    } else if (option == "--sprites") {
      o_.sprites = Range(value);
      if (!o_.sprites) return BadValue(option, value, "a sprite number A or a range A-B, A <= B");
    } else if (option == "--animation") {
      o_.animation = Number(value, 10, 0, kHighestSpriteNumber);
      if (!o_.animation) return BadValue(option, value, "an animation number from 0");
    } else if (option == "--colours") {
      o_.colours = Colours(value);
      if (!o_.colours) return BadValue(option, value, "three colours from 0 to 15: BG,MC1,MC2");
    } else if (option == "--load-address") {
      const auto address = Address(value);
      if (!address) return BadValue(option, value, "an address to $FFFF: $2000, 0x2000 or 8192");
      request.loadAddress = static_cast<std::uint16_t>(*address);
    } else if (option == "--label") {
      request.text.labelPrefix = value;
    } else if (option == "--segment") {
      if (!IsCa65SegmentName(value)) {
        return BadValue(option, value,
                        "a name of letters, digits and '_', not starting with a digit");
      }
      request.text.segment = value;
    } else if (option == "--number-base") {
      request.text.numberBase = NumberBaseFromId(value);
      if (!request.text.numberBase) return BadValue(option, value, "hex, dec or bin");
    } else if (option == "--per-line") {
      request.text.bytesPerLine = Number(value, 10, 1, kMaxBytesPerLine);
      if (!request.text.bytesPerLine) return BadValue(option, value, "a number from 1 to 64");
    } else if (option == "--scale") {
      const auto scale = Number(value, 10, 1, kMaxPngScale);
      if (!scale) return BadValue(option, value, "a number from 1 to 16");
      request.png.scale = *scale;
    } else if (option == "--palette") {
      const auto palette = PaletteNamed(value);
      if (!palette) return BadValue(option, value, "default, pepto-pal, colodore or vice");
      o_.palette = *palette;
    } else if (option == "--columns") {
      const auto columns = Number(value, 10, 1, kSpriteCount);
      if (!columns) return BadValue(option, value, "a number from 1 to 256");
      request.png.columns = *columns;
    }
  }

  // Whatever the options say together, once each is known.
  void Finish() {
    if (!o_.message.empty()) return;
    if (o_.inputs.empty()) return Fail("no INPUT file given");
    const bool toFile = !o_.output.empty();
    const bool toFolder = !o_.folder.empty();
    if (list_) {
      if (toFile || toFolder) return Fail("--list converts nothing: leave out -o and -d");
      o_.action = ConvertOptions::Action::List;
      return;
    }
    if (toFile == toFolder) return Fail("give either -o OUTPUT or -d FOLDER");
    if (toFile && o_.inputs.size() > 1) {
      return Fail("-o writes one INPUT's output; give -d FOLDER for several inputs");
    }

    std::string format = to_;
    if (format.empty()) {
      if (toFolder) return Fail("-d FOLDER needs --to FORMAT to name the outputs");
      if (o_.output == kStandardOutputName) return Fail("-o - needs --to with a text format");
      const auto named = ExportFormatForPath(o_.output);
      if (!named) {
        return Fail("cannot tell the format from the name " + Quoted(o_.output) +
                    "; give --to FORMAT");
      }
      format = *named;
    }
    if (o_.output == kStandardOutputName && !IsTextFormat(format)) {
      return Fail("-o - writes text only, not " + format);
    }
    o_.request.format = format;
    if (o_.animation) {
      if (format != "gif" && format != "png") {
        return Fail("--animation writes a gif or a png strip, not " + format);
      }
      if (o_.sprites) return Fail("--animation picks its own sprites: leave out --sprites");
      // Its strip is one picture of frames, which an object sheet cannot also be.
      if (o_.request.png.objects) return Fail("--animation draws frames: leave out --objects");
    } else if (format == "gif") {
      return Fail("a GIF shows an animation: give --animation N");
    }
    if (o_.request.png.objects && format != "png") {
      return Fail("--objects draws a PNG sheet, not " + format);
    }
    if (!o_.request.text.segment.empty() && format != "ca65") {
      return Fail("--segment names a segment of ca65 source, not of " + format);
    }

    // The options' own rules, as the export applies them; counts are checked with the input.
    std::string problem;
    const int first = o_.sprites ? o_.sprites->first : 0;
    if (IsTextFormat(format)) {
      TextExportOptions text = o_.request.text;
      text.dialect = *DialectFromId(format);
      problem = TextExportProblem(text, 1, first);
    }
    if (!problem.empty()) return Fail(problem);
  }

  void Flag(std::string_view option) {
    if (option == "--no-attributes") {
      o_.request.text.attributes = false;
    } else if (option == "--no-colour-comment") {
      o_.request.text.colourComment = false;
    } else if (option == "--expand") {
      o_.request.png.expand = true;
    } else if (option == "--objects") {
      o_.request.png.objects = true;
    } else if (option == "--list") {
      list_ = true;
    } else if (option == "-h" || option == "--help") {
      help_ = true;
    } else if (option == "--version") {
      version_ = true;
    }
  }

  bool help_ = false;
  bool version_ = false;

 private:
  ConvertOptions& o_;
  std::string to_;
  bool list_ = false;
};

constexpr std::string_view kValueOptions[] = {"-o",        "--output",      "-d",
                                              "--folder",  "--from",        "--to",
                                              "--sprites", "--colours",     "--load-address",
                                              "--label",   "--number-base", "--per-line",
                                              "--scale",   "--columns",     "--segment",
                                              "--palette", "--animation"};
constexpr std::string_view kFlags[] = {
    "--no-attributes", "--no-colour-comment", "--expand", "--objects", "--list", "-h", "--help",
    "--version"};

}  // namespace

ConvertOptions ParseConvertOptions(const std::vector<std::string>& arguments) {
  ConvertOptions options;
  Parser parser(options);
  bool onlyFilesFollow = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (onlyFilesFollow || word.size() < 2 || word.front() != '-') {
      options.inputs.push_back(word);  // includes a lone "-", which names no file here
      continue;
    }
    if (word == "--") {
      onlyFilesFollow = true;
      continue;
    }
    // --name=value and -oVALUE carry their value in the same word.
    std::string_view name = word;
    std::optional<std::string_view> value;
    if (word.starts_with("--")) {
      if (const auto equals = word.find('='); equals != std::string::npos) {
        name = std::string_view(word).substr(0, equals);
        value = std::string_view(word).substr(equals + 1);
      }
    } else if (word.size() > 2) {
      name = std::string_view(word).substr(0, 2);
      value = std::string_view(word).substr(2);
    }

    if (Contains(kValueOptions, name)) {
      if (!value) {
        if (i + 1 == arguments.size()) {
          parser.Fail("missing value for option " + Quoted(name));
          continue;
        }
        value = arguments[++i];
      }
      parser.Value(name, *value);
    } else if (Contains(kFlags, name) && !value) {
      parser.Flag(name);
    } else {
      parser.Fail("unknown option " + Quoted(word));
    }
  }
  // --help and --version need no input; a bad option is refused even beside them.
  if (!parser.help_ && !parser.version_) parser.Finish();

  // A command line with a fault is refused whatever else it asks for, so a script that
  // misspells an option never gets a misleading success.
  if (!options.message.empty()) {
    options.action = ConvertOptions::Action::Error;
  } else if (parser.help_) {
    options.action = ConvertOptions::Action::Help;
  } else if (parser.version_) {
    options.action = ConvertOptions::Action::Version;
  }
  return options;
}

std::string ConvertUsageText() {
  return "Usage: kelvane-convert [OPTION]... INPUT -o OUTPUT\n"
         "  or:  kelvane-convert [OPTION]... INPUT... -d FOLDER\n"
         "  or:  kelvane-convert --list INPUT...\n"
         "Convert Commodore 64 sprite files, writing exactly what Kelvane's Export writes.\n"
         "An INPUT's format is recognised from its content, the output's from its name\n"
         "(.spr with its .inf, .spd, .spm, .prg, .bin, .png, .gif, .asm, .s, .c, .h,\n"
         ".bas)\n"
         "or --to.\n"
         "\n"
         "  -o, --output OUTPUT       write OUTPUT; '-' writes text to standard output\n"
         "  -d, --folder FOLDER       write each INPUT's output there, named after it\n"
         "      --from FORMAT         read every INPUT as spr, spd, spm, prg, bin or png\n"
         "      --to FORMAT           write spr, spd, spd1, spd5, spm, prg, bin, png,\n"
         "                            acme, ca65, kickass, 64tass, xa, c, basic or gif\n"
         "      --sprites A-B         convert sprites A to B only (or A alone), from 0\n"
         "      --animation N         write the INPUT's animation N (from 0, as --list\n"
         "                            shows them): a looping GIF, or a PNG strip of its\n"
         "                            frames\n"
         "      --colours BG,MC1,MC2  shared colours (0-15) for inputs that carry none\n"
         "      --load-address ADDR   where a PRG loads: $2000, 0x2000 or 8192\n"
         "                            (default $2000)\n"
         "      --label PREFIX        label each sprite PREFIXn (default sprite_)\n"
         "      --segment NAME        ca65: put the sprites in segment NAME, aligned to\n"
         "                            64 bytes (default: no segment, links as it is)\n"
         "      --number-base BASE    hex, dec or bin (default hex; BASIC dec)\n"
         "      --per-line N          bytes a line of source, 1-64 (default 8; bin 3)\n"
         "      --no-attributes       leave out attribute bytes: 63 bytes a sprite\n"
         "      --no-colour-comment   leave out the comment naming the shared colours\n"
         "      --scale N             PNG: each pixel N x N, 1-16 (default 1)\n"
         "      --columns N           PNG: sprites a row, 1-256 (default 16)\n"
         "      --expand              PNG: draw expanded sprites twice as wide or tall\n"
         "      --objects             PNG: draw each object (SpritePad tile) composed,\n"
         "                            --columns objects a row, 1 pixel apart\n"
         "      --palette NAME        PNG: the colours of default, pepto-pal, colodore\n"
         "                            or vice (default default)\n"
         "      --list                print what each INPUT holds instead of converting\n"
         "  -h, --help                print this help and exit\n"
         "      --version             print the version and exit\n"
         "\n"
         "A .spd output keeps a SpritePad INPUT's version and blocks (a part, the blocks\n"
         "that lie inside it); otherwise it is version 1, and --to spd1 or spd5 choose.\n"
         "Objects (SpritePad tiles) and their animations are kept only in a .spd of\n"
         "version 2 on (--to spd5 for a new one); other outputs leave them out.\n"
         "Nothing is written when anything fails.\n"
         "Exit status: 0 on success, 1 when a file could not be read or written, 2 for a\n"
         "usage error.\n";
}

std::string ConvertVersionText() {
  return "kelvane-convert (Kelvane) " KELVANE_VERSION "\n";
}

}  // namespace kelvane
