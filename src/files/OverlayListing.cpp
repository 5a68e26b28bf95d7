#include "files/OverlayListing.h"

#include "model/OverlayPairs.h"

namespace kelvane {

std::string OverlayPairLines(std::span<const SpriteRecord> records, int distance) {
  const std::vector<OverlayPair> pairs = OverlayPairs(records, distance);
  if (pairs.empty()) return "";
  std::string text = "overlay pairs (lower/upper, distance " + std::to_string(distance) + "): ";
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    if (k > 0) text += ", ";
    text += std::to_string(pairs[k].lower) + "/" + std::to_string(pairs[k].upper);
  }
  return text + "\n";
}

}  // namespace kelvane
