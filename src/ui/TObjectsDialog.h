// Sprite > Objects...: the document's objects, to rename or remove. Removing an object leaves
// its sprites as they are.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace kelvane {

class SpriteDocument;

class TObjectsDialog : public QDialog {
  Q_OBJECT
 public:
  TObjectsDialog(QWidget* owner, SpriteDocument& document);

  QListWidget* ObjectList = nullptr;
  QPushButton* RenameButton = nullptr;
  QPushButton* DeleteButton = nullptr;

 private:
  void ShowObjects();
  void RenameClick();
  void DeleteClick();

  SpriteDocument& document_;
};

}  // namespace kelvane
