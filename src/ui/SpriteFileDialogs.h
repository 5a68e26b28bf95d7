// The main window's two file dialogs, offering what the format registry knows.
#pragma once

class QFileDialog;
class QWidget;

namespace kelvane {

class FormatRegistry;

// Existing files only; no native dialog, so the filters and names read the same everywhere.
QFileDialog* MakeOpenDialog(QWidget* owner, const FormatRegistry& formats);
// Asks before replacing a file, and adds the default suffix to a name typed without one.
QFileDialog* MakeSaveDialog(QWidget* owner, const FormatRegistry& formats);

}  // namespace kelvane
