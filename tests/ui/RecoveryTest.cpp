// Unsaved work survives a crash: kept while the window runs, offered at the next start.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "files/RecoveryFolder.h"
#include "files/SafeFiles.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

class Recovery : public MainWindowFixture {
 protected:
  std::string Folder() const { return dir_.filePath("state").toStdString(); }
  std::string Ship() const { return dir_.filePath("ship.spr").toStdString(); }
  static bool Exists(const std::string& path) {
    return QFile::exists(QString::fromStdString(path));
  }
  // What a killed program left: ship.spr of two sprites, with a pixel painted.
  std::string LeaveOrphan() {
    EXPECT_EQ(WriteFileAtomically(Ship(), std::vector<std::uint8_t>(2 * kSpriteBytes)),
              std::nullopt);
    kept_.path = Ship();
    kept_.title = "ship.spr";
    kept_.records = 2;
    kept_.bank.Sprite(1)[0] = 0x80;
    kept_.writtenAt = 1765300000;
    auto owner = RecoveryOwner::Claim(Folder());
    EXPECT_EQ(owner->Write(EncodeKeptDocument(kept_)), std::nullopt);
    return owner->FilePath();
  }

  QTemporaryDir dir_;
  KeptDocument kept_;
};

TEST_F(Recovery, TheWindowKeepsItsUnsavedWorkUntilNothingIsUnsaved) {
  form().EnableRecovery(Folder());
  const std::string file = form().RecoveryFilePath();
  form().PageControl1->setCurrentWidget(form().TabSheet1);
  QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, {4, 4});
  QTRY_VERIFY(Exists(file));
  const auto kept = DecodeKeptDocument(ReadWholeFile(file, kMaxRecoveryBytes)->bytes, file);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->bank, document().Bank());
  EXPECT_EQ(kept->title, "Untitled.spr");
  form().Undo1->trigger();  // back to what the file holds
  QTRY_VERIFY(!Exists(file));
}

// A write that fails (here a folder where the file goes) is told in the status bar.
TEST_F(Recovery, AFailedAutosaveIsReported) {
  form().EnableRecovery(Folder());
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(form().RecoveryFilePath())));
  form().PageControl1->setCurrentWidget(form().TabSheet1);
  QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, {4, 4});
  QTRY_VERIFY(form().statusBar()->currentMessage().startsWith(
      "Unsaved changes could not be kept for recovery: "));
}

// Recover brings the work back as unsaved changes of its file, Discard removes it, Later keeps
// it for the next start; an unreadable file is set aside and named.
TEST_F(Recovery, TheNextStartOffersWhatAKilledProgramKept) {
  struct Case {
    QMessageBox::StandardButton answer;
    bool recovered;
    bool kept;
  };
  for (const Case c :
       {Case{QMessageBox::Yes, true, false}, Case{QMessageBox::Discard, false, false},
        Case{QMessageBox::No, false, true}}) {
    Open(QStringList());
    QDir(QString::fromStdString(Folder())).removeRecursively();
    const std::string orphan = LeaveOrphan();
    form().EnableRecovery(Folder());
    MessageBoxSeen seen;
    AnswerMessageBox(c.answer, &seen);
    form().OfferRecovery();
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.text.startsWith("Kelvane kept unsaved changes to ship.spr from "))
        << seen.text.toStdString();
    QStringList buttons = seen.buttonTexts;  // in the order the platform lays them out
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"&Discard", "&Later", "&Recover"}));
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
    EXPECT_EQ(document().Bank() == kept_.bank, c.recovered) << c.answer;
    EXPECT_EQ(Exists(orphan), c.kept) << c.answer;
    if (c.recovered) {
      EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr*");
      EXPECT_TRUE(Exists(form().RecoveryFilePath()));
      form().SaveFile1->trigger();
      const auto saved = ReadWholeFile(Ship(), kBankBytes);
      EXPECT_EQ(saved->bytes,
                std::vector<std::uint8_t>(kept_.bank.Bytes().begin(),
                                          kept_.bank.Bytes().begin() + 2 * kSpriteBytes));
      QTRY_VERIFY(!Exists(form().RecoveryFilePath()));
    }
  }

  Open(QStringList());
  QDir(QString::fromStdString(Folder())).removeRecursively();
  const std::string orphan = LeaveOrphan();
  ASSERT_TRUE(QFile::resize(QString::fromStdString(orphan), 100));  // torn
  form().EnableRecovery(Folder());
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Ok, &seen);
  form().OfferRecovery();
  EXPECT_TRUE(seen.text.contains(QString::fromStdString(orphan) + ".bad"))
      << seen.text.toStdString();
  EXPECT_TRUE(Exists(orphan + ".bad"));
}

}  // namespace
}  // namespace kelvane::test
