// Asks for the first and last sprite of a range to cut or copy.
#pragma once

#include <QDialog>
#include <functional>

class QSpinBox;

namespace kelvane {

class TRangeEditBox : public QDialog {
  Q_OBJECT
 public:
  // onOk receives From and To when the user presses OK; Cancel and the close box do nothing.
  TRangeEditBox(QWidget* owner, std::function<void(int, int)> onOk);

  QSpinBox* UpDown1 = nullptr;  // From, shown in its own edit
  QSpinBox* UpDown2 = nullptr;  // To
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 private:
  void Button1Click();
  std::function<void(int, int)> onOk_;
};

}  // namespace kelvane
