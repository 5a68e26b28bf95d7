// The File menu: opening and saving sprite files, the title, and the text export.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "files/BankFit.h"
#include "files/FileName.h"
#include "files/SafeFiles.h"
#include "files/SprFormat.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"
#include "files/TextData.h"
#include "render/PngImport.h"
#include "ui/FileMessages.h"
#include "ui/MessageBoxes.h"
#include "ui/Mnemonics.h"
#include "ui/SpriteFileDialogs.h"
#include "ui/TExportDialog.h"
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
  if (!MaySetAsideWork()) return;
  QFileDialog& dialog = OpenDialog();
  dialogFolders_.PrepareOpen(dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  dialogFolders_.Used(chosen.front());
  LoadSpriteFile(dialogFolders_.LocalPathOf(chosen.front()));
}

void TForm1::LoadSpriteFile(const std::string& path) {
  // Taken before the read: a file that changes while it is read then differs from it, and the
  // next save asks.
  std::optional<FileStamp> onDisk = StampOf(path);
  // The file is read whole, sidecar included, before anything changes: a failure changes nothing.
  const FormatRegistry& formats = SpriteFormats();
  Result<FileImage> file = ReadWholeFile(path, std::max(formats.MaxFileBytes(), kMaxPngFileBytes));
  // A sprite sheet is known by its content, whatever its name, and comes in as Import PNG takes it.
  if (file && HasPngSignature(file->bytes)) {
    ImportPngFile(*file);
    return;
  }
  const Result<SpriteSet> set =
      file ? ReadSpriteFile(formats, *file, {kPngSheetFilter}) : Result<SpriteSet>(file.error());
  if (!ApplySpriteSet(set, path)) return;
  NoteFile(path);
  SetFileFormat(
      {set->format, set->details, static_cast<int>(set->records.size()), set->overlayDistance},
      std::move(onDisk));
  filePath_ = path;
  SetFileTitle(NameOf(path));
  DrawStale();
}

