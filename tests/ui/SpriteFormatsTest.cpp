// The community's formats through the File menu: a file opened in one is saved in it, Export
// writes what kelvane-convert writes, and a PNG sheet comes in as sprites.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "WindowChecks.h"
#include "files/FormatRegistry.h"
#include "files/SpritePadAnimations.h"
#include "files/SpritePadFixture.h"
#include "files/SpritePadFormat.h"
#include "files/SpriteSets.h"
#include "files/SpritemateFormat.h"
#include "render/AnimationExport.h"
#include "render/PngExport.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/TExportDialog.h"

namespace kelvane::test {
namespace {

using fixture::Bytes;

Bytes ReadFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return {data.begin(), data.end()};
}

void WriteFileBytes(const QString& path, const Bytes& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

class FormatsInTheWindow : public MainWindowFixture {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // Types path into the open dialog. The file picked last time stays selected in its list
  // until the name box has the focus a user's typing gives it; a test's typing has to clear it.
  void OpenThroughDialog(const QString& path, MessageBoxSeen* seen = nullptr) {
    AnswerNextModal([seen, path](QWidget* modal) {
      if (seen) AnswerMessageBox(QMessageBox::Ok, seen);
      modal->findChild<QAbstractItemView*>(QStringLiteral("listView"))->clearSelection();
      auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      edit->setText(path);
      QTest::keyClick(edit, Qt::Key_Return);
    });
    form().Open1->trigger();
  }

  // Ctrl+S and Return, taking the name the save dialog proposes in the folder of the file last
  // opened, or its filter changed to the one at filter, or the name typed; a file that is there
  // is replaced.
  void SaveAllAsProposed(QString* proposed, int filter = -1, const QString& typed = {}) {
    AnswerNextModal([this, proposed, filter, typed](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      if (filter >= 0) {
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(filter);
        emit types->activated(filter);
      }
      auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (!typed.isEmpty()) {
        dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))->clearSelection();
        edit->setText(typed);
      }
      *proposed = edit->text();
      if (QFile::exists(Path(*proposed))) AnswerMessageBox(QMessageBox::Yes);
      QTest::keyClick(edit, Qt::Key_Return);
    });
    Key(Qt::Key_S);
  }

