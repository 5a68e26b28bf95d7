// Files dropped on the main window: the first opens exactly as through Open, and the status bar
// says when others were left.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "ui/TForm1.h"

namespace kelvane {
namespace {

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  if (!MaySetAsideWork()) return;
  LoadSpriteFile(dialogFolders_.LocalPathOf(files.front()));
  if (files.size() > 1) {
    statusBar()->showMessage(QStringLiteral("Opened only the first of %1 dropped files: %2")
                                 .arg(files.size())
                                 .arg(files.front()));
  }
}

}  // namespace kelvane
