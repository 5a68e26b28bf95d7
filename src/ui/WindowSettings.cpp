// What the main window remembers between runs: read when the program hands it its settings,
// written as the recent files change and when the window closes.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "render/C64Palette.h"
#include "ui/Placement.h"
#include "ui/RememberedSettings.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane {
namespace {

QList<QRect> AvailableScreens() {
  QList<QRect> screens;
  if (QScreen* primary = QGuiApplication::primaryScreen()) screens << primary->availableGeometry();
  for (QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  return screens;
}

}  // namespace

void TForm1::RememberSettings(QSettings& settings) {
  settings_ = &settings;
  ApplySettings(ReadRememberedSettings(settings));
}

void TForm1::ApplySettings(const RememberedSettings& remembered) {
  // The tool bar first: showing it changes the window's least size.
  ShowToolBar1->setChecked(remembered.toolBar);
  if (remembered.window) {
    const QRect placed = KeptOnScreen(*remembered.window, AvailableScreens(), minimumSize());
    resize(placed.size());
    move(placed.topLeft());
  }
  if (remembered.maximized) setWindowState(windowState() | Qt::WindowMaximized);
  SetCellSize(remembered.cellSize);
  GridToggle->setChecked(remembered.grid);
  ChoosePalette(remembered.palette);
  if (!remembered.tool.isEmpty()) {
    for (QAction* tool : tools_->Actions()->actions()) {
      if (tool->objectName() == remembered.tool) tool->trigger();
    }
  }
  dialogFolders_.RestoreFolder(remembered.folder);
  exportChoices_ = remembered.exportChoices;
  recentFiles_.Restore(remembered.recentFiles);
  ShowRecentFiles();
}

RememberedSettings TForm1::CurrentSettings() const {
  RememberedSettings remembered;
  // The place of the frame and the size of the inside, as move() and resize() take them; a
  // maximised window remembers where it was before.
  const QRect inside = isMaximized() ? normalGeometry() : geometry();
  const QPoint frameOffset = geometry().topLeft() - pos();
  remembered.window = QRect(inside.topLeft() - frameOffset, inside.size());
  remembered.maximized = isMaximized();
  remembered.cellSize = cellSize_;
  remembered.grid = GridToggle->isChecked();
  remembered.toolBar = ShowToolBar1->isChecked();
  remembered.palette = ActivePalette();
  if (const QAction* tool = tools_->Actions()->checkedAction()) {
    remembered.tool = tool->objectName();
  }
  remembered.folder = dialogFolders_.Folder();
  remembered.exportChoices = exportChoices_;
  remembered.recentFiles = recentFiles_.Paths();
  return remembered;
}

void TForm1::SaveSettings() {
  if (settings_ != nullptr) WriteRememberedSettings(*settings_, CurrentSettings());
}

}  // namespace kelvane
