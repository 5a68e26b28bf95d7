// Opening and saving sprite files through the File menu, its dialogs and the command line.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "WindowChecks.h"
#include "files/SafeFiles.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PatternBytes(int size, int seed) {
  Bytes bytes(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + seed + (i >> 8));
  return bytes;
}

void WriteBytes(const QString& path, const Bytes& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

Bytes ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return {data.begin(), data.end()};
}

class FileCommands : public MainWindowFixture {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // Types path into the file dialog that item opens. A message box that follows the dialog
  // gets seen's answer, queued from inside the dialog so it cannot answer the dialog itself.
  void ThroughDialog(QAction* item, const QString& path, MessageBoxSeen* seen = nullptr,
                     QMessageBox::StandardButton answer = QMessageBox::Ok) {
    AnswerNextModal([=](QWidget* modal) {
      if (seen) AnswerMessageBox(answer, seen);
      TypeIntoFileDialog(modal, path);
    });
    item->trigger();
  }
  // Saves the bank over path, which exists: the file dialog's own question is answered Yes, and
  // a question the save asks after it gets answer.
  void SaveOver(const QString& path, QMessageBox::StandardButton answer, MessageBoxSeen* seen) {
    const auto asking = std::make_shared<bool>(true);
    AnswerNextModal([=](QWidget* dialog) {
      AnswerNextModal([=](QWidget* replace) {
        AnswerMessageBoxIfShown(asking, answer, seen);
        qobject_cast<QMessageBox*>(replace)->button(QMessageBox::Yes)->click();
      });
      TypeIntoFileDialog(dialog, path);
    });
    form().SaveAll1->trigger();
    *asking = false;
  }
  void OpenThroughDialog(const QString& path, MessageBoxSeen* seen = nullptr,
                         QMessageBox::StandardButton answer = QMessageBox::Ok) {
    ThroughDialog(form().Open1, path, seen, answer);
  }

  // The sprite number as a user picks it: "Upper 128" and the scroll bar.
  void GoTo(int n) {
    form().UpperSet->setChecked(n >= kHalfBankSprites);
    form().ScrollBar1->setValue(n % kHalfBankSprites);
    ASSERT_EQ(form().CurrentSprite(), n);
  }

  // Opens the File menu from the menu bar and reads the "Up to Current" caption.
  QString UpToCurrentCaption() {
    QMenuBar* bar = form().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(form().File1->menuAction()).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().File1->isVisible(); }));
    const QString caption = PlainCaption(form().Specify1->text());
    QTest::keyClick(form().File1, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form().File1->isVisible(); }));
    return caption;
  }

  void ExpectColours(std::uint8_t background, std::uint8_t multi1, std::uint8_t multi2) {
    const auto& colours = document().PenColours();
    EXPECT_EQ(colours[kTransparentPen], background);
    EXPECT_EQ(colours[kMultiColour1Pen], multi1);
    EXPECT_EQ(colours[kMultiColour2Pen], multi2);
    EXPECT_EQ(form().Panel1->Colour(), PaletteRgb(background));
    EXPECT_EQ(form().Panel3->Colour(), PaletteRgb(multi1));
    EXPECT_EQ(form().Panel4->Colour(), PaletteRgb(multi2));
  }

  QTemporaryDir dir_;
};

TEST_F(FileCommands, OpensEveryWholeNumberOfRecordsUpToOneBank) {
  // Shown before: a sprite of either half, or sprite 0 itself, which no control has to move for.
  const struct {
    int size;
    int shown;
  } cases[] = {{0, 37}, {64, 200}, {1024, 0}, {16384, 130}};
  for (const auto [size, shown] : cases) {
    SCOPED_TRACE(size);
    FillBankWithPattern(document(), size);
    GoTo(shown);
    form().PageControl1->setCurrentWidget(form().TabSheet1);
    const Bytes before = BankBytes(document());
    const QString name = QStringLiteral("load%1.spr").arg(size);
    const Bytes file = PatternBytes(size, size / 64);
    const auto shade = static_cast<std::uint8_t>(size % 13);
    WriteBytes(Path(name), file);
    WriteBytes(Path(name + ".inf"), {shade, 15, 2});

    OpenThroughDialog(Path(name));

    Bytes expected = file;
    expected.insert(expected.end(), before.begin() + size, before.end());
    EXPECT_EQ(BankBytes(document()), expected);  // records past the end of the file are kept
    EXPECT_EQ(form().CurrentSprite(), 0);
    EXPECT_EQ(form().ScrollBar1->value(), 0);
    EXPECT_FALSE(form().UpperSet->isChecked());
    EXPECT_EQ(form().windowTitle(), "Kelvane - " + name);
    EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet2);
    ExpectColours(shade, 15, 2);
    EXPECT_EQ(EditorMismatches(form()), "");
    EXPECT_EQ(ThumbnailMismatches(form(), 17), "");
  }
}

