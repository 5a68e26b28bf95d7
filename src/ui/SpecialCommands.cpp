// New, the Special menu's bank-wide and range commands, and the About box.
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include "model/BankOperations.h"
#include "model/ClipboardOperations.h"
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
  if (!AskYesNo(this, QStringLiteral("Confirm"),
                QStringLiteral("This will destroy all existing data, proceed?"))) {
    return;
  }
  ResetForNewBank(model_);
  ColourSwatches();
  RadioButton2->setChecked(true);
  snapshotArmed_ = true;
  UpdateUndoButton();
  GridToggle->setChecked(true);
  UpperSet->setChecked(false);
  MCToggle->setChecked(true);
  PageControl1->setCurrentWidget(TabSheet1);
  ScrollBar1->setValue(0);
  ScrollBar2->setValue(0);
  ScrollBar3->setValue(0);
  SetFileTitle(kUntitled);
  RefreshEditor();
  DrawBrowserSheet();
}

void TForm1::CopyCurrentSpriteAttributesToAll1Click() {
  const std::uint8_t attribute = model_.CurrentAttribute();  // read before the question
  if (!AskOkCancel(this, kWarning, kCannotUndo)) return;
  CopyAttributesToAll(model_, attribute);
  RefreshEditor();
  DrawBrowserSheet();
}

void TForm1::Takeoutblanks1Click() {
  if (!AskOkCancel(this, kWarning, kCannotUndo)) return;
  RemoveBlanks(model_);
  RefreshEditor();
  DrawBrowserSheet();
}

void TForm1::CutRange1Click() {
  model_.range.RangeCutMode = true;
  ShowRangeDialog();
}

void TForm1::CopyRange1Click() {
  model_.range.RangeCutMode = false;
  ShowRangeDialog();
}

void TForm1::ShowRangeDialog() {
  TRangeEditBox box(this, [this](int from, int to) { RangeChosen(from, to); });
  box.exec();
}

void TForm1::RangeChosen(int from, int to) {
  TakeRange(model_, from, to, model_.range.RangeCutMode);
  RefreshEditor();
  DrawBrowserSheet();
  PasteRange1->setEnabled(true);
}

void TForm1::PasteRange1Click() {
  PasteRangeAtCurrent(model_);
  RefreshEditor();
  DrawBrowserSheet();
}

void TForm1::About1Click() {
  TAboutBox box(this);
  box.move(x() + kAboutOffsetX, y() + kAboutOffsetY);
  box.exec();
}

}  // namespace kelvane
