#include "ui/SpriteFileDialogs.h"

#include <QFileDialog>

#include "files/FormatRegistry.h"
#include "ui/Placement.h"

namespace kelvane {
namespace {

QStringList Filters(const std::vector<std::string>& filters) {
  QStringList list;
  for (const std::string& filter : filters) list << QString::fromStdString(filter);
  return list;
}

QFileDialog* MakeDialog(QWidget* owner, const char* name) {
  auto* dialog = new QFileDialog(owner);
  dialog->setObjectName(QString::fromLatin1(name));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  OpenOverOwner(dialog, owner);
  return dialog;
}

}  // namespace

QFileDialog* MakeOpenDialog(QWidget* owner, const FormatRegistry& formats) {
  QFileDialog* dialog = MakeDialog(owner, "OpenDialog1");
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters(Filters(formats.OpenFilters()));
  return dialog;
}

QFileDialog* MakeSaveDialog(QWidget* owner, const FormatRegistry& formats) {
  QFileDialog* dialog = MakeDialog(owner, "SaveDialog1");
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(Filters(formats.SaveFilters()));
  dialog->setDefaultSuffix(QString::fromStdString(formats.DefaultSuffix()));
  return dialog;
}

}  // namespace kelvane
