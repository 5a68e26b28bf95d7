#include "animator/AnimatorEntry.h"

#include "ui/TForm1.h"

namespace kelvane {

void InstallAnimator(TForm1&) {}

}  // namespace kelvane
