// Sprites as source text for the assemblers, C compilers and BASIC that C64 programmers use.
// The export dialog and the converter both write through ExportText, so they agree byte for byte.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/SpriteFormat.h"
#include "model/SpriteBank.h"

namespace kelvane {

enum class TextDialect { Acme, Ca65, KickAssembler, Tass64, Xa, C, Basic };
inline constexpr std::array<TextDialect, 7> kTextDialects{
    TextDialect::Acme, TextDialect::Ca65, TextDialect::KickAssembler, TextDialect::Tass64,
    TextDialect::Xa,   TextDialect::C,    TextDialect::Basic};

enum class NumberBase { Hex, Decimal, Binary };
inline constexpr std::array<NumberBase, 3> kNumberBases{NumberBase::Hex, NumberBase::Decimal,
                                                        NumberBase::Binary};

// The names the converter's --to and --number-base take: "acme", "ca65", "kickass", "64tass",
// "xa", "c", "basic"; "hex", "dec", "bin".
std::string_view DialectId(TextDialect dialect);
std::optional<TextDialect> DialectFromId(std::string_view id);
std::string_view NumberBaseId(NumberBase base);
std::optional<NumberBase> NumberBaseFromId(std::string_view id);

// ca65 source names no segment unless asked, so it links as it is with the stock configuration
// (cl65 -t c64 -C c64-asm.cfg), its sprites in CODE wherever that puts them. Its opening comment
// gives the linker configuration lines that place them on a 64-byte boundary. A named segment
// starts with .align 64, which its configuration line honours with align = $40.
inline constexpr std::string_view kCa65StockLink = "cl65 -t c64 -C c64-asm.cfg";

// BASIC line numbers: the first line and the step, and the largest number BASIC V2 accepts.
inline constexpr int kBasicFirstLine = 1000;
inline constexpr int kBasicLineStep = 10;
inline constexpr int kBasicLastLineNumber = 63999;
// The screen editor takes a logical line of at most 80 characters; stay under it.
inline constexpr int kBasicMaxLineLength = 79;

inline constexpr int kMaxBytesPerLine = kSpriteBytes;  // a line never runs into the next sprite

struct TextExportOptions {
  TextDialect dialect = TextDialect::Acme;
  // One label per sprite: the prefix followed by the sprite's number in the bank.
  std::string labelPrefix = "sprite_";
  // Absent: the dialect's own, hexadecimal (BASIC: decimal, the only base DATA reads).
  std::optional<NumberBase> numberBase{};
  // Absent: 3 in binary, so every line is one row of a hi-res picture; 8 otherwise. Lines
  // restart at every sprite, so with 3 a line the attribute byte stands alone after row 21.
  std::optional<int> bytesPerLine{};
  // All 64 bytes, preceded once by an alignment to the next 64-byte boundary, so every label
  // is an address the VIC-II can fetch from. Without them 63 bytes a sprite, packed, unaligned.
  bool attributes = true;
  bool colourComment = true;  // the first line names background, multi-colour 1 and 2
  // ca65 only: the segment the sprites go in; "" leaves them in whatever segment is current.
  std::string segment{};
};

// Whether name is a segment name ca65 takes: a letter or '_', then letters, digits or '_'.
bool IsCa65SegmentName(std::string_view name);

// Why these options cannot export spriteCount sprites numbered from firstSprite, or "" when
// they can. The window and the converter ask this first and report it as a usage error.
std::string TextExportProblem(const TextExportOptions& options, int spriteCount, int firstSprite);

// The text of sprites (numbered from firstSprite in the labels) in the chosen dialect.
// ASSUMPTION: TextExportProblem is empty for these arguments; otherwise std::invalid_argument.
std::string ExportText(std::span<const SpriteRecord> sprites, int firstSprite,
                       const SharedColours& colours, const TextExportOptions& options);

}  // namespace kelvane
