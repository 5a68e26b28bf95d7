// The File menu: opening and saving sprite files, the title, and the text export.
#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QScrollBar>
#include <QTabWidget>
#include <QUrl>

#include "files/FileName.h"
#include "files/SpriteFile.h"
#include "files/TextData.h"
#include "ui/MessageBoxes.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kFirst16Bytes = 16 * kSpriteBytes;
constexpr int kFirst32Bytes = 32 * kSpriteBytes;
constexpr int kFirst64Bytes = 64 * kSpriteBytes;
constexpr int kFirst128Bytes = 128 * kSpriteBytes;
const QString kFileErrorCaption = QStringLiteral("File Error");

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString NameOf(const QString& path) {
  return QFile::decodeName(QByteArray::fromStdString(FileNameOf(LocalPath(path))));
}

}  // namespace

void TForm1::File1Click() {
  Specify1->setText(QStringLiteral("Up to Current (%1)...").arg(model_.state.CurrentSprite + 1));
}

void TForm1::Open1Click() {
  if (OpenDialog1->exec() != QDialog::Accepted) return;
  const QStringList chosen = OpenDialog1->selectedFiles();
  if (!chosen.isEmpty()) LoadSpriteFile(chosen.front());
}

void TForm1::LoadSpriteFile(const QString& path) {
  // The whole file is read before the bank is touched, so a failed read changes nothing.
  const auto records = ReadSpriteFile(LocalPath(path));
  if (!records) {
    ShowMessage(this, kFileErrorCaption, QStringLiteral("Invalid file size"), true);
    return;
  }
  ApplySpriteFile(model_.bank, *records);
  // Other sprites now sit in the slot on display: its history no longer applies.
  EmptyUndoStack();
  ResetViewAfterLoad();
  SetFileTitle(NameOf(path));
  if (const auto sidecar = ReadSidecar(LocalPath(path))) {
    ApplySidecar(model_.state, *sidecar);
    ColourSwatches();
  }
  DrawBrowserSheet();
  RefreshEditor();
  PageControl1->setCurrentWidget(TabSheet2);
}

void TForm1::ResetViewAfterLoad() {
  model_.state.CurrentSprite = 0;
  model_.state.UpperHalf = false;
  UpperSet->setChecked(false);
  ScrollBar1->setValue(0);
  ScrollBar2->setValue(0);
  ScrollBar3->setValue(0);
}

void TForm1::SaveSpriteFile(int byteCount) {
  if (SaveDialog1->exec() != QDialog::Accepted) return;
  const QStringList chosen = SaveDialog1->selectedFiles();
  if (chosen.isEmpty()) return;
  const QString path = chosen.front();
  if (const auto error =
          kelvane::SaveSpriteFile(LocalPath(path), model_.bank, byteCount, model_.state)) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(error->file));
    ShowMessage(
        this, kFileErrorCaption,
        QStringLiteral("Could not save %1:\n%2").arg(file, QString::fromStdString(error->reason)),
        false);
    SaveDialog1->selectFile(fileName_);
    return;
  }
  SetFileTitle(NameOf(path));
}

void TForm1::First161k1Click() {
  SaveSpriteFile(kFirst16Bytes);
}
void TForm1::First322k1Click() {
  SaveSpriteFile(kFirst32Bytes);
}
void TForm1::First644k1Click() {
  SaveSpriteFile(kFirst64Bytes);
}
void TForm1::First1281Click() {
  SaveSpriteFile(kFirst128Bytes);
}
void TForm1::Specify1Click() {
  SaveSpriteFile(kSpriteBytes * (model_.state.CurrentSprite + 1));
}
void TForm1::SaveAll1Click() {
  SaveSpriteFile(kBankBytes);
}

void TForm1::Viewtextdata1Click() {
  if (textDataPath_.isEmpty() ||
      !WriteTextDataFile(LocalPath(textDataPath_), SpriteTextData(model_.Current()))) {
    ShowMessage(this, QString(), QStringLiteral("Failed to create temp file"), false);
    return;
  }
  // Whether a viewer started is not the editor's business.
  QDesktopServices::openUrl(QUrl::fromLocalFile(textDataPath_));
}

}  // namespace kelvane
