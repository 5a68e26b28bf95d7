// New, the Special menu's bank-wide and range commands, and the About box.
#include <QTabWidget>

#include "ui/MessageBoxes.h"
#include "ui/TAboutBox.h"
#include "ui/TForm1.h"
#include "ui/TRangeEditBox.h"

namespace kelvane {
namespace {

constexpr int kAboutOffsetX = 150;
constexpr int kAboutOffsetY = 100;
const QString kCannotUndo = QStringLiteral("Warning : This operation cannot be undone. Proceed?");
const QString kWarning = QStringLiteral("Warning");

}  // namespace

void TForm1::New1Click() {
  // Unsaved work is asked about instead: saved or let go, nothing else is lost.
  if (document_.Modified() ? !MaySetAsideWork()
                           : !AskYesNo(this, QStringLiteral("Confirm"),
                                       QStringLiteral("This will destroy all existing data, "
                                                      "proceed?"))) {
    return;
  }
  // The window's own settings first, so that the new bank is drawn once, as they show it.
  ShowGrid(true);
  PageControl1->setCurrentWidget(TabSheet1);
  ShowSheetFromTheTop();
  SetFileFormat({});
  filePath_.clear();
  document_.New();
  SetFileTitle(kUntitled);
  DrawStale();
}

void TForm1::CopyCurrentSpriteAttributesToAll1Click() {
  const std::uint8_t attribute = document_.CurrentAttribute();  // read before the question
  if (AskOkCancel(this, kWarning, kCannotUndo)) document_.CopyAttributesToAll(attribute);
}

void TForm1::Takeoutblanks1Click() {
  if (AskOkCancel(this, kWarning, kCannotUndo)) document_.RemoveBlanks();
}

void TForm1::CutRange1Click() {
  ShowRangeDialog(true);
}

void TForm1::CopyRange1Click() {
  ShowRangeDialog(false);
}

void TForm1::ShowRangeDialog(bool cut) {
  TRangeEditBox box(this, [this, cut](int from, int to) { document_.TakeRange(from, to, cut); });
  box.exec();
}

void TForm1::PasteRange1Click() {
  document_.PasteRange();
}

void TForm1::About1Click() {
  TAboutBox box(this);
  box.move(x() + kAboutOffsetX, y() + kAboutOffsetY);
  box.exec();
}

}  // namespace kelvane
