#include "ui/DialogFolders.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>

namespace kelvane {
namespace {

QString Shown(const std::string& path) {
  return QDir::cleanPath(QFile::decodeName(QByteArray::fromStdString(path)));
}

}  // namespace

void DialogFolders::Remember(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  file_ = failed ? path : absolute.string();
  folder_ = QFileInfo(Shown(file_)).absolutePath();
}

void DialogFolders::Used(const QString& chosen) {
  folder_ = QFileInfo(chosen).absolutePath();
}

QString DialogFolders::FolderToStartIn(const QString& folder) const {
  return folder.isEmpty() ? QDir::currentPath() : folder;
}

void DialogFolders::PrepareOpen(QFileDialog& dialog) const {
  dialog.setDirectory(FolderToStartIn(folder_));
}

void DialogFolders::PrepareSave(QFileDialog& dialog, const QString& proposedName) const {
  dialog.setDirectory(SaveFolder());
  dialog.selectFile(proposedName);
}

QString DialogFolders::SaveFolder() const {
  return FolderToStartIn(file_.empty() ? folder_ : QFileInfo(Shown(file_)).absolutePath());
}

std::string DialogFolders::LocalPathOf(const QString& chosen) const {
  if (!file_.empty() && QDir::cleanPath(chosen) == Shown(file_)) return file_;
  return QFile::encodeName(chosen).toStdString();
}

}  // namespace kelvane
