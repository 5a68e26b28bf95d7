// The File menu: opening and saving sprite files, the title, and the text export.
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUrl>

#include "files/FileName.h"
#include "files/SpriteSets.h"
#include "files/TextData.h"
#include "ui/FileMessages.h"
#include "ui/MessageBoxes.h"
#include "ui/Mnemonics.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kFirst16Bytes = 16 * kSpriteBytes;
constexpr int kFirst32Bytes = 32 * kSpriteBytes;
constexpr int kFirst64Bytes = 64 * kSpriteBytes;
constexpr int kFirst128Bytes = 128 * kSpriteBytes;

QString NameOf(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(FileNameOf(path)));
}

}  // namespace

void TForm1::File1Click() {
  Specify1->setText(
      WithMnemonicOf(Specify1->text(),
                     QStringLiteral("Up to Current (%1)...").arg(document_.CurrentSprite() + 1)));
}

void TForm1::Open1Click() {
  QFileDialog& dialog = OpenDialog();
  dialogFolders_.PrepareOpen(dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  dialogFolders_.Used(chosen.front());
  LoadSpriteFile(dialogFolders_.LocalPathOf(chosen.front()));
}

void TForm1::LoadSpriteFile(const std::string& path) {
  // The file is read whole, sidecar included, before anything changes: a failure changes nothing.
  const Result<SpriteSet> set = ReadSpriteSet(SpriteFormats(), path);
  if (!set) {
    ShowFileError(this, set.error());
    return;
  }
  dialogFolders_.Remember(path);
  SetFileTitle(NameOf(path));
  // The view settles first and the document's one change then draws editor and sheet once,
  // in the file's colours.
  ShowSheetFromTheTop();
  {
    const QSignalBlocker quiet(PageControl1);
    PageControl1->setCurrentWidget(TabSheet2);
  }
  document_.Load(set->records, set->colours);
  DrawStale();
}

void TForm1::SaveSpriteFile(int byteCount) {
  QFileDialog& dialog = SaveDialog();
  dialogFolders_.PrepareSave(dialog, fileName_);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  dialogFolders_.Used(chosen.front());
  const std::string path = dialogFolders_.LocalPathOf(chosen.front());
  const SpriteFormat& format = SpriteFormats().WriterFor(
      static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
  if (const auto error =
          SaveSpriteSet(format, SpriteSetOf(document_, byteCount / kSpriteBytes), path)) {
    ShowSaveError(this, *error);
    return;
  }
  dialogFolders_.Remember(path);
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
  SaveSpriteFile(kSpriteBytes * (document_.CurrentSprite() + 1));
}
void TForm1::SaveAll1Click() {
  SaveSpriteFile(kBankBytes);
}

void TForm1::Viewtextdata1Click() {
  if (!textData_ || textData_->Write(SpriteTextData(document_.Current()))) {
    ShowMessage(this, QString(), QStringLiteral("Failed to create temp file"), false);
    return;
  }
  // Whether a viewer started is not the editor's business; when no program could even be asked,
  // the user is told where the file is, to open it by hand.
  if (!fileOpener_(QUrl::fromLocalFile(TextDataPath()))) {
    ShowMessage(this, QStringLiteral("View Text Data"),
                QStringLiteral("No program could be asked to open the text data.\n"
                               "The file is %1")
                    .arg(QDir::toNativeSeparators(TextDataPath())),
                false);
  }
}

QString TForm1::TextDataPath() const {
  return textData_ ? QFile::decodeName(QByteArray::fromStdString(textData_->FilePath()))
                   : QString();
}

}  // namespace kelvane
