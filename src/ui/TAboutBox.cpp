#include "ui/TAboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <array>

#include "render/C64Palette.h"

namespace kelvane {
namespace {

constexpr int kLogoWidth = 235;
constexpr int kLogoHeight = 50;
constexpr int kFigureScale = 4;

#ifndef KELVANE_VERSION
#error "KELVANE_VERSION must be defined by the build"
#endif

// A small multi-colour walker, one character per double-wide pixel: . background, a/b/c pens.
constexpr std::array<const char*, 11> kFigure{
    "..bb..", ".bbbb.", ".baab.", "..bb..", ".cccc.", "c.cc.c",
    "c.cc.c", "..cc..", ".c..c.", ".c..c.", "aa..aa",
};

}  // namespace

QImage DrawAboutLogo() {
  QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
  logo.fill(PaletteRgb(6));
  QPainter painter(&logo);
  const QRgb pens[] = {PaletteRgb(1), PaletteRgb(7), PaletteRgb(5)};
  for (int row = 0; row < static_cast<int>(kFigure.size()); ++row) {
    for (int col = 0; kFigure[row][col] != '\0'; ++col) {
      const char c = kFigure[row][col];
      if (c == '.') continue;
      painter.fillRect(6 + col * 2 * kFigureScale / 2 * 2, 3 + row * kFigureScale,
                       2 * kFigureScale / 2 * 2, kFigureScale, QColor::fromRgb(pens[c - 'a']));
    }
  }
  QFont big(QStringLiteral("DejaVu Sans"));
  big.setPixelSize(30);
  big.setBold(true);
  painter.setFont(big);
  painter.setPen(QColor::fromRgb(PaletteRgb(14)));
  painter.drawText(QRect(62, 2, 150, 44), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Kelvane"));
  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(11);
  painter.setFont(small);
  painter.setPen(QColor::fromRgb(PaletteRgb(1)));
  painter.drawText(QRect(190, 30, 42, 16), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("v" KELVANE_VERSION));
  return logo;
}

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About..."));
  setFixedSize(267, 200);

  auto* bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setGeometry(8, 8, 252, 153);
  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image2"));
  image->setGeometry(16, 16, kLogoWidth, kLogoHeight);
  image->setPixmap(QPixmap::fromImage(DrawAboutLogo()));

  auto* name = new QLabel(QStringLiteral("Kelvane " KELVANE_VERSION), this);
  name->setObjectName(QStringLiteral("Label1"));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  name->move(16, 80);
  auto* maker = new QLabel(QStringLiteral("Made by the Kelvane developers"), this);
  maker->setObjectName(QStringLiteral("Label2"));
  maker->move(16, 104);
  auto* released = new QLabel(QStringLiteral("Released : 8 December 2026"), this);
  released->setObjectName(QStringLiteral("Label4"));
  released->move(16, 120);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(96, 172, 91, 21);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kelvane
