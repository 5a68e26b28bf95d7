// File > Open Recent: the files last opened or saved, to open again in one step.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <filesystem>
#include <system_error>

#include "ui/TForm1.h"

namespace kelvane {

void TForm1::BuildRecentMenu() {
  OpenRecent1 = new QMenu(QStringLiteral("Open Recent"), File1);
  OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
  File1->insertMenu(ImportPNG1, OpenRecent1);
  // The window's own, so that emptying the menu keeps it.
  ClearList1 = new QAction(QStringLiteral("&Clear List"), this);
  ClearList1->setObjectName(QStringLiteral("ClearList1"));
  connect(ClearList1, &QAction::triggered, this, &TForm1::ClearList1Click);
  ShowRecentFiles();
}

void TForm1::ShowRecentFiles() {
  // Later, not now: the entry chosen is still running when opening its file lists it again.
  for (QAction* old : OpenRecent1->actions()) {
    OpenRecent1->removeAction(old);
    if (old != ClearList1) old->deleteLater();
  }
  for (const std::string& path : recentFiles_.Paths()) {
    QAction* entry = OpenRecent1->addAction(RecentCaption(path));
    entry->setStatusTip(QFile::decodeName(QByteArray::fromStdString(path)));
    connect(entry, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  if (!recentFiles_.Paths().empty()) {
    OpenRecent1->addSeparator();
    OpenRecent1->addAction(ClearList1);
  }
  OpenRecent1->menuAction()->setEnabled(!recentFiles_.Paths().empty());
}

void TForm1::NoteFile(const std::string& path) {
  dialogFolders_.Remember(path);
  recentFiles_.Add(path);
  ShowRecentFiles();
  SaveSettings();
}

void TForm1::OpenRecentFile(const std::string& path) {
  if (!MaySetAsideWork()) return;
  const std::string file = path;  // the entry's own goes with the entry
  LoadSpriteFile(file);
  std::error_code unknown;
  // Only a file known to be gone leaves the list: one on a folder that cannot be read now stays.
  if (!std::filesystem::exists(file, unknown) && !unknown) {
    recentFiles_.Remove(file);
    ShowRecentFiles();
    SaveSettings();
  }
}

void TForm1::ClearList1Click() {
  recentFiles_.Clear();
  ShowRecentFiles();
  SaveSettings();
}

}  // namespace kelvane
