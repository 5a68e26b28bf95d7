// The Sprite menu's objects: making one, showing it as one canvas, and the list of them; and
// what saving them in a format without objects asks.
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "files/FormatRegistry.h"
#include "files/SpritePadFormat.h"
#include "ui/MessageBoxes.h"
#include "ui/TForm1.h"
#include "ui/TNewObjectDialog.h"
#include "ui/TObjectsDialog.h"

namespace kelvane {
namespace {

constexpr int kNewObjectSide = 2;

QString DisplayName(const std::string& path) {
  return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

// path with its extension, if any, changed to a SpritePad file's.
std::string SpritePadPathFor(const std::string& path) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? path.substr(0, dot) : path) + ".spd";
}

}  // namespace

void TForm1::BuildObjectCommands() {
  Sprite1->addSeparator();
  NewObject1 = Sprite1->addAction(QStringLiteral("New &Object..."));
  NewObject1->setObjectName(QStringLiteral("NewObject1"));
  ShowObject1 = Sprite1->addAction(QStringLiteral("&Show Object"));
  ShowObject1->setObjectName(QStringLiteral("ShowObject1"));
  ShowObject1->setCheckable(true);
  Objects1 = Sprite1->addAction(QStringLiteral("O&bjects..."));
  Objects1->setObjectName(QStringLiteral("Objects1"));
  connect(NewObject1, &QAction::triggered, this, &TForm1::NewObject1Click);
  connect(ShowObject1, &QAction::triggered, this, &TForm1::ShowObject1Click);
  connect(Objects1, &QAction::triggered, this, &TForm1::Objects1Click);
}

void TForm1::NewObject1Click() {
  // The size of the objects there are, which a SpritePad file keeps them in; 2 x 2 for a first.
  const auto& objects = document_.Objects();
  const int across = objects.empty() ? kNewObjectSide : objects.front().columns;
  const int down = objects.empty() ? kNewObjectSide : objects.front().rows;
  TNewObjectDialog dialog(
      this, document_.CurrentSprite(), across, down, [this](int columns, int rows, int first) {
        const std::string problem = NewObjectProblem(first, columns, rows, kSpriteCount);
        if (!problem.empty()) return QString::fromStdString(problem);
        document_.AddObject(ConsecutiveObject("", first, columns, rows));
        return QString();
      });
  if (dialog.exec() != QDialog::Accepted) return;
  // The new object is shown, as Show Object would show it.
  ShowObject1->setChecked(true);
  document_.ShowObjects(true);
  document_.SelectSprite(dialog.FirstSprite->value());
}

void TForm1::ShowObject1Click() {
  document_.ShowObjects(ShowObject1->isChecked());
}

void TForm1::Objects1Click() {
  TObjectsDialog dialog(this, document_);
  dialog.exec();
}

TForm1::ObjectsAnswer TForm1::AskObjectsOnlyInSpritePad(const std::string& path) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Save"),
                  QStringLiteral("Objects are kept only in a SpritePad file: %1 would hold the "
                                 "sprites without their objects.\nSave a SpritePad file, %2, "
                                 "instead?")
                      .arg(DisplayName(path), DisplayName(SpritePadPathFor(path))),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Save &SpritePad File"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Save &Without"));
  box.setDefaultButton(QMessageBox::Yes);
  const int answer = box.exec();
  if (answer == QMessageBox::Yes) return ObjectsAnswer::SpritePad;
  if (answer == QMessageBox::No) return ObjectsAnswer::Without;
  return ObjectsAnswer::Cancel;
}

bool TForm1::WriteSpritePadInstead(const std::string& path, int count) {
  const std::string spritePadPath = SpritePadPathFor(path);
  if (QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(spritePadPath))) &&
      !AskOverwrite(this, QStringLiteral("Confirm"),
                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                        .arg(DisplayName(spritePadPath)))) {
    return false;
  }
  const SpriteFormat* spritePad = SpriteFormats().Find(kSpritePadId);
  return spritePad != nullptr && WriteSpriteFile(spritePadPath, *spritePad, count);
}

}  // namespace kelvane
