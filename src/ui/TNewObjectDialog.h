// Sprite > New Object...: how many sprites across and down, and the first of them.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;
class QSpinBox;

namespace kelvane {

class TNewObjectDialog : public QDialog {
  Q_OBJECT
 public:
  // onOk gets columns, rows and the first sprite when OK is pressed, and says why they cannot
  // make an object ("" when they can): the dialog stays open, with the reason shown, until then.
  // columns x rows are offered first: a SpritePad file holds objects of one size.
  TNewObjectDialog(QWidget* owner, int firstSprite, int columns, int rows,
                   std::function<QString(int columns, int rows, int first)> onOk);

  QSpinBox* Columns = nullptr;
  QSpinBox* Rows = nullptr;
  QSpinBox* FirstSprite = nullptr;
  QPushButton* OkButton = nullptr;

 private:
  void OkClick();
  std::function<QString(int, int, int)> onOk_;
};

}  // namespace kelvane