void TForm1::ImportPNG1Click() {
  if (!MaySetAsideWork()) return;
  QFileDialog& dialog = ImportDialog();
  dialogFolders_.PrepareOpen(dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return;
  dialogFolders_.Used(chosen.front());
  const std::string path = dialogFolders_.LocalPathOf(chosen.front());
  const Result<FileImage> file = ReadWholeFile(path, kMaxPngFileBytes);
  if (!file) {
    ShowFileError(this, file.error());
    return;
  }
  ImportPngFile(*file);
}

void TForm1::ImportPngFile(const FileImage& file) {
  const std::string& path = file.path;
  // The sheet is read in the colours the bank shows now.
  const Result<SpriteSet> set = ImportPng(file, {document_.Colours(), std::nullopt});
  if (!ApplySpriteSet(set, path)) return;
  // The sprites are new work: saved, they become a sprite file named after the picture.
  NoteFile(path);
  SetFileFormat({});
  filePath_.clear();
  document_.MarkUnsaved();
  SetFileTitle(QFileInfo(NameOf(path)).completeBaseName() + QStringLiteral(".spr"));
  DrawStale();
}

bool TForm1::ApplySpriteSet(const Result<SpriteSet>& set, const std::string& path) {
  std::optional<FileError> error;
  if (!set) error = set.error();
  // A file larger than the bank is refused whole, so a later save cannot drop what did not fit.
  if (!error) error = CheckFitsBank(*set, path);
  // An empty sprite file opens for its sidecar's colours, as it always has; any other file
  // without a sprite has nothing to open.
  if (!error && set->format != kSprId) error = CheckHoldsSprites(*set, path);
  if (error) {
    ShowFileError(this, *error);
    return false;
  }
  // The view settles first and the document's one change then draws editor and sheet once,
  // in the file's colours.
  ShowSheetFromTheTop();
  {
    const QSignalBlocker quiet(PageControl1);
    PageControl1->setCurrentWidget(TabSheet2);
  }
  document_.Load(set->records, set->colours, SpritePadAnimationsOf(*set), set->objects);
  document_.SetOverlayDistance(set->overlayDistance);
  savedAnimations_ = document_.Animations();
  savedBank_ = document_.Bank();
  return true;
}

void TForm1::SetFileFormat(OpenedFile file, std::optional<FileStamp> onDisk) {
  openedFile_ = std::move(file);
  onDisk_ = std::move(onDisk);
}

bool TForm1::SaveSpriteFile(int byteCount) {
  QFileDialog& dialog = SaveDialog();
  // The filter first: choosing one gives the proposed name that filter's extension.
  ProposeFormat(&dialog, SpriteFormats(), openedFile_.format);
  dialogFolders_.PrepareSave(dialog, fileName_);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  dialogFolders_.Used(chosen.front());
  const std::string path = dialogFolders_.LocalPathOf(chosen.front());
  const int count = byteCount / kSpriteBytes;
  const SpriteFormat& format =
      SpriteFormats().WriterThatReopens(ChosenFormat(&dialog, SpriteFormats(), openedFile_.format),
                                        SpriteSetOf(document_, count), path);
  return WriteSpriteFile(path, format, count);
}

bool TForm1::WriteSpriteFile(const std::string& path, const SpriteFormat& format, int count) {
  SpriteSet set = SpriteSetOf(document_, count);
  set.overlayDistance = openedFile_.overlayDistance;
  set.animations = document_.Animations();
  // Saved in its own format, a file keeps what it held beyond the records.
  if (format.Id() == openedFile_.format) {
    set.format = openedFile_.format;
    set.details = openedFile_.details;
  }
  // Objects a format leaves out without a word of its own: one question offers a SpritePad file.
  if (format.Id() != kSpritePadId && !set.objects.empty() && LeftOut(format, set).isEmpty()) {
    switch (AskObjectsOnlyInSpritePad(path)) {
      case ObjectsAnswer::SpritePad:
        return WriteSpritePadInstead(path, count);
      case ObjectsAnswer::Cancel:
        return false;
      case ObjectsAnswer::Without:
        break;
    }
  }
  // Then whatever else the format leaves out, animations included: each question names its own.
  if (!AskToLeaveOut(format, set, path)) return false;
  std::optional<FileStamp> saved;
  ReplaceCheck check{onDisk_ ? &*onDisk_ : nullptr, &saved};
  auto error = SaveSpriteSet(format, set, path, check);
  // Another window or program has saved the file since this one read or wrote it.
  if (error && error->problem == FileProblem::Changed) {
    if (!AskOverwrite(this, QStringLiteral("Confirm"),
                      QStringLiteral("%1 has changed on disk since it was opened or saved.\n"
                                     "Overwrite it?")
                          .arg(NameOf(path)))) {
      return false;
    }
    check.lastSeen = nullptr;
    error = SaveSpriteSet(format, set, path, check);
  }
  if (error) {
    ShowSaveError(this, *error);
    return false;
  }
  NoteFile(path);
  SetFileFormat({std::string(format.Id()), set.details, static_cast<int>(set.records.size()),
                 set.overlayDistance},
                std::move(saved));
  filePath_ = path;
  document_.MarkSaved();
  savedAnimations_ = document_.Animations();
  savedBank_ = document_.Bank();
  SetFileTitle(NameOf(path));
  return true;
}

void TForm1::SaveFile1Click() {
  SaveToFile();
}

bool TForm1::SaveToFile() {
  const SpriteFormat* format = SpriteFormats().Find(openedFile_.format);
  // A file of no sprites (an empty .spr opened for its colours) has no count to keep.
  if (filePath_.empty() || format == nullptr || openedFile_.records == 0) {
    return SaveSpriteFile(kBankBytes);
  }
  // Work on sprites past the file's own would be dropped: the user decides, as for anything else
  // a save leaves out. Once saved without it, it is asked about again only when it changes.
  if (const auto past = FirstChangedPast(document_.Bank(), savedBank_, openedFile_.records)) {
    const int held = openedFile_.records;
    // One arg() of all four, so that a % in the file's name is never taken for a place.
    const QString question =
        QStringLiteral(
            "Sprite %1 has changed, but %2 holds %3 %4: the changes past them are not "
            "saved in it.\nSave without them? (Save... saves more sprites.)")
            .arg(QString::number(*past), NameOf(filePath_), QString::number(held),
                 held == 1 ? QStringLiteral("sprite") : QStringLiteral("sprites"));
    if (!AskOkCancel(this, QStringLiteral("Save"), question)) return false;
  }
  return WriteSpriteFile(filePath_, *format, openedFile_.records);
}

bool TForm1::MaySetAsideWork() {
  if (!document_.Modified()) return true;
  switch (AskSaveChanges(this, kApplicationTitle, fileName_)) {
    case SaveAnswer::Save:
      return SaveToFile();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      return false;
  }
  return false;
}

QStringList TForm1::LeftOut(const SpriteFormat& format, const SpriteSet& sprites) const {
  // What the opened file held beyond its records, seen by the format it is being saved in.
  SpriteSet opened{openedFile_.format,  sprites.records, sprites.colours,
                   openedFile_.details, sprites.objects, sprites.overlayDistance};
  opened.records.resize(static_cast<std::size_t>(openedFile_.records));
  QStringList lost;
  for (const std::string& what : format.LeavesOut(opened)) lost << QString::fromStdString(what);
  return lost;
}

bool TForm1::AskToLeaveOut(const SpriteFormat& format, const SpriteSet& sprites,
                           const std::string& path) {
  QStringList lost = LeftOut(format, sprites);
  // Animations made or changed since the last open or save are kept only in a SpritePad file;
  // those of the opened file go as its other blocks go.
  if (format.Id() != kSpritePadId && !document_.Animations().empty() &&
      document_.Animations() != savedAnimations_) {
    lost << QStringLiteral("animations");
  }
  if (lost.isEmpty()) return true;
  return AskOkCancel(this, QStringLiteral("Save"),
                     QStringLiteral("%1 cannot hold the %2 of this file: they are not saved in "
                                    "%3.\nSave without them?")
                         .arg(QString::fromUtf8(format.Name().data(),
                                                static_cast<qsizetype>(format.Name().size())),
                              lost.join(QStringLiteral(" and ")), NameOf(path)));
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

void TForm1::Export1Click() {
  // A first export is named after the sprite file, in the folder a save would go to.
  const QString stem =
      QDir(dialogFolders_.SaveFolder()).filePath(QFileInfo(fileName_).completeBaseName());
  TExportDialog dialog(this, document_, openedFile_, exportChoices_, stem);
  if (dialog.exec() == QDialog::Accepted) exportChoices_ = dialog.Choices();
}

void TForm1::Viewtextdata1Click() {
  if (!textData_ || textData_->Write(SpriteTextData(document_.Current()))) {
    ShowMessage(this, QString(), QStringLiteral("Failed to create temp file"), false);
    return;
  }
  // When no program could be asked, or the desktop's opener found none for the file, the user is
  // told where the file is, to open it by hand.
  if (!fileOpener_(QUrl::fromLocalFile(TextDataPath()))) TellWhereTheTextDataIs();
}

void TForm1::TellWhereTheTextDataIs() {
  ShowMessage(this, QStringLiteral("View Text Data"),
              QStringLiteral("No program could be started to open the text data.\n"
                             "The file is %1")
                  .arg(QDir::toNativeSeparators(TextDataPath())),
              false);
}

QString TForm1::TextDataPath() const {
  return textData_ ? QFile::decodeName(QByteArray::fromStdString(textData_->FilePath()))
                   : QString();
}

}  // namespace kelvane
