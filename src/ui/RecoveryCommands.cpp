// Autosave and crash recovery: the window's side of the recovery folder.
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <ctime>

#include "files/RecoveryFolder.h"
#include "ui/DocumentAutosave.h"
#include "ui/MessageBoxes.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

QString Shown(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

void TForm1::EnableRecovery(const std::string& folder) {
  if (folder.empty() || autosave_) return;
  Result<RecoveryOwner> owner = RecoveryOwner::Claim(folder);
  if (!owner) {
    // The editor works on without it; the user is told once, at start.
    ShowMessage(this, kApplicationTitle,
                QStringLiteral("Unsaved changes cannot be kept for recovery after a crash:\n%1")
                    .arg(QString::fromStdString(Describe(owner.error()))),
                false);
    return;
  }
  recoveryFolder_ = folder;
  autosave_ = std::make_unique<DocumentAutosave>(
      document_, [this] { return KeptNow(); }, std::move(*owner), this);
  autosave_->SetFailureReport([this](const FileError& error) {
    statusBar()->showMessage(QStringLiteral("Unsaved changes could not be kept for recovery: %1")
                                 .arg(QString::fromStdString(Describe(error))));
  });
}

std::string TForm1::RecoveryFilePath() const {
  return autosave_ ? autosave_->FilePath() : std::string();
}

KeptDocument TForm1::KeptNow() const {
  KeptDocument kept;
  kept.path = filePath_;
  kept.title = fileName_.toStdString();
  kept.format = openedFile_.format;
  kept.details = openedFile_.details;
  kept.records = openedFile_.records;
  kept.onDisk = onDisk_;
  kept.bank = document_.Bank();
  kept.colours = document_.Colours();
  kept.animations = document_.Animations();
  kept.objects = document_.Objects();
  kept.overlayDistance = openedFile_.overlayDistance;
  kept.writtenAt = static_cast<std::int64_t>(std::time(nullptr));
  return kept;
}

void TForm1::Recover(const KeptDocument& kept) {
  std::vector<SpriteRecord> records(kSpriteCount);
  for (int n = 0; n < kSpriteCount; ++n) records[n] = kept.bank.Record(n);
  // As Open shows a file: the browser from the top, drawn once in the kept colours.
  ShowSheetFromTheTop();
  {
    const QSignalBlocker quiet(PageControl1);
    PageControl1->setCurrentWidget(TabSheet2);
  }
  document_.Load(records, kept.colours, kept.animations, kept.objects);
  document_.SetOverlayDistance(kept.overlayDistance);
  SetFileFormat({kept.format, kept.details, kept.records, kept.overlayDistance}, kept.onDisk);
  filePath_ = kept.path;
  document_.MarkUnsaved();
  // No file holds the sprites past its records: any drawn there is work "Save" would drop.
  savedBank_ = SpriteBank();
  for (int n = 0; n < std::min(kept.records, kSpriteCount); ++n) {
    savedBank_.SetRecord(n, kept.bank.Record(n));
  }
  SetFileTitle(QString::fromStdString(kept.title));
  DrawStale();
}

void TForm1::OfferRecovery() {
  if (recoveryFolder_.empty()) return;
  for (RecoveryOrphan& orphan : FindOrphans(recoveryFolder_)) {
    const Result<KeptDocument> kept = orphan.Read();
    if (!kept) {
      // Never removed unread: it may still be the only copy of someone's work.
      const Result<std::string> aside = orphan.SetAside();
      ShowMessage(this, kApplicationTitle,
                  QStringLiteral("Kelvane kept unsaved changes that cannot be read:\n%1\n%2")
                      .arg(QString::fromStdString(Describe(kept.error())),
                           aside ? QStringLiteral("The file is kept as %1.").arg(Shown(*aside))
                                 : QStringLiteral("It could not be set aside: %1")
                                       .arg(QString::fromStdString(Describe(aside.error())))),
                  false);
      continue;
    }
    const QString date =
        QLocale().toString(QDateTime::fromSecsSinceEpoch(kept->writtenAt), QLocale::ShortFormat);
    const QString question = QStringLiteral(
                                 "Kelvane kept unsaved changes to %1 from %2. "
                                 "Recover them?")
                                 .arg(QString::fromStdString(kept->title), date);
    switch (AskRecover(this, kApplicationTitle, question)) {
      case RecoverAnswer::Recover:
        // Work recovered before is asked about as any unsaved work is; Cancel keeps this one.
        if (!MaySetAsideWork()) break;
        Recover(*kept);
        // The work is in this window's own recovery file before the old one goes; if it could
        // not be written there, the old one stays for the next start.
        if (autosave_->KeepNow()) orphan.Discard();
        break;
      case RecoverAnswer::Discard:
        orphan.Discard();
        break;
      case RecoverAnswer::Later:
        break;
    }
  }
}

}  // namespace kelvane
