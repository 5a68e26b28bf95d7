#include "animator/AnimatorEntry.h"

#include "animator/TForm2.h"
#include "ui/TForm1.h"

namespace kelvane {

void InstallAnimator(TForm1& form) {
  // A fresh window at each opening, so every opening starts from the design values.
  form.SetAnimatorOpener([](TForm1& owner) {
    TForm2 form2(owner);
    form2.FormCreate();
    form2.exec();
  });
}

}  // namespace kelvane