  // Sets the Export dialog as set and presses OK.
  void Export(const std::function<void(TExportDialog&)>& set) {
    AnswerNextModal([set](QWidget* modal) {
      auto* dialog = qobject_cast<TExportDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      set(*dialog);
      dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    form().Export1->trigger();
  }

  QTemporaryDir dir_;
};

// Ctrl+S after opening a file writes its own format back: everything but the edited sprite
// stays byte for byte, the SpritePad version and blocks, colour bytes with bits above the colour
// and the PRG's load address included.
TEST_F(FormatsInTheWindow, SaveWritesTheFormatTheFileWasOpenedIn) {
  auto spec = fixture::RichV5(kSpriteCount);
  spec.colours = {0xFE, 0x80, 0x71};
  const struct {
    const char* name;
    Bytes file;
    std::size_t recordsAt;
  } cases[] = {
      {"tiles.spd", fixture::SpdFile(spec), 20},
      // Its mark tells it from plain records whatever its name.
      {"tiles.spr", fixture::SpdFile(spec), 20},
      {"chunk.prg", fixture::Concat({{0x00, 0x30}, fixture::RecordBytes(kSpriteCount)}), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString::fromLatin1(c.name);
    WriteFileBytes(Path(name), c.file);
    OpenThroughDialog(Path(name));
    form().PageControl1->setCurrentWidget(form().TabSheet1);
    form().RadioButton2->click();
    Click(form().Image1, {4, 4});  // the top left pixel of sprite 0
    Bytes expected = c.file;
    const SpriteRecord edited = document().Bank().Record(0);
    ASSERT_NE(Bytes(edited.begin(), edited.end()),
              Bytes(c.file.begin() + c.recordsAt, c.file.begin() + c.recordsAt + kSpriteBytes));
    std::copy(edited.begin(), edited.end(), expected.begin() + c.recordsAt);

    QString proposed;
    SaveAllAsProposed(&proposed);
    EXPECT_EQ(proposed, name);
    EXPECT_EQ(ReadFileBytes(Path(name)), expected);
    EXPECT_FALSE(QFile::exists(Path(name + ".inf")));
    EXPECT_EQ(form().windowTitle(), "Kelvane - " + name);
    if (c.recordsAt != 20) continue;  // a shared colour picked is written as picked
    Click(form().RadioButton1);
    Press(form().Image4, {12, 2 * 8 + 1});  // background: colour 10
    SaveAllAsProposed(&proposed);
    expected[13] = 10;
    EXPECT_EQ(ReadFileBytes(Path(name)), expected);
  }
}

TEST_F(FormatsInTheWindow, TheSprFilterSavesASpriteFileAndItsSidecar) {
  auto spec = fixture::RichV5(40);
  spec.flags = 2;  // animations only: no objects to ask about
  WriteFileBytes(Path("ship.spd"), fixture::SpdFile(spec));
  OpenThroughDialog(Path("ship.spd"));
  QString proposed;
  SaveAllAsProposed(&proposed, 0);
  EXPECT_EQ(proposed, QStringLiteral("ship.spr"));
  EXPECT_EQ(ReadFileBytes(Path("ship.spr")), BankBytes(document()));
  EXPECT_EQ(ReadFileBytes(Path("ship.spr.inf")), (Bytes{14, 0, 1}));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ship.spr"));
  SaveAllAsProposed(&proposed);
  EXPECT_EQ(proposed, QStringLiteral("ship.spr"));  // from now on a sprite file
}

// A name typed with another format's extension is saved in that format when the filter's bytes
// would not open again under it.
TEST_F(FormatsInTheWindow, ATypedNameOfAFormatIsSavedInThatFormat) {
  WriteFileBytes(Path("chunk.prg"), fixture::Concat({{0x00, 0x30}, fixture::RecordBytes(2)}));
  QString proposed;
  for (const char* typed : {"ship.spr", "ship.spd"}) {
    OpenThroughDialog(Path("chunk.prg"));  // proposes the PRG filter
    SaveAllAsProposed(&proposed, -1, QString::fromLatin1(typed));
  }
  EXPECT_EQ(ReadFileBytes(Path("ship.spr")), BankBytes(document()));
  EXPECT_TRUE(QFile::exists(Path("ship.spr.inf")));
  const Bytes spd = ReadFileBytes(Path("ship.spd"));
  EXPECT_EQ(SpriteFormats().Recognise(spd, "ship.spd"), SpriteFormats().Find(kSpritePadId));
}

TEST_F(FormatsInTheWindow, WhatCannotBeOpenedIsRefusedWithTheReasonAndChangesNothing) {
  fixture::SpdSpec tooMany = fixture::RichV5(kSpriteCount + 44);
  Bytes broken = fixture::SpdFile(fixture::RichV5(3));
  broken.pop_back();
  WriteFileBytes(Path("many.spd"), fixture::SpdFile(tooMany));
  WriteFileBytes(Path("broken.spd"), broken);
  const WindowState before = WindowState::Of(form());
  for (const auto& [name, says] :
       {std::pair{"many.spd", "holds 300 sprites"}, std::pair{"broken.spd", "does not add up"}}) {
    SCOPED_TRACE(name);
    MessageBoxSeen seen;
    OpenThroughDialog(Path(QString::fromLatin1(name)), &seen);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QStringLiteral("File Error"));
    EXPECT_TRUE(seen.text.contains(QString::fromLatin1(says))) << seen.text.toStdString();
    EXPECT_EQ(WindowState::Of(form()), before);
  }
}

// The Export dialog and kelvane-convert on the same sprites and options give the same bytes.
TEST_F(FormatsInTheWindow, ExportWritesWhatTheConverterWrites) {
  FillBankWithPattern(document(), 3);
  ASSERT_FALSE(SaveSpriteSet(*SpriteFormats().Find("spr"), SpriteSetOf(document(), kSpriteCount),
                             QFile::encodeName(Path("bank.spr")).toStdString()));
  const struct {
    const char* file;
    QStringList options;
    std::function<void(TExportDialog&)> set;
  } cases[] = {{"a.s",
                {"--sprites", "3-9", "--segment", "SHIP", "--number-base", "bin"},
                [](TExportDialog& d) {
                  d.Format->setCurrentIndex(1);  // ca65
                  d.FromSprite->setValue(3);
                  d.ToSprite->setValue(9);
                  d.Segment->setText(QStringLiteral("SHIP"));
                  d.NumberBaseBox->setCurrentIndex(3);
                }},
               {"b.bas",
                {"--per-line", "5", "--no-colour-comment"},
                [](TExportDialog& d) {
                  d.Format->setCurrentIndex(6);  // BASIC, whose own numbers are decimal
                  d.NumberBaseBox->setCurrentIndex(0);
                  d.AllSprites->setChecked(true);
                  d.BytesPerLine->setValue(5);
                  d.ColourComment->setChecked(false);
                }},
               {"c.png",
                {"--scale", "2", "--columns", "7", "--expand", "--sprites", "200-255"},
                [](TExportDialog& d) {
                  d.Format->setCurrentIndex(7);
                  d.FromSprite->setValue(200);
                  d.ToSprite->setValue(255);
                  d.Scale->setValue(2);
                  d.Columns->setValue(7);
                  d.Expand->setChecked(true);
                }},
               {"d.prg",
                {"--load-address", "$C000", "--sprites", "0"},
                [](TExportDialog& d) {
                  d.Format->setCurrentIndex(9);
                  d.CurrentSprite->setChecked(true);
                  d.LoadAddress->setValue(0xC000);
                }},
               {"e.spd", {"--to", "spd5"}, [](TExportDialog& d) {
                  d.Format->setCurrentIndex(11);
                  d.AllSprites->setChecked(true);
                }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const QString exported = Path(QStringLiteral("window-") + c.file);
    Export([&](TExportDialog& dialog) {
      c.set(dialog);
      dialog.FileName->setText(exported);
    });
    const QString converted = Path(QStringLiteral("convert-") + c.file);
    QProcess convert;
    convert.start(QStringLiteral(KELVANE_CONVERT),
                  QStringList(c.options) << Path(QStringLiteral("bank.spr")) << "-o" << converted);
    ASSERT_TRUE(convert.waitForFinished(60000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    const Bytes bytes = ReadFileBytes(exported);
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadFileBytes(converted));
  }

  // The next export starts where the last one left off.
  AnswerNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TExportDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Format->currentIndex(), 11);
    EXPECT_TRUE(dialog->AllSprites->isChecked());
    EXPECT_EQ(dialog->LoadAddress->value(), 0xC000);
    EXPECT_EQ(dialog->FileName->text().right(12), QStringLiteral("window-e.spd"));
    dialog->reject();
  });
  form().Export1->trigger();
}

// An opened SpritePad file exported in its own version keeps its animations and tiles (a part,
// those inside it): the file comes out as the converter writes it from that file, byte for byte.
TEST_F(FormatsInTheWindow, ExportOfAWholeFileKeepsWhatItHeldLikeTheConverter) {
  constexpr int kFileSprites = 40;
  const Bytes file = fixture::SpdFile(fixture::RichV5(kFileSprites));
  WriteFileBytes(Path(QStringLiteral("rich.spd")), file);
  OpenThroughDialog(Path(QStringLiteral("rich.spd")));
  for (const auto& [first, last] :
       {std::pair{0, kFileSprites - 1}, {0, kFileSprites - 2}, {1, 7}}) {
    const QString exported = Path(QStringLiteral("window-%1-%2.spd").arg(first).arg(last));
    SCOPED_TRACE(exported.toStdString());
    Export([&](TExportDialog& dialog) {
      dialog.Format->setCurrentIndex(11);  // SpritePad, version 5
      dialog.SpriteRange->setChecked(true);
      dialog.FromSprite->setValue(first);
      dialog.ToSprite->setValue(last);
      dialog.FileName->setText(exported);
    });
    const QString converted = Path(QStringLiteral("convert.spd"));
    QProcess convert;
    convert.start(QStringLiteral(KELVANE_CONVERT),
                  {"--to", "spd5", "--sprites", QStringLiteral("%1-%2").arg(first).arg(last),
                   Path(QStringLiteral("rich.spd")), "-o", converted});
    ASSERT_TRUE(convert.waitForFinished(60000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    EXPECT_EQ(ReadFileBytes(exported), ReadFileBytes(converted));
    if (last == kFileSprites - 1) {
      EXPECT_EQ(ReadFileBytes(exported), file);
    }
  }
}

// A first export of an opened PRG proposes the address it loaded at.
TEST_F(FormatsInTheWindow, ExportProposesTheOpenedPrgsLoadAddress) {
  WriteFileBytes(Path(QStringLiteral("chunk.prg")),
                 fixture::Concat({{0x00, 0x30}, fixture::RecordBytes(8)}));
  OpenThroughDialog(Path(QStringLiteral("chunk.prg")));
  AnswerNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TExportDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->LoadAddress->value(), 0x3000);
    dialog->reject();
  });
  form().Export1->trigger();
}

