#include "files/SpriteListing.h"

#include <cstdio>

#include "files/ColourNames.h"
#include "files/OverlayListing.h"
#include "files/PrgFormat.h"
#include "files/PrintableText.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpritePadLayout.h"
#include "model/OverlayPairs.h"

namespace kelvane {
namespace {

std::string Hex(unsigned value, int digits) {
  char text[8];
  std::snprintf(text, sizeof text, "$%0*X", digits, value);
  return text;
}

std::string Colour(int colour) {
  return std::to_string(colour) + " (" + std::string(ColourName(colour)) + ")";
}

std::string Plural(std::size_t n, std::string_view thing) {
  return std::to_string(n) + " " + std::string(thing) + (n == 1 ? "" : "s");
}

std::string SpriteLine(std::size_t n, std::uint8_t attribute) {
  std::string line = "sprite " + std::to_string(n) + ": attribute " + Hex(attribute, 2) + ", " +
                     (IsMultiColour(attribute) ? "multi-colour" : "hi-res") + ", colour " +
                     Colour(SpriteColour(attribute));
  if (attribute & kOverlayFlag) line += ", overlay";
  if (attribute & kExpandXFlag) line += ", expand X";
  if (attribute & kExpandYFlag) line += ", expand Y";
  return line + "\n";
}

// Numbered as --animation picks them: the sprite animations, then those over objects.
std::string AnimationLines(const std::vector<SpriteAnimation>& animations) {
  std::string lines = "animations: " + std::to_string(animations.size()) + "\n";
  for (std::size_t i = 0; i < animations.size(); ++i) {
    const SpriteAnimation& a = animations[i];
    lines += "animation " + std::to_string(i) + (a.overObjects ? ": objects " : ": sprites ") +
             std::to_string(a.first) + "-" + std::to_string(a.last) + ", timer " +
             std::to_string(a.speed) + ", flags " + Hex(a.flags, 2) + "\n";
  }
  return lines;
}

// The blocks after a SpritePad file's records, as its layout finds them in the whole file.
std::string SpritePadLines(const SpriteSet& set) {
  const std::vector<std::uint8_t> bytes = SpritePadFileAgain(set);
  const auto layout = ParseSpritePadLayout(bytes, "");
  if (!layout) return "";

  std::string others;
  for (const SpritePadBlock& block : layout->blocks) {
    if (block.kind == SpritePadBlockKind::SpriteAnimations ||
        block.kind == SpritePadBlockKind::TileAnimations) {
      continue;
    }
    others += (others.empty() ? "also: " : "; ") + block.what;
  }
  return AnimationLines(ReadSpritePadFileAnimations(bytes, *layout)) +
         (others.empty() ? "" : others + "\n");
}

// One line an object: its size and sprites row by row, and its name when it has one.
std::string ObjectLines(const std::vector<SpriteObject>& objects) {
  if (objects.empty()) return "";
  std::string lines = "objects: " + std::to_string(objects.size()) + "\n";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const SpriteObject& object = objects[i];
    lines += "object " + std::to_string(i) + ": " + std::to_string(object.columns) + " x " +
             std::to_string(object.rows) + ", sprites";
    for (const int cell : object.cells) lines += " " + std::to_string(cell);
    // A name steers no terminal: it is shown as the file names are.
    if (!object.name.empty()) lines += ", \"" + Printable(object.name) + "\"";
    lines += "\n";
  }
  return lines;
}

}  // namespace

std::string ListSpriteSet(const SpriteSet& set, std::string_view formatName) {
  std::string text(formatName);
  if (set.format == kSpritePadId) {
    text += set.details.version == kSpritePadHeaderless
                ? ", old headerless layout"
                : ", version " + std::to_string(set.details.version);
  }
  if (set.format == kPrgId && set.details.loadAddress) {
    text += ", load address " + Hex(*set.details.loadAddress, 4);
    if (set.details.version == kPrgShortLastRecord) text += ", last sprite without attribute byte";
  }
  text += ", " + Plural(set.records.size(), "sprite") + "\n";

  if (set.colours) {
    const SharedColours& c = *set.colours;
    text += "colours: background " + Colour(c[0]) + ", multi-colour 1 " + Colour(c[1]) +
            ", multi-colour 2 " + Colour(c[2]) + "\n";
  } else {
    text += "colours: none in the file\n";
  }
  if (set.format == kSpritePadId) text += SpritePadLines(set);
  text += OverlayPairLines(set.records, set.overlayDistance);
  text += ObjectLines(set.objects);
  for (std::size_t n = 0; n < set.records.size(); ++n) {
    text += SpriteLine(n, set.records[n][kAttributeOffset]);
  }
  return text;
}

}  // namespace kelvane
