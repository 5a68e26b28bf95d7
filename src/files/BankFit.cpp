#include "files/BankFit.h"

#include "files/SprFormat.h"

namespace kelvane {

std::optional<FileError> CheckFitsBank(const SpriteSet& set, const std::string& path) {
  if (set.records.size() <= kSpriteCount) return std::nullopt;
  // A sprite file has always been refused by its size past one bank.
  if (set.format == kSprId) return FileError{path, FileProblem::Size, kInvalidFileSizeReason};
  return FileError{path, FileProblem::TooManySprites,
                   "holds " + std::to_string(set.records.size()) + " sprites; the bank takes " +
                       std::to_string(kSpriteCount) + ", so it cannot be opened whole"};
}

std::optional<FileError> CheckHoldsSprites(const SpriteSet& set, const std::string& path) {
  if (!set.records.empty()) return std::nullopt;
  return FileError{path, FileProblem::Format, "holds no sprites"};
}

}  // namespace kelvane