TEST_F(FileCommands, RefusesOtherSizesWithTheMessageAndChangesNothing) {
  WriteBytes(Path("good.spr"), PatternBytes(2048, 1));
  WriteBytes(Path("good.spr.inf"), {4, 7, 9});
  OpenThroughDialog(Path("good.spr"));
  GoTo(5);
  form().PageControl1->setCurrentWidget(form().TabSheet1);
  const WindowState before = WindowState::Of(form());

  for (const int size : {100, 16385, 16448}) {
    SCOPED_TRACE(size);
    const QString name = QStringLiteral("bad%1.spr").arg(size);
    WriteBytes(Path(name), PatternBytes(size, 2));
    WriteBytes(Path(name + ".inf"), {1, 1, 1});
    MessageBoxSeen seen;
    OpenThroughDialog(Path(name), &seen, size == 100 ? QMessageBox::Ok : QMessageBox::Cancel);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("File Error"));
    EXPECT_EQ(seen.text, QStringLiteral("Invalid file size"));
    EXPECT_EQ(seen.buttons, (QList{QMessageBox::Ok, QMessageBox::Cancel}));
    EXPECT_FALSE(seen.hadIcon);
    EXPECT_EQ(WindowState::Of(form()), before);
  }
}

// An empty sprite file opens; any other file without a single sprite has nothing to open.
TEST_F(FileCommands, AnyOtherFileWithoutSpritesIsRefusedAndChangesNothing) {
  const WindowState before = WindowState::Of(form());
  const std::pair<QString, Bytes> files[] = {
      {"empty.bin", {}}, {"two.prg", {0x00, 0x20}}, {"three.spr", {1, 2, 3}}};
  for (const auto& [name, bytes] : files) {
    WriteBytes(Path(name), bytes);
    MessageBoxSeen seen;
    OpenThroughDialog(Path(name), &seen);
    EXPECT_EQ(seen.text, "Could not open " + Path(name) + ":\nholds no sprites");
    EXPECT_EQ(WindowState::Of(form()), before);
  }
}

// Each says what is wrong with the file, in the same box as "Invalid file size".
TEST_F(FileCommands, AFifoAFolderOrAMissingFileSayWhatIsWrongWithoutWaiting) {
  // A FIFO nobody writes to would block a plain open for ever.
  const QString fifo = Path("pipe.spr");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const WindowState before = WindowState::Of(form());
  MessageBoxSeen seen;
  OpenThroughDialog(fifo, &seen);
  EXPECT_EQ(seen.text, "Could not open " + fifo + ":\nnot a regular file");
  EXPECT_EQ(seen.buttons, (QList{QMessageBox::Ok, QMessageBox::Cancel}));
  EXPECT_EQ(WindowState::Of(form()), before);

  // The file dialog only offers files that exist; a command line can name anything.
  const struct {
    QString path;
    const char* reason;
  } cases[] = {{Path("gone.spr"), "No such file or directory"},
               {dir_.path(), "Is a directory"},
               {fifo, "not a regular file"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    MessageBoxSeen atStart;
    AnswerMessageBox(QMessageBox::Ok, &atStart);
    Open({c.path});
    EXPECT_EQ(atStart.caption, QStringLiteral("File Error"));
    EXPECT_EQ(atStart.text, "Could not open " + c.path + ":\n" + c.reason);
    EXPECT_EQ(atStart.buttons, (QList{QMessageBox::Ok, QMessageBox::Cancel}));
    EXPECT_FALSE(atStart.hadIcon);
    EXPECT_EQ(document().Bank(), SpriteBank());
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - Untitled.spr"));
    EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
  }
}

TEST_F(FileCommands, TheSidecarIsTheWholeFileNamePlusInf) {
  Bytes sprite = PatternBytes(64, 5);
  sprite[kAttributeOffset] = 0x83;  // multi-colour, cyan
  WriteBytes(Path("ship.spr"), sprite);
  WriteBytes(Path("ship.inf"), {9, 9, 9});
  WriteBytes(Path("ship.spr.inf"), {0, 15, 2});

  OpenThroughDialog(Path("ship.spr"));

  ExpectColours(0, 15, 2);
  // The sprite colour comes from the sprite, never from the sidecar.
  EXPECT_EQ(document().PenColours()[kSpriteColourPen], 3);
  EXPECT_EQ(form().Panel2->Colour(), PaletteRgb(3));
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 0), "");
}