// What cannot be replaced is refused at once, not after asking whether to replace it.
TEST_F(FormatsInTheWindow, ExportOntoAFolderIsRefusedWithoutAskingToReplaceIt) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("out")));
  MessageBoxSeen seen;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TExportDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->FileName->setText(Path(QStringLiteral("out")));
    AnswerMessageBox(QMessageBox::Ok, &seen);
    dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    dialog->reject();
  });
  form().Export1->trigger();
  EXPECT_TRUE(seen.text.contains(QStringLiteral("Is a directory"))) << seen.text.toStdString();
  EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

TEST_F(FormatsInTheWindow, ImportPngBringsASheetInAsTheBanksFirstSprites) {
  FillBankWithPattern(document(), 5);
  const Bytes before = BankBytes(document());
  // Hi-res and multi-colour sprites in colours of their own; the picture has no bits 4-6.
  std::vector<SpriteRecord> sheet = fixture::Records(12);
  for (std::size_t n = 0; n < sheet.size(); ++n) {
    // Colours 2-5: none of the shared ones, so every pixel says which pen drew it.
    sheet[n][kAttributeOffset] =
        static_cast<std::uint8_t>((n % 2 ? kMultiColourFlag : 0) | (2 + n % 4));
  }
  const Bytes png = ExportPng(sheet, document().Colours(), {.scale = 3, .columns = 5});
  WriteFileBytes(Path("hero.png"), png);

  AnswerFileDialog(Path("hero.png"));
  form().ImportPNG1->trigger();

  Bytes expected;
  for (const SpriteRecord& record : sheet)
    expected.insert(expected.end(), record.begin(), record.end());
  expected.insert(expected.end(), before.begin() + expected.size(), before.end());
  EXPECT_EQ(BankBytes(document()), expected);
  // Imported sprites are work no sprite file holds yet.
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - hero.spr*"));
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet2);

  // Open takes the same sheet by its content, whatever its name.
  FillBankWithPattern(document(), 5);
  WriteFileBytes(Path("hero.dat"), png);
  AnswerFileDialog(Path("hero.dat"));
  form().Open1->trigger();
  EXPECT_EQ(BankBytes(document()), expected);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - hero.spr*"));
}

