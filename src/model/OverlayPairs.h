// Overlay pairs: a sprite whose attribute byte has kOverlayFlag has another sprite drawn over it,
// the one `distance` places further on (1 unless a file says otherwise). Programs that show such
// sprites put the two at the same place, the second over the first, for more colours or a
// sharper outline than one sprite has.
//
// A pair is two sprites. Where the partner has the bit too (a chain), each sprite names only its
// own partner: n shows n + d over it, n + d shows n + 2d over it, and n is never shown with
// n + 2d; so every view shows at most two sprites in one place, as the editor edits them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/C64Format.h"
#include "model/SpriteBank.h"

namespace kelvane {

inline constexpr int kDefaultOverlayDistance = 1;

// The sprite drawn over sprite n, whose attribute byte is attribute, among count sprites: none
// when the bit is clear or the partner would be past the last sprite. A file's distance is taken
// as it stands: one below 1 (a SpritePad header's is a signed 16-bit number) pairs nothing, since
// no rule says which sprite it would lay over which, and any other is never taken for one that
// would pair other sprites.
std::optional<int> OverlayPartner(int n, std::uint8_t attribute, int count, int distance);
std::optional<int> OverlayPartner(const SpriteBank& bank, int n, int distance);

struct OverlayPair {
  int lower = 0;
  int upper = 0;

  bool operator==(const OverlayPair&) const = default;
};

// Every pair among records, by the lower sprite's number.
std::vector<OverlayPair> OverlayPairs(std::span<const SpriteRecord> records, int distance);

// Which sprite of a pair shown in the editor the tools write.
enum class EditLayer { Lower, Upper, ByColour };

// The pen that paints in the upper sprite's own colour while a pair is shown: the four pens of a
// sprite keep their numbers (and their two-bit values), this one comes after them.
inline constexpr std::uint8_t kUpperColourPen = 4;
inline constexpr int kPairPenCount = 5;

// Where a pen paints in a pair, by colour: the pens of the lower sprite write it (and clear the
// upper sprite's pixels over it, so that the chosen colour is what shows), a pen only the upper
// sprite has writes the upper one. The transparent pen writes neither: it clears both.
bool PenWritesUpper(std::uint8_t pen, bool lowerMultiColour);

// Whether the pens panel offers pen: with no pair shown, the shown sprite's pens; with a pair,
// those of the layer edited, or of both sprites by colour.
bool PenOffered(std::uint8_t pen, bool pairShown, EditLayer layer, bool lowerMultiColour,
                bool upperMultiColour);

}  // namespace kelvane
