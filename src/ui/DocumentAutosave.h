// Keeps a window's unsaved document in its recovery file: half a second after the first change
// not yet kept, a copy is taken here, on the thread that edits, and written on the writer's own,
// so a document edited without a pause is still kept at least that often and the last change is
// on disk within a second. Once nothing is unsaved (saved, undone to the file, replaced by
// another file or a new bank) the file goes.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "files/RecoveryWriter.h"
#include "model/SpriteDocument.h"

namespace kelvane {

inline constexpr int kAutosaveDelayMs = 500;

class DocumentAutosave : public QObject {
 public:
  // keep: the document as the recovery file holds it, taken from the window when it is kept.
  DocumentAutosave(SpriteDocument& document, std::function<KeptDocument()> keep,
                   RecoveryOwner owner, QObject* parent = nullptr);
  ~DocumentAutosave() override;

  // Keeps the document now, when it has unsaved changes, and waits until it is on disk; false
  // when it could not be written.
  bool KeepNow();
  // Removes the file whatever the document holds (its work was let go), and waits.
  void Forget();
  const std::string& FilePath() const { return writer_.FilePath(); }
  // Told, on this thread, of a write that failed (a full disk), once until one succeeds again.
  void SetFailureReport(std::function<void(const FileError&)> report) {
    report_ = std::move(report);
  }

 private:
  void DocumentChanged(const DocumentChange& change);
  void Keep();
  void Reported(const std::optional<FileError>& error);

  SpriteDocument& document_;
  std::function<KeptDocument()> keep_;
  std::function<void(const FileError&)> report_;
  std::optional<FileError> reported_;
  RecoveryWriter writer_;
  QTimer timer_;
  bool kept_ = false;  // a recovery file has been asked for since the last removal
  SpriteDocument::ListenerId listener_;
};

}  // namespace kelvane
