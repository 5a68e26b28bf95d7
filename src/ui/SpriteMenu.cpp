// The "Sprite" menu: how the machine shows the shown sprite, kept in its attribute byte, and
// the sprites' animations.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/TAnimationsDialog.h"
#include "ui/TForm1.h"

namespace kelvane {

void TForm1::BuildSpriteMenu() {
  Sprite1 = menuBar()->addMenu(QStringLiteral("Sp&rite"));
  Sprite1->setObjectName(QStringLiteral("Sprite1"));
  const struct {
    const char* name;
    QString caption;
    std::uint8_t flag;
    QAction* TForm1::*action;
  } items[] = {{"ExpandX1", QStringLiteral("Expand &X"), kExpandXFlag, &TForm1::ExpandX1},
               {"ExpandY1", QStringLiteral("Expand &Y"), kExpandYFlag, &TForm1::ExpandY1}};
  for (const auto& item : items) {
    QAction* action = Sprite1->addAction(item.caption);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setCheckable(true);
    // Triggered, not toggled: the window sets the check mark from the document without echo.
    connect(action, &QAction::triggered, this,
            [this, flag = item.flag](bool on) { document_.SetExpanded(flag, on); });
    this->*item.action = action;
  }
  Sprite1->addSeparator();
  Animations1 = Sprite1->addAction(QStringLiteral("Animations..."));
  Animations1->setObjectName(QStringLiteral("Animations1"));
  Animations1->setStatusTip(QStringLiteral("list, add, change and delete the sprites' animations"));
  connect(Animations1, &QAction::triggered, this, &TForm1::Animations1Click);
}

void TForm1::Animations1Click() {
  TAnimationsDialog dialog(this, document_);
  dialog.exec();
}

}  // namespace kelvane
