// Where the file dialogs start and what the save dialog proposes. A save goes where the user's
// file is: the save dialog opens in the folder of the file last loaded or saved, with that file
// proposed; the open dialog opens in the folder last used. Applied to a dialog just before it is
// shown, so the dialogs themselves hold none of it.
#pragma once

#include <QString>
#include <string>

class QFileDialog;

namespace kelvane {

class DialogFolders {
 public:
  // A file was loaded or saved under path, in the system's bytes.
  void Remember(const std::string& path);
  // A dialog was accepted with chosen, whatever came of it.
  void Used(const QString& chosen);

  void PrepareOpen(QFileDialog& dialog) const;
  // proposedName: the name in the title ("Untitled.spr" after New).
  void PrepareSave(QFileDialog& dialog, const QString& proposedName) const;
  // The folder the save dialog opens in.
  QString SaveFolder() const;
  // The folder last used, to start from in the next run; empty for none.
  QString Folder() const { return folder_; }
  // The folder last used in an earlier run, unless this run has used one already.
  void RestoreFolder(const QString& folder) {
    if (folder_.isEmpty()) folder_ = folder;
  }

  // The file a dialog's choice names, in the system's bytes. A dialog can only show a name that
  // is not valid UTF-8 approximately; choosing the remembered file as shown means that file.
  std::string LocalPathOf(const QString& chosen) const;

 private:
  QString FolderToStartIn(const QString& folder) const;

  std::string file_;  // absolute; empty until a file was loaded or saved
  QString folder_;    // the folder last used; empty for the working directory
};

}  // namespace kelvane
