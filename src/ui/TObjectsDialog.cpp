#include "ui/TObjectsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

QString ObjectLine(std::size_t index, const SpriteObject& object) {
  const QString name =
      object.name.empty() ? QStringLiteral("(no name)") : QString::fromStdString(object.name);
  QStringList sprites;
  for (const int cell : object.cells) sprites << QString::number(cell);
  return QStringLiteral("%1: %2, %3 x %4: %5")
      .arg(index)
      .arg(name)
      .arg(object.columns)
      .arg(object.rows)
      .arg(sprites.join(QLatin1Char(' ')));
}

}  // namespace

TObjectsDialog::TObjectsDialog(QWidget* owner, SpriteDocument& document)
    : QDialog(owner), document_(document) {
  setObjectName(QStringLiteral("ObjectsDialog"));
  setWindowTitle(QStringLiteral("Objects"));
  auto* layout = new QVBoxLayout(this);
  ObjectList = new QListWidget(this);
  ObjectList->setObjectName(QStringLiteral("ObjectList"));
  layout->addWidget(ObjectList);
  auto* row = new QHBoxLayout;
  RenameButton = new QPushButton(QStringLiteral("&Rename..."), this);
  RenameButton->setObjectName(QStringLiteral("RenameButton"));
  DeleteButton = new QPushButton(QStringLiteral("&Delete"), this);
  DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
  row->addWidget(RenameButton);
  row->addWidget(DeleteButton);
  row->addStretch();
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  row->addWidget(close);
  layout->addLayout(row);
  connect(RenameButton, &QPushButton::clicked, this, &TObjectsDialog::RenameClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TObjectsDialog::DeleteClick);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ObjectList, &QListWidget::currentRowChanged, this, [this](int current) {
    RenameButton->setEnabled(current >= 0);
    DeleteButton->setEnabled(current >= 0);
  });
  resize(360, 240);
  ShowObjects();
}

void TObjectsDialog::ShowObjects() {
  const int current = ObjectList->currentRow();
  ObjectList->clear();
  const auto& objects = document_.Objects();
  for (std::size_t i = 0; i < objects.size(); ++i) {
    ObjectList->addItem(ObjectLine(i, objects[i]));
  }
  ObjectList->setCurrentRow(std::min(current < 0 ? 0 : current, ObjectList->count() - 1));
  RenameButton->setEnabled(ObjectList->currentRow() >= 0);
  DeleteButton->setEnabled(ObjectList->currentRow() >= 0);
}

void TObjectsDialog::RenameClick() {
  const int row = ObjectList->currentRow();
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  bool ok = false;
  const QString name = QInputDialog::getText(
      this, QStringLiteral("Rename Object"), QStringLiteral("Name:"), QLineEdit::Normal,
      QString::fromStdString(document_.Objects()[index].name), &ok);
  if (!ok) return;
  // A name ends at a zero byte in the file.
  document_.RenameObject(index, name.toStdString().substr(0, name.toStdString().find('\0')));
  ShowObjects();
}

void TObjectsDialog::DeleteClick() {
  const int row = ObjectList->currentRow();
  if (row < 0) return;
  document_.RemoveObject(static_cast<std::size_t>(row));
  ShowObjects();
}

}  // namespace kelvane
