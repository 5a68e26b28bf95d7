// Temporary files a save left behind when it was killed between naming a copy and renaming it
// into place. Each save holds an exclusive flock on its temporary from before the file has a
// name until it is gone, so one that can be locked has no writer left.
#pragma once

#include <string_view>

namespace kelvane {

// The form PendingFile names its temporary copies: ".kelvane-" and six letters or digits.
// Backups (the same with '~' after) are never taken for one.
bool IsTemporaryName(std::string_view name);

// Removes from the open folder each temporary copy whose writer is gone. Only for a folder that
// is the program's own, where no user file can bear such a name. A copy another save
// still holds, a backup (it may be the only whole copy of a file rewritten in place), and
// anything that cannot be opened or locked are left alone.
void RemoveAbandonedTemporaries(int folder);

}  // namespace kelvane
