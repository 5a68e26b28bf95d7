// What the editor remembers between runs, read back from files it did not write itself, and the
// window put back where it was, on a screen.
#include <QActionGroup>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "support/MainWindowFixture.h"
#include "ui/Placement.h"
#include "ui/RememberedSettings.h"
#include "ui/ToolManager.h"

namespace kelvane::test {
namespace {

// The settings as they would be written: two that read the same write the same text.
QByteArray Written(const RememberedSettings& remembered) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("written.conf"));
  {
    QSettings settings(path, QSettings::IniFormat);
    WriteRememberedSettings(settings, remembered);
  }
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string ManyRecentFiles(int count) {
  std::string ini = "[RecentFiles]\nsize=" + std::to_string(count) + "\n";
  for (int i = 1; i <= count; ++i) {
    ini +=
        std::to_string(i) + "\\path=" + (i % 3 == 0 ? "relative" : "/f" + std::to_string(i)) + "\n";
  }
  return ini;
}

TEST(RememberedSettingsFile, AHostileFileGivesDefaultsOrValuesInRange) {
  using Check = std::function<bool(const RememberedSettings&)>;
  const Check defaults = [](const RememberedSettings& r) {
    return Written(r) == Written(RememberedSettings{});
  };
  const struct {
    const char* what;
    std::string ini;  // "/" makes the file a folder, which cannot be read
    Check holds;
  } cases[] = {
      {"unreadable", "/", defaults},
      {"garbage", "\x01\xff[[[=\n\n=]]\xfe\0\x02", defaults},
      {"wrong types",
       "[View]\ncellSize=big\ngrid=perhaps\ntoolBar=1, 2\npalette=@Rect(0 0 1 1)\n"
       "tool=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n[Window]\nx=a\ny=1\nwidth=3\nheight=4\n"
       "[Export]\nscale=@ByteArray(4)\nfirst=1.5\n",
       defaults},
      {"out of range",
       "[View]\ncellSize=99999999999\n[Window]\nx=-99999999999\ny=7\nwidth=99999999\n"
       "height=20\n[Export]\nscale=1000\ncolumns=-3\nbytesPerLine=999\nloadAddress=70000\n"
       "first=-1\nlast=9999\n",
       [](const RememberedSettings& r) {
         const ExportChoices& e = r.exportChoices;
         return r.cellSize == kMaxCellSize && r.window == QRect(-(1 << 20), 7, 1 << 15, 20) &&
                e.request.png.scale == kMaxPngScale && e.request.png.columns == 1 &&
                e.request.text.bytesPerLine == kMaxBytesPerLine &&
                e.request.loadAddress == 0xFFFF && e.first == 0 && e.last == kLastSprite;
       }},
      {"negative sizes and a tiny zoom",
       "[Window]\nx=10\ny=10\nwidth=-5\nheight=300\n[View]\ncellSize=2\n", defaults},
      {"unknown names",
       "[View]\npalette=sepia\n[Dialogs]\nfolder=/no/such/folder\n[Export]\nformat=exe\n"
       "labelPrefix=1 bad\nsegment=a b\nnumberBase=octal\nrange=some\n",
       defaults},
      {"known names",
       "[View]\npalette=colodore\ngrid=false\n[Export]\nformat=ca65\nrange=current\n",
       [](const RememberedSettings& r) {
         return r.palette == 2 && !r.grid && r.exportChoices.request.format == "ca65" &&
                r.exportChoices.range == ExportRange::Current;
       }},
      {"10,000 recent files", ManyRecentFiles(10000),
       [](const RememberedSettings& r) {
         return r.recentFiles.size() == kRecentFileCount && r.recentFiles.front() == "/f1" &&
                r.recentFiles.back() == "/f14";
       }},
      {"a count beyond its entries", "[RecentFiles]\nsize=2147483647\n1\\path=/a\n",
       [](const RememberedSettings& r) { return r.recentFiles == std::vector<std::string>{"/a"}; }},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kelvane.conf"));
    QFile file(path);
    if (c.ini == "/") {
      QDir().mkdir(path);
    } else if (file.open(QIODevice::WriteOnly)) {
      file.write(c.ini.data(), static_cast<qint64>(c.ini.size()));
      file.close();
    }
    QSettings settings(path, QSettings::IniFormat);
    EXPECT_TRUE(c.holds(ReadRememberedSettings(settings))) << c.what;
  }
}

TEST(RememberedSettingsFile, ReadsBackWhatItWrote) {
  RememberedSettings remembered;
  remembered.window = QRect(-20, 30, 640, 480);
  remembered.maximized = true;
  remembered.cellSize = 12;
  remembered.grid = false;
  remembered.toolBar = false;
  remembered.palette = 3;
  remembered.tool = QStringLiteral("ToolFill1");
  remembered.folder = QDir::tempPath();
  remembered.exportChoices.request.format = "png";
  remembered.exportChoices.request.text.numberBase = NumberBase::Binary;
  remembered.exportChoices.request.loadAddress = 0x0801;
  remembered.exportChoices.range = ExportRange::Range;
  remembered.exportChoices.first = 3;
  remembered.recentFiles = {"/b/\xff.spr", "/a & b/c.spd"};
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("kelvane.conf")), QSettings::IniFormat);
  WriteRememberedSettings(settings, remembered);
  QSettings again(settings.fileName(), QSettings::IniFormat);
  EXPECT_EQ(Written(ReadRememberedSettings(again)), Written(remembered));
}

// Screens side by side: the window goes onto the one it overlaps most, else the first.
TEST(KeptOnScreen, MovesAndShrinksAWindowOntoAScreen) {
  const QList<QRect> screens{{0, 0, 1000, 800}, {1000, 0, 1600, 1000}};
  const QSize least(300, 200);
  const struct {
    QRect frame, placed;
  } cases[] = {
      {{100, 100, 400, 300}, {100, 100, 400, 300}},
      {{1200, 700, 400, 300}, {1200, 700, 400, 300}},
      {{2500, 900, 400, 300}, {2200, 700, 400, 300}},
      {{-5000, -5000, 400, 300}, {0, 0, 400, 300}},
      {{900, 100, 400, 300}, {1000, 100, 400, 300}},
      {{10, 10, 9000, 9000}, {1000, 0, 1600, 1000}},
      {{10, 10, 5, 5}, {10, 10, 300, 200}},
  };
  for (const auto& c : cases) EXPECT_EQ(KeptOnScreen(c.frame, screens, least), c.placed);
}

using RememberedWindow = MainWindowFixture;

TEST_F(RememberedWindow, ComesBackOnTheScreenWithItsZoomAndTool) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("kelvane.conf")), QSettings::IniFormat);
  settings.setValue(QStringLiteral("Window/x"), 50000);
  settings.setValue(QStringLiteral("Window/y"), -300);
  settings.setValue(QStringLiteral("Window/width"), 20000);
  settings.setValue(QStringLiteral("Window/height"), 10);
  settings.setValue(QStringLiteral("View/cellSize"), 16);
  settings.setValue(QStringLiteral("View/tool"), QStringLiteral("ToolLine1"));
  form().RememberSettings(settings);
  const QRect screen = form().screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(QRect(form().pos(), form().size()))) << form().x();
  EXPECT_EQ(form().height(), form().minimumHeight());
  EXPECT_EQ(form().EditorView().CellZoom().y, 16);
  EXPECT_EQ(form().Tools().Actions()->checkedAction()->objectName(), QStringLiteral("ToolLine1"));
}

}  // namespace
}  // namespace kelvane::test
