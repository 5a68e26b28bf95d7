#include "ui/FileMessages.h"

#include <QFile>
#include <QString>

#include "files/FileError.h"
#include "ui/MessageBoxes.h"

namespace kelvane {
namespace {

const QString kFileErrorCaption = QStringLiteral("File Error");

QString Text(const char* what, const FileError& error) {
  return QString::fromLatin1(what).arg(QFile::decodeName(QByteArray::fromStdString(error.file)),
                                       QString::fromStdString(error.reason));
}

}  // namespace

void ShowFileError(QWidget* parent, const FileError& error) {
  const QString text = error.problem == FileProblem::Size ? QStringLiteral("Invalid file size")
                                                          : Text("Could not open %1:\n%2", error);
  ShowMessage(parent, kFileErrorCaption, text, true);
}

void ShowSaveError(QWidget* parent, const FileError& error) {
  ShowMessage(parent, kFileErrorCaption, Text("Could not save %1:\n%2", error), false);
}

}  // namespace kelvane
