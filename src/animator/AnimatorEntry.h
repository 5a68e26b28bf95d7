#pragma once

namespace kelvane {

class TForm1;

// Makes Tools > "Animator..." of the main window open the Animator.
void InstallAnimator(TForm1& form);

}  // namespace kelvane
