#include "files/TextExport.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "files/ColourNames.h"

namespace kelvane {
namespace {

static_assert(kSpriteBytes == 64, "the alignment lines below spell out 64");

// Everything that differs between the dialects. Each line of the output is built from these
// pieces, so a dialect is one row of the table below, not a writer of its own.
struct DialectSyntax {
  TextDialect dialect{};
  std::string_view id{};
  std::string_view commentOpen{};
  std::string_view commentClose{};
  std::string_view alignLine{};  // pads to the next 64-byte boundary, or "" where nothing can
  std::string_view labelOpen{};
  std::string_view labelClose{};
  std::string_view spriteClose{};  // a line after a sprite's data, or ""
  std::string_view dataOpen{};     // before the values of a line
  std::string_view separator = ",";
  bool separatorAfterLast = false;                              // C initialisers may end in a comma
  std::array<std::string_view, 3> basePrefix = {"$", "", "%"};  // hex, decimal, binary
  bool lineNumbers = false;                                     // BASIC
};

// What each assembler accepts, found by running them:
// - ACME's !align pads until (pc & 63) == 0; the fill is given so the padding is zeros.
// - ca65 needs colons after labels; its .align asks the linker to align the segment, and ld65
//   warns when the configuration does not, so it is written only in a segment of its own.
// - xa's .align works only in relocatable segments, so the padding is computed from *. Its
//   comments must hold no ':' (xa splits statements there, even after ';') and no quote.
constexpr std::array<DialectSyntax, kTextDialects.size()> kDialects{{
    {.dialect = TextDialect::Acme,
     .id = "acme",
     .commentOpen = "; ",
     .alignLine = "\t!align 63, 0, 0",
     .dataOpen = "\t!byte "},
    {.dialect = TextDialect::Ca65,
     .id = "ca65",
     .commentOpen = "; ",
     .alignLine = "\t.align 64",
     .labelClose = ":",
     .dataOpen = "\t.byte "},
    {.dialect = TextDialect::KickAssembler,
     .id = "kickass",
     .commentOpen = "// ",
     .alignLine = "\t.align $40",
     .labelClose = ":",
     .dataOpen = "\t.byte "},
    {.dialect = TextDialect::Tass64,
     .id = "64tass",
     .commentOpen = "; ",
     .alignLine = "\t.align 64, 0",
     .dataOpen = "\t.byte "},
    {.dialect = TextDialect::Xa,
     .id = "xa",
     .commentOpen = "; ",
     .alignLine = "\t.dsb (64 - (* & 63)) & 63, 0",
     .dataOpen = "\t.byt "},
    {.dialect = TextDialect::C,
     .id = "c",
     .commentOpen = "/* ",
     .commentClose = " */",
     .labelOpen = "const unsigned char ",
     .labelClose = "[] = {",
     .spriteClose = "};",
     .dataOpen = "    ",
     .separator = ", ",
     .separatorAfterLast = true,
     .basePrefix = {"0x", "", "0b"}},  // 0b: C23, and GCC, Clang and cc65 before it
    {.dialect = TextDialect::Basic,
     .id = "basic",
     .commentOpen = "rem ",  // lower case: what petcat and an emulator's paste read as keywords
     .labelOpen = "rem ",
     .dataOpen = "data ",
     .basePrefix = {"", "", ""},
     .lineNumbers = true},
}};

const DialectSyntax& Syntax(TextDialect dialect) {
  return *std::find_if(kDialects.begin(), kDialects.end(),
                       [dialect](const DialectSyntax& d) { return d.dialect == dialect; });
}

constexpr int kDefaultBytesPerLine = 8;
constexpr int kBinaryBytesPerLine = kRowBytes;  // one row of a hi-res sprite

// The longest BASIC line prefix, "63999 data ", and the widest value with its comma, "255,".
constexpr int kBasicLinePrefix = 5 + 1 + 5;
constexpr int kBasicValueWidth = 4;
constexpr int kBasicMaxBytesPerLine =
    (kBasicMaxLineLength - kBasicLinePrefix + 1) / kBasicValueWidth;

NumberBase BaseOf(const TextExportOptions& options) {
  if (options.numberBase) return *options.numberBase;
  return options.dialect == TextDialect::Basic ? NumberBase::Decimal : NumberBase::Hex;
}

int BytesPerLineOf(const TextExportOptions& options) {
  if (options.bytesPerLine) return *options.bytesPerLine;
  return BaseOf(options) == NumberBase::Binary ? kBinaryBytesPerLine : kDefaultBytesPerLine;
}

int BytesPerSprite(const TextExportOptions& options) {
  return options.attributes ? kSpriteBytes : kPixelBytes;
}

int BasicLineCount(const TextExportOptions& options, int spriteCount) {
  const int perLine = BytesPerLineOf(options);
  const int dataLines = (BytesPerSprite(options) + perLine - 1) / perLine;
  return (options.colourComment ? 1 : 0) + spriteCount * (1 + dataLines);
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsIdentifierChar(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

std::string FormatByte(std::uint8_t value, NumberBase base, std::string_view prefix) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  std::string text(prefix);
  switch (base) {
    case NumberBase::Hex:
      text += kHexDigits[value >> 4];
      text += kHexDigits[value & 0x0F];
      break;
    case NumberBase::Decimal:
      text += std::to_string(value);
      break;
    case NumberBase::Binary:
      for (int bit = kBitsPerByte - 1; bit >= 0; --bit) text += ((value >> bit) & 1) ? '1' : '0';
      break;
  }
  return text;
}

// Short enough for a BASIC line with the widest colour names: "colours bg 13 light green, ...".
std::string ColourText(const SharedColours& colours) {
  static constexpr std::array<std::string_view, kSharedColourCount> kRoles{"bg", "mc1", "mc2"};
  std::string text = "colours";
  for (int i = 0; i < kSharedColourCount; ++i) {
    const int colour = colours[i] & kColourIndexMask;
    text += i == 0 ? " " : ", ";
    text += kRoles[i];
    text += ' ';
    text += std::to_string(colour);
    text += ' ';
    text += ColourName(colour);
  }
  return text;
}

// Collects lines, numbering them for BASIC.
class Lines {
 public:
  explicit Lines(bool numbered) : numbered_(numbered) {}

  void Add(std::string_view line) {
    if (numbered_) {
      text_ += std::to_string(nextNumber_);
      text_ += ' ';
      nextNumber_ += kBasicLineStep;
    }
    text_ += line;
    text_ += '\n';
  }
  // A blank line between blocks, where it carries no line number.
  void Gap() {
    if (!numbered_ && !text_.empty()) text_ += '\n';
  }
  std::string Take() { return std::move(text_); }

 private:
  bool numbered_;
  int nextNumber_ = kBasicFirstLine;
  std::string text_;
};

// How to link ca65 source: as it is, and with its sprites on a 64-byte boundary.
std::vector<std::string> Ca65LinkerComment(const std::string& segment) {
  const std::string indent = "  ";
  if (segment.empty()) {
    return {"Links as it is: " + std::string(kCa65StockLink) + " (the sprites in CODE).",
            "Each sprite must start on a 64-byte boundary for the VIC-II; linked alone with",
            "this ld65 configuration, they do:",
            indent + "MEMORY { MAIN: file = %O, start = $2000, size = $2000; }",
            indent + "SEGMENTS { CODE: load = MAIN, type = ro; }"};
  }
  return {"Segment " + segment + " starts on a 64-byte boundary: add to the SEGMENTS of the",
          "ld65 configuration (e.g. a copy of c64-asm.cfg) the line",
          indent + segment + ": load = MAIN, type = ro, align = $40;"};
}

}  // namespace

bool IsCa65SegmentName(std::string_view name) {
  const auto letter = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  };
  return !name.empty() && letter(name.front()) &&
         std::ranges::all_of(name, [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

std::string_view DialectId(TextDialect dialect) {
  return Syntax(dialect).id;
}

std::optional<TextDialect> DialectFromId(std::string_view id) {
  for (const DialectSyntax& syntax : kDialects) {
    if (syntax.id == id) return syntax.dialect;
  }
  return std::nullopt;
}

std::string_view NumberBaseId(NumberBase base) {
  switch (base) {
    case NumberBase::Hex:
      return "hex";
    case NumberBase::Decimal:
      return "dec";
    case NumberBase::Binary:
      return "bin";
  }
  return "";
}

std::optional<NumberBase> NumberBaseFromId(std::string_view id) {
  for (NumberBase base : kNumberBases) {
    if (NumberBaseId(base) == id) return base;
  }
  return std::nullopt;
}

std::string TextExportProblem(const TextExportOptions& options, int spriteCount, int firstSprite) {
  if (spriteCount < 1) return "there are no sprites to export";
  if (firstSprite < 0) return "sprite numbers start at 0";
  const std::string& prefix = options.labelPrefix;
  if (prefix.empty() || !IsAsciiLetter(prefix.front()) ||
      !std::all_of(prefix.begin(), prefix.end(), IsIdentifierChar)) {
    return "the label prefix must start with a letter and hold only letters, digits and '_'";
  }
  if (!options.segment.empty()) {
    if (options.dialect != TextDialect::Ca65) return "only ca65 source names a segment";
    if (!IsCa65SegmentName(options.segment)) {
      return "the segment name must start with a letter or '_' and hold only letters, digits "
             "and '_'";
    }
  }
  const int perLine = BytesPerLineOf(options);
  if (options.dialect != TextDialect::Basic) {
    if (perLine < 1 || perLine > kMaxBytesPerLine) {
      return "bytes per line must be from 1 to " + std::to_string(kMaxBytesPerLine);
    }
    return "";
  }
  if (BaseOf(options) != NumberBase::Decimal) return "BASIC DATA lines are decimal only";
  if (perLine < 1 || perLine > kBasicMaxBytesPerLine) {
    return "BASIC DATA lines hold from 1 to " + std::to_string(kBasicMaxBytesPerLine) +
           " bytes, to stay under 80 characters";
  }
  const std::string widestLabel = prefix + std::to_string(firstSprite + spriteCount - 1);
  if (kBasicLinePrefix + static_cast<int>(widestLabel.size()) > kBasicMaxLineLength) {
    return "the label prefix is too long for a BASIC line of under 80 characters";
  }
  const int lastNumber =
      kBasicFirstLine + (BasicLineCount(options, spriteCount) - 1) * kBasicLineStep;
  if (lastNumber > kBasicLastLineNumber) {
    return "the BASIC lines would run past line " + std::to_string(kBasicLastLineNumber) +
           "; put more bytes on a line or export fewer sprites";
  }
  return "";
}

std::string ExportText(std::span<const SpriteRecord> sprites, int firstSprite,
                       const SharedColours& colours, const TextExportOptions& options) {
  const std::string problem =
      TextExportProblem(options, static_cast<int>(sprites.size()), firstSprite);
  if (!problem.empty()) throw std::invalid_argument(problem);

  const DialectSyntax& syntax = Syntax(options.dialect);
  const NumberBase base = BaseOf(options);
  const std::string_view prefix = syntax.basePrefix[static_cast<int>(base)];
  const int perLine = BytesPerLineOf(options);
  const int spriteBytes = BytesPerSprite(options);

  Lines lines(syntax.lineNumbers);
  auto addLine = [&lines](std::string_view a, std::string_view b = "", std::string_view c = "") {
    std::string line(a);
    line += b;
    line += c;
    lines.Add(line);
  };
  if (options.colourComment) addLine(syntax.commentOpen, ColourText(colours), syntax.commentClose);
  const bool ca65 = options.dialect == TextDialect::Ca65;
  if (ca65 && options.attributes) {
    for (const std::string& line : Ca65LinkerComment(options.segment)) addLine("; ", line);
  }
  if (ca65 && !options.segment.empty()) addLine(".segment \"", options.segment, "\"");
  // Aligning the first sprite aligns them all: each is exactly 64 bytes.
  if (options.attributes && !syntax.alignLine.empty() && (!ca65 || !options.segment.empty())) {
    addLine(syntax.alignLine);
  }

  for (std::size_t n = 0; n < sprites.size(); ++n) {
    lines.Gap();
    const std::string label =
        options.labelPrefix + std::to_string(firstSprite + static_cast<int>(n));
    addLine(syntax.labelOpen, label, syntax.labelClose);
    for (int start = 0; start < spriteBytes; start += perLine) {
      const int end = std::min(start + perLine, spriteBytes);
      std::string line(syntax.dataOpen);
      for (int i = start; i < end; ++i) {
        line += FormatByte(sprites[n][i], base, prefix);
        if (i + 1 < end || syntax.separatorAfterLast) line += syntax.separator;
      }
      if (syntax.separatorAfterLast) {
        // Keep no blank at the end of the line.
        while (!line.empty() && line.back() == ' ') line.pop_back();
      }
      lines.Add(line);
    }
    if (!syntax.spriteClose.empty()) addLine(syntax.spriteClose);
  }
  return lines.Take();
}

}  // namespace kelvane
