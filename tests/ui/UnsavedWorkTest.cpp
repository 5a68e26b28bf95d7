// Work that no file holds yet: the title says so, and nothing throws it away without asking.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class UnsavedWork : public MainWindowFixture {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  void Write(const QString& path, const Bytes& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  Bytes Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = file.readAll();
    return Bytes(all.begin(), all.end());
  }
  // A 2-sprite ship.spr opened, then one pixel painted.
  void OpenShipAndPaint() {
    Write(Path("ship.spr"), Bytes(2 * kSpriteBytes, 0));
    Write(Path("ship.spr.inf"), {6, 1, 0});
    form().LoadSpriteFile(Path("ship.spr").toStdString());
    form().PageControl1->setCurrentWidget(form().TabSheet1);
    QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, {4, 4});
  }
  // Answers "Save changes to NAME?" with button, then whatever follows with next.
  void AnswerSaveChanges(QMessageBox::StandardButton button, std::function<void()> next = nullptr) {
    AnswerNextModal([=, this](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      asked_ = box->text();
      if (next) next();
      box->button(button)->click();
    });
  }

  QTemporaryDir dir_;
  QString asked_;
};

TEST_F(UnsavedWork, TheTitleIsMarkedOnlyWhileTheDocumentDiffersFromItsFile) {
  EXPECT_EQ(form().windowTitle(), "Kelvane - Untitled.spr");
  OpenShipAndPaint();
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr*");
  form().Undo1->trigger();
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr");
  form().Redo1->trigger();
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr*");
  form().SaveFile1->trigger();
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr");
}

// F2 writes the file back with the sprites it was opened with, without a dialog.
TEST_F(UnsavedWork, SaveWritesTheFileBackAsItWasOpened) {
  OpenShipAndPaint();
  const Bytes expected(document().Bank().Bytes().begin(),
                       document().Bank().Bytes().begin() + 2 * kSpriteBytes);
  QTest::keyClick(&form(), Qt::Key_F2);
  EXPECT_EQ(Read(Path("ship.spr")), expected);
  EXPECT_FALSE(document().Modified());
}

// A sprite drawn past the file's records is work F2 cannot keep in it: F2 asks first. Cancel
// leaves the file and the work as they were; OK saves the file's sprites, and is not asked again.
TEST_F(UnsavedWork, SaveAsksBeforeLeavingOutWorkPastTheFilesSprites) {
  OpenShipAndPaint();
  form().SaveFile1->trigger();
  form().ScrollBar1->setValue(3);
  QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, {4, 4});
  const Bytes saved = Read(Path("ship.spr"));
  AnswerSaveChanges(QMessageBox::Cancel);
  form().SaveFile1->trigger();
  EXPECT_EQ(asked_,
            "Sprite 3 has changed, but ship.spr holds 2 sprites: the changes past them are not "
            "saved in it.\nSave without them? (Save... saves more sprites.)");
  EXPECT_EQ(Read(Path("ship.spr")), saved);
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr*");
  AnswerSaveChanges(QMessageBox::Ok);
  form().SaveFile1->trigger();
  EXPECT_EQ(form().windowTitle(), "Kelvane - ship.spr");
  asked_.clear();
  QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, {4, 4});
  form().SaveFile1->trigger();
  EXPECT_EQ(asked_, "");
}

// Each command that would replace unsaved work asks first: Cancel keeps everything, Discard
// goes on as the command does, Save writes the file first.
struct AskCase {
  const char* name;
  QMessageBox::StandardButton answer;
  bool replaced;  // the painted pixel is gone afterwards
  bool saved;     // ship.spr holds the painted pixel
};

class Asking : public UnsavedWork, public ::testing::WithParamInterface<AskCase> {};

TEST_P(Asking, BeforeNewOpenAndClose) {
  const AskCase& c = GetParam();
  const std::vector<std::pair<const char*, std::function<void()>>> commands = {
      {"new", [this] { form().New1->trigger(); }},
      {"open",
       [this] {
         // Opening ship.spr again, from its dialog.
         const bool goesOn = GetParam().answer != QMessageBox::Cancel;
         AnswerSaveChanges(GetParam().answer, [this, goesOn] {
           if (goesOn) AnswerFileDialog(Path("ship.spr"));
         });
         form().Open1->trigger();
       }},
      {"close", [this] { form().close(); }},
  };
  for (const auto& [command, run] : commands) {
    SCOPED_TRACE(command);
    Open(QStringList());
    OpenShipAndPaint();
    const std::uint8_t painted = document().Bank().Sprite(0)[0];
    asked_.clear();
    if (std::string_view(command) != "open") AnswerSaveChanges(c.answer);
    run();
    EXPECT_EQ(asked_, "Save changes to ship.spr?");
    // Opened again after a save, the file holds what was painted.
    const bool reopenedSaved = std::string_view(command) == "open" && c.saved;
    const bool closed = !form().isVisible();
    EXPECT_EQ(closed, std::string_view(command) == "close" && c.replaced);
    if (!closed) {
      EXPECT_EQ(document().Bank().Sprite(0)[0] != painted, c.replaced && !reopenedSaved);
    }
    EXPECT_EQ(Read(Path("ship.spr"))[0] == painted, c.saved);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, Asking,
                         ::testing::Values(AskCase{"cancel", QMessageBox::Cancel, false, false},
                                           AskCase{"discard", QMessageBox::Discard, true, false},
                                           AskCase{"save", QMessageBox::Save, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane::test