TEST_F(FileCommands, SidecarsOfAnyOtherLengthAreIgnored) {
  const struct {
    const char* name;
    Bytes sidecar;
  } cases[] = {{"two.spr", {3, 4}}, {"four.spr", {3, 4, 5, 7}}, {"none.spr", {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Path(c.name), PatternBytes(128, 3));
    if (!c.sidecar.empty()) WriteBytes(Path(QString::fromLatin1(c.name) + ".inf"), c.sidecar);
    OpenThroughDialog(Path(c.name));
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ") + c.name);
    ExpectColours(6, 1, 0);
  }
}

TEST_F(FileCommands, UpToCurrentCountsTheRecordsItWouldSave) {
  EXPECT_EQ(UpToCurrentCaption(), QStringLiteral("Up to Current (1)..."));
  GoTo(255);
  EXPECT_EQ(UpToCurrentCaption(), QStringLiteral("Up to Current (256)..."));
  GoTo(9);
  EXPECT_EQ(UpToCurrentCaption(), QStringLiteral("Up to Current (10)..."));
}

TEST_F(FileCommands, EverySaveWritesItsRecordsAndTheColourSidecar) {
  FillBankWithPattern(document(), 11);
  Rewrite(9, [](SpriteRecord& r) {
    r[kAttributeOffset] = kDefaultAttribute;
  });  // so that all four pens can be chosen
  GoTo(9);
  // Colours picked from the strip: background 11, multi-colour 1 4, multi-colour 2 13.
  const struct {
    QRadioButton* pen;
    QPoint cell;
  } picks[] = {{form().RadioButton1, {12, 28}},
               {form().RadioButton3, {4, 36}},
               {form().RadioButton4, {12, 44}}};
  for (const auto& pick : picks) {
    pick.pen->click();
    Click(form().Image4, pick.cell);
  }
  ExpectColours(11, 4, 13);
  Key(Qt::Key_U);
  const Bytes bank = BankBytes(document());
  ASSERT_TRUE(document().Modified());

  const struct {
    const char* name;
    std::function<void()> save;
    int bytes;
  } saves[] = {
      {"first16", [&] { form().First161k1->trigger(); }, 1024},
      {"first32", [&] { form().First322k1->trigger(); }, 2048},
      {"first64", [&] { form().First644k1->trigger(); }, 4096},
      {"first128", [&] { form().First1281->trigger(); }, 8192},
      {"upto", [&] { form().Specify1->trigger(); }, 640},
      {"all", [&] { form().SaveAll1->trigger(); }, 16384},
      {"ctrl-s", [&] { Key(Qt::Key_S); }, 16384},
  };
  for (const auto& save : saves) {
    SCOPED_TRACE(save.name);
    const QString name = QString::fromLatin1(save.name) + ".spr";
    AnswerFileDialog(Path(name));
    save.save();
    EXPECT_EQ(ReadBytes(Path(name)), Bytes(bank.begin(), bank.begin() + save.bytes));
    EXPECT_EQ(ReadBytes(Path(name + ".inf")), (Bytes{11, 4, 13}));
    EXPECT_EQ(form().windowTitle(), "Kelvane - " + name);
    EXPECT_EQ(form().CurrentSprite(), 9);
    EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
    EXPECT_EQ(document().UndoCount(), 1);
    EXPECT_EQ(BankBytes(document()), bank);
    EXPECT_FALSE(document().Modified());
    // Changes count, also one that puts the bytes back; undone, they are gone again.
    Key(Qt::Key_U);
    Key(Qt::Key_D);
    EXPECT_TRUE(document().Modified());
    form().Undo1->trigger();
    form().Undo1->trigger();
    EXPECT_FALSE(document().Modified());
  }
}

TEST_F(FileCommands, ANameTypedWithoutExtensionIsSavedAsSpr) {
  AnswerFileDialog(Path("ship"));
  form().SaveAll1->trigger();
  EXPECT_EQ(ReadBytes(Path("ship.spr")), BankBytes(document()));
  EXPECT_EQ(ReadBytes(Path("ship.spr.inf")), (Bytes{6, 1, 0}));
  EXPECT_FALSE(QFile::exists(Path("ship")));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ship.spr"));
}

TEST_F(FileCommands, SavingOverAnExistingFileAsksFirst) {
  WriteBytes(Path("old.spr"), {1, 2, 3});
  MessageBoxSeen declined;
  AnswerNextModal([&](QWidget*) {
    // No keeps the dialog open for another name; the user then cancels it.
    AnswerMessageBox(QMessageBox::No, &declined);
    AnswerNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  });
  ThroughDialog(form().SaveAll1, Path("old.spr"));
  ASSERT_TRUE(declined.shown);
  EXPECT_EQ(ReadBytes(Path("old.spr")), (Bytes{1, 2, 3}));
  EXPECT_FALSE(QFile::exists(Path("old.spr.inf")));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - Untitled.spr"));

  MessageBoxSeen confirmed;
  ThroughDialog(form().SaveAll1, Path("old.spr"), &confirmed, QMessageBox::Yes);
  ASSERT_TRUE(confirmed.shown);
  EXPECT_EQ(ReadBytes(Path("old.spr")), BankBytes(document()));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - old.spr"));
}

// Two windows saving one file: the later save says the file has changed, and Cancel, the
// default, keeps the other's file.
TEST_F(FileCommands, SavingOverAFileChangedOnDiskAsksFirst) {
  const QString ship = Path("ship.spr");
  const struct {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"unchanged", [] {}},
      {"saved by another window",
       [&] {
         const FileImage other{QFile::encodeName(ship).toStdString(), Bytes(64, 7)};
         ASSERT_FALSE(SaveFiles({&other, 1}).has_value());
       }},
      {"rewritten in place", [&] { WriteBytes(ship, Bytes(128, 7)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(ship, PatternBytes(64, 1));
    Open({ship});
    c.change();
    const Bytes other = ReadBytes(ship);
    const bool changed = std::string(c.name) != "unchanged";

    MessageBoxSeen cancelled;
    SaveOver(ship, QMessageBox::Cancel, &cancelled);
    ASSERT_EQ(cancelled.shown, changed);
    if (changed) {
      EXPECT_EQ(cancelled.text, QStringLiteral("ship.spr has changed on disk since it was opened "
                                               "or saved.\nOverwrite it?"));
      EXPECT_EQ(cancelled.buttonTexts,
                (QStringList{QStringLiteral("Cancel"), QStringLiteral("&Overwrite")}));
      EXPECT_EQ(cancelled.defaultButton, QMessageBox::Cancel);
      EXPECT_EQ(ReadBytes(ship), other);
      MessageBoxSeen overwritten;
      SaveOver(ship, QMessageBox::Yes, &overwritten);
      EXPECT_TRUE(overwritten.shown);
    }
    EXPECT_EQ(ReadBytes(ship), BankBytes(document()));
    // What the window wrote itself is no change.
    MessageBoxSeen again;
    SaveOver(ship, QMessageBox::Cancel, &again);
    EXPECT_FALSE(again.shown);
  }
}

TEST_F(FileCommands, ASaveThatCannotBeWrittenSaysWhichFileAndKeepsTheTitle) {
  AnswerFileDialog(Path("good.spr"));
  form().SaveAll1->trigger();
  const Bytes saved = BankBytes(document());
  ASSERT_EQ(ReadBytes(Path("good.spr")), saved);
  Put(0, PatternSprite(1, kDefaultAttribute));
  WriteBytes(Path("plain"), {1});
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("side.spr.inf")));

  const struct {
    const char* name;
    QString target;
    QString failing;  // the file the message must name
  } cases[] = {
      {"folder is a file", Path("plain/ship.spr"), Path("plain/ship.spr")},
      {"sidecar is a folder", Path("side.spr"), Path("side.spr.inf")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MessageBoxSeen seen;
    ThroughDialog(form().SaveAll1, c.target, &seen);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("File Error"));
    EXPECT_TRUE(seen.text.contains(c.failing)) << seen.text.toStdString();
    EXPECT_EQ(seen.buttons, QList{QMessageBox::Ok});
    EXPECT_FALSE(seen.hadIcon);
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - good.spr"));
    EXPECT_EQ(ReadBytes(Path("good.spr")), saved);
  }
  // The records are not saved without their colours.
  EXPECT_FALSE(QFile::exists(Path("side.spr")));
  // The next save proposes the file last saved, not the one that failed.
  QString proposed;
  AnswerNextModal([&](QWidget* modal) {
    proposed = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    qobject_cast<QDialog*>(modal)->reject();
  });
  form().SaveAll1->trigger();
  EXPECT_EQ(proposed, QStringLiteral("good.spr"));
}

TEST_F(FileCommands, LoadingForgetsTheHistoryOfTheSpriteItReplaces) {
  Put(0, PatternSprite(4, kDefaultAttribute));
  form().RefreshEditor();
  Key(Qt::Key_U);
  ASSERT_TRUE(form().Btn_Undo->isEnabled());
  document().MarkSaved();  // the question about unsaved work has tests of its own
  const Bytes file = PatternBytes(64, 8);
  WriteBytes(Path("one.spr"), file);

  OpenThroughDialog(Path("one.spr"));  // sprite 0 of the lower half was already shown

  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  Key(Qt::Key_Z);
  EXPECT_EQ(BankBytes(document(), 64), file);
  EXPECT_EQ(EditorMismatches(form()), "");
}

TEST_F(FileCommands, OneCommandLineArgumentIsLoadedAtStartUpAndTwoAreIgnored) {
  const Bytes file = PatternBytes(4096, 6);
  WriteBytes(Path("start.spr"), file);
  WriteBytes(Path("start.spr.inf"), {2, 3, 4});

  Open({Path("start.spr")});
  EXPECT_EQ(BankBytes(document(), 4096), file);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - start.spr"));
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet2);
  ExpectColours(2, 3, 4);
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 20), "");

  Open({Path("start.spr"), Path("start.spr")});
  EXPECT_EQ(document().Bank(), SpriteBank());
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - Untitled.spr"));
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
  ExpectColours(6, 1, 0);
}

