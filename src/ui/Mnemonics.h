// The menus reached from the keyboard: Alt with a title's underlined letter opens its menu, and
// an item's underlined letter picks it in an open menu. Only the mark is added to a caption.
#pragma once

#include <QString>

class QMenuBar;

namespace kelvane {

// Marks every menu title and item of bar: the letter chosen for it, or else the first letter of
// a word (then any letter) not yet taken in its menu.
void AddMnemonics(QMenuBar* bar);

// caption, marked on the letter that marked carries; for a caption rewritten as the menu opens.
QString WithMnemonicOf(const QString& marked, const QString& caption);

}  // namespace kelvane