// Open offers Spritemate files and sheets, reads them, and names what it cannot read.
TEST_F(FormatsInTheWindow, OpenReadsSpritemateFilesAndNamesTheFormatsOfAFileItCannotRead) {
  QStringList filters;
  AnswerNextModal([&filters](QWidget* modal) {
    filters = qobject_cast<QFileDialog*>(modal)->nameFilters();
    qobject_cast<QDialog*>(modal)->reject();
  });
  form().Open1->trigger();
  EXPECT_EQ(filters.front(),
            QStringLiteral("All sprite files (*.spr *.spd *.spm *.prg *.bin *.png)"));
  EXPECT_EQ(filters.at(filters.size() - 2), QStringLiteral("PNG sprite sheet (*.png)"));

  const auto records = fixture::Records(3);
  WriteFileBytes(Path("hero.spm"),
                 WriteSpritemate(fixture::SetOf(records, "", {}, SharedColours{1, 2, 3})));
  OpenThroughDialog(Path("hero.spm"));
  for (int n = 0; n < 3; ++n) EXPECT_EQ(document().Bank().Record(n), records[n]);
  EXPECT_EQ(document().Colours(), (SharedColours{1, 2, 3}));
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - hero.spm"));

  const Bytes bank = BankBytes(document());
  WriteFileBytes(Path("notes.txt"), Bytes(100, 'x'));
  MessageBoxSeen seen;
  OpenThroughDialog(Path("notes.txt"), &seen);
  EXPECT_EQ(seen.text, "Could not open " + Path("notes.txt") +
                           ":\nis not a sprite file of any format Kelvane reads: C64 sprite file "
                           "(*.spr), SpritePad file (*.spd), Spritemate file (*.spm), PRG file "
                           "(*.prg), Raw sprite data (*.bin) or PNG sprite sheet (*.png)");
  EXPECT_EQ(BankBytes(document()), bank);
}