// A file dialog reads its folder, and watches it, from the moment it is made: none is made
// before a command needs it, and a save dialog made after a load still proposes the file.
TEST_F(FileCommands, FileDialogsAreMadeOnFirstUse) {
  WriteBytes(Path("first.spr"), PatternBytes(64, 1));
  Open({Path("first.spr")});
  EXPECT_TRUE(form().findChildren<QFileDialog*>().isEmpty());

  QString proposed;
  AnswerNextModal([&](QWidget* modal) {
    proposed = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    qobject_cast<QDialog*>(modal)->reject();
  });
  form().SaveAll1->trigger();
  EXPECT_EQ(proposed, QStringLiteral("first.spr"));
  AnswerNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  form().Open1->trigger();
  QStringList made;
  for (const QFileDialog* dialog : form().findChildren<QFileDialog*>()) {
    made << dialog->objectName();
  }
  made.sort();
  EXPECT_EQ(made, (QStringList{QStringLiteral("OpenDialog1"), QStringLiteral("SaveDialog1")}));
}

TEST_F(FileCommands, NamesWithBlanksAndLettersBeyondAscii) {
  for (const QString& name : {QStringLiteral("my ship.spr"), QStringLiteral("Sprïte ✓ ß.spr")}) {
    SCOPED_TRACE(name.toStdString());
    const Bytes file = PatternBytes(192, 9);
    WriteBytes(Path(name), file);
    WriteBytes(Path(name + ".inf"), {5, 6, 7});

    Open({Path(name)});
    EXPECT_EQ(BankBytes(document(), 192), file);
    EXPECT_EQ(form().windowTitle(), "Kelvane - " + name);
    ExpectColours(5, 6, 7);

    const QString copy = "copy of " + name;
    AnswerFileDialog(Path(copy));
    form().SaveAll1->trigger();
    EXPECT_EQ(ReadBytes(Path(copy)), BankBytes(document()));
    EXPECT_EQ(ReadBytes(Path(copy + ".inf")), (Bytes{5, 6, 7}));
    EXPECT_EQ(form().windowTitle(), "Kelvane - " + copy);
  }
}

}  // namespace
}  // namespace kelvane::test
