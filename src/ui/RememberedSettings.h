// What the editor remembers between runs, and how it is read back from a settings file that
// anyone (or any crash) may have written: every value is checked, one out of its range is
// brought into it, and one that cannot be read is its default. Nothing read here can stop the
// editor from starting.
#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ui/ExportChoices.h"

class QSettings;

namespace kelvane {

struct RememberedSettings {
  // The window's place (of its frame) and size (of its inside); none: where it first opens.
  std::optional<QRect> window;
  bool maximized = false;
  int cellSize = 0;  // the editor's zoom: kMinCellSize to kMaxCellSize, 0 fits the grid
  bool grid = true;
  bool toolBar = true;
  int palette = 0;  // one of kPalettes
  QString tool;     // the object name of the tool's action; empty or unknown: the first tool
  QString folder;   // where the file dialogs start; empty: the working directory
  ExportChoices exportChoices;
  std::vector<std::string> recentFiles;  // in the system's bytes, the most recent first
};

RememberedSettings ReadRememberedSettings(QSettings& settings);
// Written through to the file at once; a file that cannot be written is left as it was.
void WriteRememberedSettings(QSettings& settings, const RememberedSettings& remembered);

}  // namespace kelvane
