// Ctrl+S, Return saves back where the file came from, whatever the working directory, and the
// file dialogs start in the folder the user last worked in.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void WriteBytes(const QString& path, const Bytes& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

Bytes ReadBytes(const QByteArray& path) {
  std::FILE* raw = std::fopen(path.constData(), "rb");
  if (raw == nullptr) return {};
  Bytes bytes;
  for (int c; (c = std::fgetc(raw)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
  std::fclose(raw);
  return bytes;
}

Bytes ReadBytes(const QString& path) {
  return ReadBytes(QFile::encodeName(path));
}

// What a file dialog showed when it came up.
struct DialogSeen {
  QString folder;
  QString proposed;
};

class SaveFolder : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("sub")));
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("elsewhere")));
    WriteBytes(Path("sub/ship.spr"), Bytes(128, 0x11));
    WriteBytes(Path("sub/ship.spr.inf"), {1, 2, 3});
    workingDirectory_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root_.path()));
  }
  void TearDown() override {
    QDir::setCurrent(workingDirectory_);
    MainWindowFixture::TearDown();
  }

  QString Path(const QString& name) const { return root_.filePath(name); }

  // Answers the next file dialog by pressing Return on what it proposes, and Yes to the
  // question whether to replace an existing file.
  DialogSeen AcceptProposed(const std::function<void()>& open) {
    DialogSeen seen;
    AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      seen = {dialog->directory().absolutePath(), edit->text()};
      if (QFileInfo::exists(dialog->directory().filePath(edit->text()))) {
        AnswerMessageBox(QMessageBox::Yes);
      }
      QTest::keyClick(edit, Qt::Key_Return);
    });
    open();
    return seen;
  }

  // The folder the next Open dialog starts in; the dialog is cancelled.
  QString OpenDialogFolder() {
    QString folder;
    AnswerNextModal([&](QWidget* modal) {
      folder = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
      qobject_cast<QDialog*>(modal)->reject();
    });
    form().Open1->trigger();
    return folder;
  }

  void ExpectSavedBackToSub() {
    EXPECT_EQ(ReadBytes(Path("sub/ship.spr")), BankBytes(document()));
    EXPECT_EQ(ReadBytes(Path("sub/ship.spr.inf")), (Bytes{1, 2, 3}));
    EXPECT_FALSE(QFile::exists(Path("ship.spr")));
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ship.spr"));
  }

  QTemporaryDir root_;
  QString workingDirectory_;
};

TEST_F(SaveFolder, CtrlSReturnRewritesAFileOpenedOnTheCommandLine) {
  // A same-named file in the working directory must not be the one offered.
  WriteBytes(Path("ship.spr"), {9});
  Open({QStringLiteral("sub/ship.spr")});
  ASSERT_EQ(BankBytes(document(), 128), Bytes(128, 0x11));
  Put(0, PatternSprite(3, kDefaultAttribute));

  const DialogSeen seen = AcceptProposed([&] { Key(Qt::Key_S); });

  EXPECT_EQ(seen.folder, Path("sub"));
  EXPECT_EQ(seen.proposed, QStringLiteral("ship.spr"));
  EXPECT_EQ(ReadBytes(Path("sub/ship.spr")), BankBytes(document()));
  EXPECT_EQ(ReadBytes(Path("ship.spr")), Bytes{9});
}

TEST_F(SaveFolder, CtrlSReturnRewritesAFileOpenedThroughTheDialog) {
  AnswerFileDialog(Path("sub/ship.spr"));
  form().Open1->trigger();
  ASSERT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ship.spr"));
  Put(1, PatternSprite(4, kDefaultAttribute));

  const DialogSeen seen = AcceptProposed([&] { Key(Qt::Key_S); });

  EXPECT_EQ(seen.folder, Path("sub"));
  ExpectSavedBackToSub();
}

TEST_F(SaveFolder, TheOpenDialogStartsWhereTheUserLastWorked) {
  EXPECT_EQ(OpenDialogFolder(), root_.path());  // the working directory, to begin with
  AnswerFileDialog(Path("sub/ship.spr"));
  form().Open1->trigger();
  EXPECT_EQ(OpenDialogFolder(), Path("sub"));

  AnswerFileDialog(Path("elsewhere/copy.spr"));
  form().SaveAll1->trigger();
  ASSERT_TRUE(QFile::exists(Path("elsewhere/copy.spr")));
  EXPECT_EQ(OpenDialogFolder(), Path("elsewhere"));

  // New keeps the folder and proposes "Untitled.spr" in it.
  AnswerMessageBox(QMessageBox::Yes);
  form().New1->trigger();
  const DialogSeen seen = AcceptProposed([&] { form().SaveAll1->trigger(); });
  EXPECT_EQ(seen.folder, Path("elsewhere"));
  EXPECT_EQ(seen.proposed, QStringLiteral("Untitled.spr"));
  EXPECT_TRUE(QFile::exists(Path("elsewhere/Untitled.spr")));
}

// The system's bytes pass through: a name that is not UTF-8 opens, and saves back to itself.
TEST_F(SaveFolder, ANameThatIsNotUtf8OpensAndSavesBackToItself) {
  const QByteArray raw = QFile::encodeName(Path("bad")) + "\xff.spr";
  {
    std::FILE* file = std::fopen(raw.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("0123456789012345678901234567890123456789012345678901234567890123", file);
    std::fclose(file);
  }
  Open(std::vector<std::string>{raw.toStdString()});
  ASSERT_EQ(ReadBytes(raw).size(), 64u);
  EXPECT_EQ(BankBytes(document(), 64), ReadBytes(raw));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - bad\uFFFD.spr"));

  AcceptProposed([&] { Key(Qt::Key_S); });

  EXPECT_EQ(ReadBytes(raw), BankBytes(document()));
  EXPECT_EQ(ReadBytes(raw + ".inf"), (Bytes{6, 1, 0}));
  EXPECT_FALSE(QFile::exists(Path("bad\uFFFD.spr")));
}

}  // namespace
}  // namespace kelvane::test
