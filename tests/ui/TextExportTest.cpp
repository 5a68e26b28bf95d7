// Tools > "View Text Data...": the current sprite's bytes as text in a private file, handed to
// the desktop to open, and removed with its folder when the window closes.
#include <sys/stat.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<unreadable>");
  return QString::fromLatin1(file.readAll());
}

class TextExport : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer_, "anchorClicked");
    form().SetFileOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); });
  }
  void TearDown() override {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    MainWindowFixture::TearDown();
  }

  // Row 0 all set, the last byte 7, the rest 0, and an attribute byte that must not appear.
  static SpriteRecord Marked(std::uint8_t attribute) {
    SpriteRecord record{};
    record[0] = record[1] = record[2] = 255;
    record[kPixelBytes - 1] = 7;
    record[kAttributeOffset] = attribute;
    return record;
  }
  static QString MarkedText() {
    return QStringLiteral("255,255,255,") + QStringLiteral("0,").repeated(59) + QStringLiteral("7");
  }

  // Stands in for the desktop's viewer. The desktop hands a file URL to a handler by method
  // name; any method taking one URL will do, and a signal lets QSignalSpy keep the requests.
  QTextBrowser viewer_;
  QSignalSpy opened_{&viewer_, &QTextBrowser::anchorClicked};

  QList<QUrl> Opened() const {
    QList<QUrl> urls;
    for (const QList<QVariant>& call : opened_) urls << call.front().toUrl();
    return urls;
  }
};

TEST_F(TextExport, WritesTheShownSpritesBytesToAPrivateFileAndAsksToOpenIt) {
  Put(0, Marked(0x8E));
  form().RefreshEditor();
  const WindowState before = WindowState::Of(form());
  const QString path = form().TextDataPath();
  ASSERT_FALSE(path.isEmpty());
  const QFileInfo file(path);
  EXPECT_EQ(file.fileName(), QStringLiteral("spritedata.txt"));
  struct stat folder {};
  ASSERT_EQ(::stat(QFile::encodeName(file.absolutePath()).constData(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 07777, 0700u);

  form().Viewtextdata1->trigger();
  EXPECT_EQ(ReadText(path), MarkedText());
  EXPECT_EQ(Opened(), QList{QUrl::fromLocalFile(path)});
  EXPECT_EQ(WindowState::Of(form()), before);

  // Each export replaces the last; the attribute byte never shows.
  Put(0, Marked(0x03));
  form().RefreshEditor();
  form().Viewtextdata1->trigger();
  EXPECT_EQ(ReadText(path), MarkedText());
  EXPECT_EQ(Opened().size(), 2);
}

TEST_F(TextExport, FollowsTheSpriteChosenInTheBrowser) {
  Put(200, Marked(kDefaultAttribute));
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  form().ScrollBar2->setValue(11);  // rows 11 to 15 of the bank
  form().ScrollBar3->setValue(4);   // columns 4 to 8
  // Sprite 200 is row 12, column 8: window cell (4, 1).
  const ViewPixel corner = kSheetGeometry.Thumbnail({4, 1}).Origin();
  const QPoint cell(corner.x + 20, corner.y + 20);
  Hover(form().Image2, cell);
  Click(form().Image2, cell);
  ASSERT_EQ(form().CurrentSprite(), 200);

  form().Viewtextdata1->trigger();
  EXPECT_EQ(ReadText(form().TextDataPath()), MarkedText());
}

TEST_F(TextExport, SaysSoWhenTheFileCannotBeCreatedAndOpensNothing) {
  ASSERT_TRUE(QDir().mkdir(form().TextDataPath()));
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Ok, &seen);
  form().Viewtextdata1->trigger();

  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, QString());
  EXPECT_EQ(seen.text, QStringLiteral("Failed to create temp file"));
  EXPECT_EQ(seen.buttons, QList{QMessageBox::Ok});
  EXPECT_FALSE(seen.hadIcon);
  EXPECT_TRUE(Opened().isEmpty());
}

TEST_F(TextExport, AFolderDeletedSinceStartUpIsMadeAgain) {
  const QString first = form().TextDataPath();
  ASSERT_TRUE(QDir(QFileInfo(first).absolutePath()).removeRecursively());
  Put(0, Marked(kDefaultAttribute));
  form().RefreshEditor();

  form().Viewtextdata1->trigger();

  const QString path = form().TextDataPath();
  EXPECT_NE(path, first);
  EXPECT_EQ(ReadText(path), MarkedText());
  EXPECT_EQ(Opened(), QList{QUrl::fromLocalFile(path)});
}

TEST_F(TextExport, SaysWhereTheFileIsWhenNoProgramCouldBeAskedToOpenIt) {
  form().SetFileOpener([](const QUrl&) { return false; });
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Ok, &seen);
  form().Viewtextdata1->trigger();

  ASSERT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, QStringLiteral("View Text Data"));
  EXPECT_TRUE(seen.text.endsWith(form().TextDataPath())) << seen.text.toStdString();
  EXPECT_EQ(seen.buttons, QList{QMessageBox::Ok});
  EXPECT_EQ(ReadText(form().TextDataPath()), QStringLiteral("0,").repeated(62) + "0");
}

// The desktop's opener starts, finds no program for the file and says so in its exit status.
TEST_F(TextExport, SaysWhereTheFileIsWhenTheDesktopsOpenerFails) {
  QTemporaryDir bin;
  QFile opener(bin.filePath(QStringLiteral("xdg-open")));
  ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
  opener.write("#!/bin/sh\necho \"$1\" > \"$0.asked\"\nexit 3\n");
  opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  opener.close();
  struct RestorePath {
    QByteArray value = qgetenv("PATH");
    ~RestorePath() { qputenv("PATH", value); }
  } path;
  qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path.value);
  Open(QStringList());  // a window with the real opener
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Ok, &seen);
  form().Viewtextdata1->trigger();
  // The window does not wait for the opener (which may wait on the desktop's services).
  EXPECT_FALSE(seen.shown);
  QTRY_VERIFY_WITH_TIMEOUT(seen.shown, 20000);
  EXPECT_EQ(seen.caption, QStringLiteral("View Text Data"));
  EXPECT_TRUE(seen.text.endsWith(form().TextDataPath())) << seen.text.toStdString();
  // It was the desktop's opener that failed, asked for the file.
  EXPECT_EQ(ReadText(opener.fileName() + ".asked"), form().TextDataPath() + "\n");
}

TEST_F(TextExport, FileAndFolderAreGoneOnceTheWindowHasClosed) {
  form().Viewtextdata1->trigger();
  const QString path = form().TextDataPath();
  const QString folder = QFileInfo(path).absolutePath();
  ASSERT_TRUE(QFile::exists(path));

  MessageBoxSeen declined;
  AnswerMessageBox(QMessageBox::Cancel, &declined);
  form().Exit1->trigger();
  EXPECT_EQ(declined.text, QStringLiteral("Really Quit?"));
  EXPECT_TRUE(form().isVisible());
  EXPECT_TRUE(QFile::exists(path));

  MessageBoxSeen confirmed;
  AnswerMessageBox(QMessageBox::Ok, &confirmed);
  form().Exit1->trigger();
  EXPECT_EQ(confirmed.caption, QStringLiteral("Kelvane"));
  EXPECT_EQ(confirmed.buttons, (QList{QMessageBox::Ok, QMessageBox::Cancel}));
  EXPECT_FALSE(form().isVisible());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(QFileInfo::exists(folder));
}

}  // namespace
}  // namespace kelvane::test
