#include "ui/SpriteFileDialogs.h"

#include <QFile>
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
  QStringList filters = Filters(formats.OpenFilters());
  // "All sprite files (...)" takes the sheets' pattern too; their own entry comes before "Any".
  const QString png = QString::fromLatin1(kPngSheetFilter);
  filters.front().insert(filters.front().size() - 1, QStringLiteral(" *.png"));
  filters.insert(filters.size() - 1, png);
  dialog->setNameFilters(filters);
  return dialog;
}

QFileDialog* MakeSaveDialog(QWidget* owner, const FormatRegistry& formats) {
  QFileDialog* dialog = MakeDialog(owner, "SaveDialog1");
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(Filters(formats.SaveFilters()));
  dialog->setDefaultSuffix(QString::fromStdString(formats.DefaultSuffix()));
  // "Any file" keeps the suffix of the format chosen before it.
  QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, &formats] {
    const int index = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter()));
    if (index < 0 || index + 1 >= dialog->nameFilters().size()) return;
    const QString pattern = QString::fromStdString(formats.WriterFor(index).Patterns().front());
    dialog->setDefaultSuffix(pattern.mid(2));
  });
  return dialog;
}

QFileDialog* MakeImportDialog(QWidget* owner) {
  QFileDialog* dialog = MakeDialog(owner, "ImportDialog1");
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters(
      {QStringLiteral("PNG picture (*.png)"), QString::fromLatin1(kAnyFileFilter.data())});
  return dialog;
}

void ProposeFormat(QFileDialog* saveDialog, const FormatRegistry& formats, std::string_view id) {
  const int index = formats.SaveFilterIndex(id);
  if (index < 0) return;
  saveDialog->selectNameFilter(saveDialog->nameFilters().at(index));
  const QString pattern = QString::fromStdString(formats.WriterFor(index).Patterns().front());
  saveDialog->setDefaultSuffix(pattern.mid(2));
}

const SpriteFormat& ChosenFormat(const QFileDialog* saveDialog, const FormatRegistry& formats,
                                 std::string_view current) {
  const QStringList filters = saveDialog->nameFilters();
  const int index = static_cast<int>(filters.indexOf(saveDialog->selectedNameFilter()));
  if (index >= 0 && index + 1 < filters.size()) return formats.WriterFor(index);
  const QStringList chosen = saveDialog->selectedFiles();
  if (!chosen.isEmpty()) {
    if (const SpriteFormat* named =
            formats.WriterNamedFor(QFile::encodeName(chosen.front()).toStdString())) {
      return *named;
    }
  }
  const int currentIndex = formats.SaveFilterIndex(current);
  return formats.WriterFor(currentIndex < 0 ? 0 : currentIndex);
}

}  // namespace kelvane
