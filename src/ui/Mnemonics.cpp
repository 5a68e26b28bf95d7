#include "ui/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace kelvane {
namespace {

constexpr QChar kMark = u'&';

// The letters as a user of the menus expects them, by object name; one per menu.
struct Chosen {
  const char* name;
  char letter;
};
constexpr Chosen kChosen[] = {
    {"File1", 'F'},
    {"New1", 'N'},
    {"Open1", 'O'},
    {"OpenRecent1", 'R'},
    {"ImportPNG1", 'I'},
    {"SaveFile1", 'v'},
    {"Save1", 'S'},
    {"First161k1", '1'},
    {"First322k1", '3'},
    {"First644k1", '6'},
    {"First1281", '8'},
    {"Specify1", 'U'},
    {"SaveAll1", 'A'},
    {"Export1", 'E'},
    {"Exit1", 'x'},
    {"Edit1", 'E'},
    {"Cut1", 't'},
    {"Copy1", 'C'},
    {"Paste1", 'P'},
    {"NudgeUp1", 'N'},
    {"NudgeDown1", 'D'},
    {"NudgeLeft1", 'L'},
    {"NudgeRight1", 'h'},
    {"FlipHorizontal1", 'F'},
    {"FlipVertical1", 'g'},
    {"SymmetrizeHorizontal1", 'S'},
    {"SymmetrizeVertical1", 'y'},
    {"Undo1", 'U'},
    {"Redo1", 'R'},
    {"View1", 'T'},
    {"animator1", 'A'},
    {"Viewtextdata1", 'V'},
    {"Options1", 'S'},
    {"CopyCurrentSpriteAttributesToAll1", 'A'},
    {"Takeoutblanks1", 'R'},
    {"CutRange1", 't'},
    {"CopyRange1", 'C'},
    {"PasteRange1", 'P'},
    {"Help1", 'H'},
    {"About1", 'A'},
};

QChar ChosenLetter(const QString& name) {
  for (const Chosen& chosen : kChosen) {
    if (name == QLatin1String(chosen.name)) return QChar::fromLatin1(chosen.letter);
  }
  return {};
}

QString MarkedAt(const QString& caption, qsizetype at) {
  return at < 0 ? caption : caption.left(at) + kMark + caption.mid(at);
}

// Where a free letter is: a word's first, else any.
qsizetype FreeLetter(const QString& caption, const QSet<QChar>& taken) {
  const auto free = [&](qsizetype i) {
    return caption[i].isLetterOrNumber() && !taken.contains(caption[i].toLower());
  };
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if ((i == 0 || caption[i - 1].isSpace()) && free(i)) return i;
  }
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (free(i)) return i;
  }
  return -1;
}

// The action's caption (a menu's title) and how to set it.
QString Caption(QAction* action) {
  return action->menu() ? action->menu()->title() : action->text();
}
QString NameOf(QAction* action) {
  return action->menu() ? action->menu()->objectName() : action->objectName();
}
void SetCaption(QAction* action, const QString& caption) {
  if (action->menu()) {
    action->menu()->setTitle(caption);
  } else {
    action->setText(caption);
  }
}

void MarkMenu(const QList<QAction*>& actions) {
  QSet<QChar> taken;
  QList<QAction*> unchosen;
  for (QAction* action : actions) {
    if (action->isSeparator() || Caption(action).contains(kMark)) continue;
    const QChar letter = ChosenLetter(NameOf(action));
    const qsizetype at = letter.isNull() ? -1 : Caption(action).indexOf(letter);
    if (at < 0) {
      unchosen << action;
      continue;
    }
    SetCaption(action, MarkedAt(Caption(action), at));
    taken.insert(letter.toLower());
  }
  for (QAction* action : unchosen) {
    const QString caption = Caption(action);
    const qsizetype at = FreeLetter(caption, taken);
    if (at >= 0) taken.insert(caption[at].toLower());
    SetCaption(action, MarkedAt(caption, at));
  }
  for (QAction* action : actions) {
    if (action->menu()) MarkMenu(action->menu()->actions());
  }
}

}  // namespace

void AddMnemonics(QMenuBar* bar) {
  MarkMenu(bar->actions());
}

QString WithMnemonicOf(const QString& marked, const QString& caption) {
  const qsizetype mark = marked.indexOf(kMark);
  if (mark < 0 || mark + 1 >= marked.size()) return caption;
  return MarkedAt(caption, caption.indexOf(marked[mark + 1]));
}

}  // namespace kelvane
