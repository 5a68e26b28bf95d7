#include "files/BankFit.h"

namespace kelvane {

std::optional<FileError> CheckFitsBank(const SpriteSet& set, const std::string& path) {
  if (set.records.size() <= kSpriteCount) return std::nullopt;
  return FileError{path, FileProblem::TooManySprites,
                   "holds " + std::to_string(set.records.size()) + " sprites; the bank takes " +
                       std::to_string(kSpriteCount) + ", so it cannot be opened whole"};
}

}  // namespace kelvane
