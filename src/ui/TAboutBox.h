// The About box: name, version, maker, release date and logo.
#pragma once

#include <QDialog>

class QPushButton;

namespace kelvane {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* owner);
  QPushButton* Button1 = nullptr;
};

// The 235 x 50 logo: a little sprite figure, the name in large letters, the version small.
QImage DrawAboutLogo();

}  // namespace kelvane
