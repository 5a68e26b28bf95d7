// The main window's two file dialogs, offering what the format registry knows.
#pragma once

#include <string_view>

class QFileDialog;
class QWidget;

namespace kelvane {

class FormatRegistry;
class SpriteFormat;

// The filter of PNG sheets, which Open reads beside the sprite formats.
inline constexpr const char* kPngSheetFilter = "PNG sprite sheet (*.png)";

// Existing files only; no native dialog, so the filters and names read the same everywhere.
// Offers every format and PNG sheets.
QFileDialog* MakeOpenDialog(QWidget* owner, const FormatRegistry& formats);
// Asks before replacing a file, and adds the default suffix to a name typed without one: that of
// the format whose filter is chosen.
QFileDialog* MakeSaveDialog(QWidget* owner, const FormatRegistry& formats);

// "Import PNG...": existing PNG pictures, or any file.
QFileDialog* MakeImportDialog(QWidget* owner);

// Makes the save dialog offer the format id, its filter chosen: a file is saved in the format it
// was opened in unless the user picks another.
// ASSUMPTION: called before the proposed name is set, since choosing a filter gives the name in
// the dialog that filter's extension.
void ProposeFormat(QFileDialog* saveDialog, const FormatRegistry& formats, std::string_view id);

// The format an accepted save dialog asks for: its filter's; under "Any file" the one the chosen
// name's extension belongs to, else current's.
const SpriteFormat& ChosenFormat(const QFileDialog* saveDialog, const FormatRegistry& formats,
                                 std::string_view current);

}  // namespace kelvane
