#include "model/OverlayPairs.h"

#include "model/EditorState.h"

namespace kelvane {

std::optional<int> OverlayPartner(int n, std::uint8_t attribute, int count, int distance) {
  if ((attribute & kOverlayFlag) == 0 || distance < 1) return std::nullopt;
  const long long partner = static_cast<long long>(n) + distance;
  if (partner >= count) return std::nullopt;
  return static_cast<int>(partner);
}

std::optional<int> OverlayPartner(const SpriteBank& bank, int n, int distance) {
  return OverlayPartner(n, bank.Attribute(n), kSpriteCount, distance);
}

std::vector<OverlayPair> OverlayPairs(std::span<const SpriteRecord> records, int distance) {
  std::vector<OverlayPair> pairs;
  const int count = static_cast<int>(records.size());
  for (int n = 0; n < count; ++n) {
    if (const auto upper = OverlayPartner(n, records[n][kAttributeOffset], count, distance)) {
      pairs.push_back({n, *upper});
    }
  }
  return pairs;
}

bool PenWritesUpper(std::uint8_t pen, bool lowerMultiColour) {
  if (pen == kUpperColourPen) return true;
  // The multi-colour pens are the lower sprite's when it has them, else only the upper's.
  return (pen == kMultiColour1Pen || pen == kMultiColour2Pen) && !lowerMultiColour;
}

bool PenOffered(std::uint8_t pen, bool pairShown, EditLayer layer, bool lowerMultiColour,
                bool upperMultiColour) {
  if (!pairShown) layer = EditLayer::Lower;
  switch (pen) {
    case kTransparentPen:
      return true;
    case kSpriteColourPen:
      return layer != EditLayer::Upper;
    case kUpperColourPen:
      return layer != EditLayer::Lower;
    case kMultiColour1Pen:
    case kMultiColour2Pen:
      return (layer != EditLayer::Upper && lowerMultiColour) ||
             (pairShown && layer != EditLayer::Lower && upperMultiColour);
    default:
      return false;
  }
}

}  // namespace kelvane
