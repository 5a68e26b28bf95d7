// The program's modal questions and messages: plain boxes without an icon.
#pragma once

#include <QString>

class QWidget;

namespace kelvane {

// True when the user answered OK.
bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text);
// True when the user answered Yes.
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text);
// True when the user answered Overwrite; Cancel is the default.
bool AskOverwrite(QWidget* parent, const QString& caption, const QString& text);
// "Save changes to NAME?": Save (the default), Discard or Cancel.
enum class SaveAnswer { Save, Discard, Cancel };
SaveAnswer AskSaveChanges(QWidget* parent, const QString& caption, const QString& name);
// "Kelvane kept unsaved changes to NAME from DATE. Recover them?": Recover (the default),
// Discard or Later.
enum class RecoverAnswer { Recover, Discard, Later };
RecoverAnswer AskRecover(QWidget* parent, const QString& caption, const QString& text);
void ShowMessage(QWidget* parent, const QString& caption, const QString& text, bool withCancel);

}  // namespace kelvane
