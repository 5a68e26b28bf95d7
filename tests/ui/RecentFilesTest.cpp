// File > Open Recent: which files it lists, in which order, and what choosing one does.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <filesystem>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/RecentFiles.h"

namespace kelvane::test {
namespace {

// Steps: "+name" opens or saves dir/name, "-name" finds it gone, "<name" remembers it from an
// earlier run, "<!name" remembers name as written (not a file's full path).
TEST(RecentFilesList, KeepsTheLastTenFilesEachOnceMostRecentFirst) {
  QTemporaryDir temp;
  const std::string dir = CanonicalPath(temp.path().toStdString());
  std::filesystem::create_directory(dir + "/sub");
  QFile(QString::fromStdString(dir + "/a.spr")).open(QIODevice::WriteOnly);
  std::filesystem::create_symlink(dir + "/a.spr", dir + "/link.spr");
  const struct {
    const char* what;
    std::vector<std::string> steps;
    std::vector<std::string> listed;
  } cases[] = {
      {"newest first", {"+a.spr", "+b.spr"}, {"b.spr", "a.spr"}},
      {"again moves to the top", {"+a.spr", "+b.spr", "+a.spr"}, {"a.spr", "b.spr"}},
      {"one file by any name", {"+a.spr", "+link.spr", "+sub/../a.spr", "+./a.spr"}, {"a.spr"}},
      {"ten at most",
       {"+0", "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8", "+9", "+10", "+11"},
       {"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}},
      {"a gone file leaves", {"+a.spr", "+b.spr", "-a.spr", "-c.spr"}, {"b.spr"}},
      {"remembered after this run's",
       {"+b.spr", "<a.spr", "<b.spr", "<!rel.spr", "<!"},
       {"b.spr", "a.spr"}},
  };
  for (const auto& c : cases) {
    RecentFiles recent;
    for (const std::string& step : c.steps) {
      const std::string name = step.substr(1);
      if (step[0] == '+') recent.Add(dir + "/" + name);
      if (step[0] == '-') recent.Remove(dir + "/" + name);
      if (step[0] == '<') {
        recent.Restore({name[0] == '!' ? name.substr(1) : dir + "/" + name});
      }
    }
    std::vector<std::string> expected;
    for (const std::string& name : c.listed) expected.push_back(dir + "/" + name);
    EXPECT_EQ(recent.Paths(), expected) << c.what;
  }
  EXPECT_EQ(RecentCaption("/home/a/R&D/ship&co.spr"),
            QStringLiteral("ship&&co.spr  (/home/a/R&&D)"));
}

using OpenRecent = MainWindowFixture;

TEST_F(OpenRecent, ListsOpenedFilesOpensOneAgainAndClears) {
  QTemporaryDir dir;
  const auto write = [&](const char* name, char fill) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kSpriteBytes, fill));
    return CanonicalPath(path.toStdString());
  };
  const std::string first = write("first.spr", '\x11');
  const std::string second = write("sec&ond.spr", '\x22');
  EXPECT_FALSE(form().OpenRecent1->menuAction()->isEnabled());
  form().LoadSpriteFile(first);
  form().LoadSpriteFile(second);
  const auto listed = [&] {
    QStringList captions;
    for (QAction* action : form().OpenRecent1->actions()) captions << action->text();
    return captions;
  };
  EXPECT_EQ(listed(), (QStringList{RecentCaption(second), RecentCaption(first), QString(),
                                   QStringLiteral("&Clear List")}));
  EXPECT_TRUE(listed()[0].startsWith(QStringLiteral("sec&&ond.spr  (")));

  const SpriteRecord painted{1};
  document().PutSprites(5, std::span(&painted, 1));
  MessageBoxSeen asked;
  AnswerMessageBox(QMessageBox::Discard, &asked);
  form().OpenRecent1->actions()[1]->trigger();
  EXPECT_TRUE(asked.shown);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - first.spr"));
  EXPECT_EQ(document().Bank().Bytes()[0], 0x11);
  EXPECT_EQ(listed().mid(0, 2), (QStringList{RecentCaption(first), RecentCaption(second)}));

  // A file gone since is refused as Open refuses it, and no longer offered.
  std::filesystem::remove(second);
  MessageBoxSeen refused;
  AnswerMessageBox(QMessageBox::Ok, &refused);
  form().OpenRecent1->actions()[1]->trigger();
  EXPECT_TRUE(refused.text.startsWith(QStringLiteral("Could not open")))
      << refused.text.toStdString();
  EXPECT_EQ(listed().front(), RecentCaption(first));
  EXPECT_EQ(listed().size(), 3);

  form().ClearList1->trigger();
  EXPECT_TRUE(listed().isEmpty());
  EXPECT_FALSE(form().OpenRecent1->menuAction()->isEnabled());
}

}  // namespace
}  // namespace kelvane::test