// A drop opens its first file as Open does, and says it left the others.
TEST_F(FormatsInTheWindow, ADroppedFileOpensAsThroughOpen) {
  fixture::SpdSpec spec{.version = 1, .sprites = 3};
  WriteFileBytes(Path("ship.spd"), fixture::SpdFile(spec));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Path("ship.spd")), QUrl::fromLocalFile(Path("other.spr"))});
  QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form(), &drop);

  for (int n = 0; n < 3; ++n) EXPECT_EQ(document().Bank().Record(n), fixture::Records(3)[n]);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - ship.spd"));
  EXPECT_TRUE(status().startsWith(QStringLiteral("Opened only the first of 2 dropped files")));
}

// A SpritePad file's tiles have no place in a Spritemate file: saving asks, and Cancel writes
// nothing.
TEST_F(FormatsInTheWindow, SavingTilesAsSpritemateAsksFirst) {
  WriteFileBytes(Path("tiles.spd"), fixture::SpdFile(fixture::RichV5(4)));
  OpenThroughDialog(Path("tiles.spd"));
  for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
    MessageBoxSeen seen;
    AnswerNextModal([this, answer, &seen](QWidget* modal) {
      auto* types = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      types->setCurrentIndex(2);  // Spritemate
      emit types->activated(2);
      AnswerMessageBox(answer, &seen);
      TypeIntoFileDialog(modal, Path("tiles.spm"));
    });
    Key(Qt::Key_S);
    EXPECT_EQ(seen.text,
              "Spritemate file cannot hold the 3 tiles of this file: they are not "
              "saved in tiles.spm.\nSave without them?");
    EXPECT_EQ(QFile::exists(Path("tiles.spm")), answer == QMessageBox::Ok);
  }
}

}  // namespace
}  // namespace kelvane::test

namespace kelvane::test {
namespace {

// The chosen animation of the bank leaves as the converter's GIF of it, whatever the Sprites box.
TEST_F(FormatsInTheWindow, ExportWritesTheChosenAnimationAsAGif) {
  FillBankWithPattern(document(), 5);
  const std::vector<SpriteAnimation> animations{{0, 1, 2, 0}, {7, 9, 3, kAnimationPingPongFlag}};
  std::vector<SpriteRecord> bank;
  for (int n = 0; n < kSpriteCount; ++n) bank.push_back(document().Bank().Record(n));
  document().Load(bank, document().Colours(), animations);
  const QString exported = Path(QStringLiteral("walk.gif"));
  Export([&](TExportDialog& d) {
    d.Format->setCurrentIndex(d.Format->count() - 1);
    d.CurrentSprite->setChecked(true);
    d.Animation->setCurrentIndex(1);
    d.GifScale->setValue(3);
    d.FileName->setText(exported);
  });
  PngExportOptions scaled;
  scaled.scale = 3;
  const auto expected =
      ExportAnimatedGif(animations[1], bank, {}, document().Colours(), scaled, "");
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(ReadFileBytes(exported), *expected);
}

}  // namespace
}  // namespace kelvane::test

namespace kelvane::test {
namespace {

// Animations changed in the window are saved into the SpritePad file they came from.
TEST_F(FormatsInTheWindow, ChangedAnimationsAreSavedIntoTheSpritePadFile) {
  auto spec = fixture::RichV5(40);
  spec.flags = 2;  // animations only
  WriteFileBytes(Path("ship.spd"), fixture::SpdFile(spec));
  OpenThroughDialog(Path("ship.spd"));
  const std::vector<SpriteAnimation> edited{{3, 9, 6, kAnimationPingPongFlag}};
  document().SetAnimations("Animation", edited);
  form().SaveFile1->trigger();
  const auto back = ReadSpritePad(ReadFileBytes(Path("ship.spd")), "ship.spd");
  ASSERT_TRUE(back.ok()) << back.error().reason;
  EXPECT_EQ(SpritePadAnimationsOf(*back), edited);
  EXPECT_FALSE(document().Modified());
}

}  // namespace
}  // namespace kelvane::test
