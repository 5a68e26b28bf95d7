// Cut, copy and paste of one sprite, and the bank-wide commands with their confirmations,
// driven through the menus, shortcuts and glyph buttons.
#include <QTemporaryDir>
#include <QTest>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

class ClipboardCommands : public MainWindowFixture {
 protected:
  // Puts a patterned hi-res sprite at n and shows it.
  SpriteRecord ShowPatternedSprite(int n, int seed = 3) {
    Put(n, PatternSprite(seed, kHiresGreen));
    GoTo(n);
    return document().Bank().Record(n);
  }
  // As a user choosing a sprite with the scroll bar and the "Upper 128" box.
  void GoTo(int n) {
    form().UpperSet->setChecked(n >= kHalfBankSprites);
    form().ScrollBar1->setValue(n % kHalfBankSprites);
    form().RefreshEditor();  // when neither control moved, the same sprite is shown again
    ASSERT_EQ(form().CurrentSprite(), n);
  }
  SpriteRecord Blank() {
    SpriteRecord blank{};
    blank[kAttributeOffset] = kDefaultAttribute;
    return blank;
  }
  const QImage& Rest(int glyph) { return form().ImageList1().Picture(glyph); }
  const QImage& Pressed(int glyph) { return form().ImageList1().Picture(glyph + kGlyphButtons); }
};

TEST_F(ClipboardCommands, PasteDoesNothingBeforeAnythingWasCutOrCopied) {
  ShowPatternedSprite(0);
  const WindowState before = WindowState::Of(form());
  ASSERT_FALSE(form().Paste1->isEnabled());

  form().Paste1->trigger();
  Key(Qt::Key_V);
  Press(form().Btn_Paste, {12, 12});
  EXPECT_EQ(form().Btn_Paste->Picture(), Rest(kGlyphPaste));
  Release(form().Btn_Paste, {12, 12});

  EXPECT_EQ(WindowState::Of(form()), before);
  EXPECT_EQ(document().UndoCount(), 0);
}

TEST_F(ClipboardCommands, CutByDeleteUndoneThenPastedOnAnotherSprite) {
  const SpriteRecord original = ShowPatternedSprite(0);
  ASSERT_FALSE(form().MCToggle->isChecked());

  Key(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(document().Bank().Record(0), Blank());  // a multi-colour blank, not an all-zero record
  EXPECT_TRUE(form().MCToggle->isChecked());
  EXPECT_TRUE(form().Paste1->isEnabled());
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 0), "");

  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(0), original);
  EXPECT_FALSE(form().MCToggle->isChecked());
  EXPECT_EQ(EditorMismatches(form()), "");

  GoTo(4);
  Key(Qt::Key_V);
  EXPECT_EQ(document().Bank().Record(4), original);
  EXPECT_EQ(document().Bank().Record(0), original);
  EXPECT_FALSE(form().MCToggle->isChecked());  // the pasted sprite brings its own mode
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 4), "");
  EXPECT_EQ(document().UndoCount(), 1);
}

TEST_F(ClipboardCommands, CutAndCopyGlyphsFillTheClipboardForCtrlVAndThePasteGlyph) {
  const SpriteRecord copied = ShowPatternedSprite(1, 8);
  const std::vector<std::uint8_t> bank = BankBytes(document());

  Press(form().Btn_Copy, {12, 12});
  EXPECT_EQ(form().Btn_Copy->Picture(), Pressed(kGlyphCopy));
  EXPECT_TRUE(form().Paste1->isEnabled());
  Release(form().Btn_Copy, {12, 12});
  EXPECT_EQ(form().Btn_Copy->Picture(), Rest(kGlyphCopy));
  EXPECT_EQ(BankBytes(document()), bank);
  EXPECT_EQ(document().UndoCount(), 0);  // copying changes nothing that could be undone

  GoTo(2);
  Key(Qt::Key_V);
  EXPECT_EQ(document().Bank().Record(2), copied);
  EXPECT_EQ(ThumbnailMismatches(form(), 2), "");

  GoTo(4);
  Press(form().Btn_Paste, {12, 12});
  EXPECT_EQ(document().Bank().Record(4), copied);
  EXPECT_EQ(form().Btn_Paste->Picture(), Pressed(kGlyphPaste));
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 4), "");
  Release(form().Btn_Paste, {12, 12});
  EXPECT_EQ(form().Btn_Paste->Picture(), Rest(kGlyphPaste));
  EXPECT_EQ(document().UndoCount(), 1);

  const SpriteRecord cut = ShowPatternedSprite(16, 9);
  Press(form().Btn_Cut, {12, 12});
  EXPECT_EQ(form().Btn_Cut->Picture(), Pressed(kGlyphCut));
  EXPECT_EQ(document().Bank().Record(16), Blank());
  EXPECT_EQ(ThumbnailMismatches(form(), 16), "");
  Release(form().Btn_Cut, {12, 12});
  GoTo(17);
  Key(Qt::Key_V);
  EXPECT_EQ(document().Bank().Record(17), cut);
}

TEST_F(ClipboardCommands, DecliningAConfirmationChangesNothingAtAll) {
  const struct {
    const char* name;
    QAction* TForm1::*item;
    const char* caption;
    const char* text;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton decline;
  } confirmations[] = {
      {"New",
       &TForm1::New1,
       "Confirm",
       "This will destroy all existing data, proceed?",
       {QMessageBox::Yes, QMessageBox::No},
       QMessageBox::No},
      {"Remove Blanks",
       &TForm1::Takeoutblanks1,
       "Warning",
       "Warning : This operation cannot be undone. Proceed?",
       {QMessageBox::Ok, QMessageBox::Cancel},
       QMessageBox::Cancel},
      {"attributes to all",
       &TForm1::CopyCurrentSpriteAttributesToAll1,
       "Warning",
       "Warning : This operation cannot be undone. Proceed?",
       {QMessageBox::Ok, QMessageBox::Cancel},
       QMessageBox::Cancel},
  };
  // A bank and a window far from their start-up state, so that any reset would show.
  QTemporaryDir dir;
  FillBankWithPattern(document(), 5);
  for (int n = 30; n < 60; ++n) {
    Rewrite(n, [](SpriteRecord& r) { std::fill_n(r.begin(), kPixelBytes, 0); });
  }
  Rewrite(kHalfBankSprites + 7,
          [](SpriteRecord& r) { r[kAttributeOffset] = kDefaultAttribute | 3; });
  GoTo(kHalfBankSprites + 7);
  form().RadioButton4->click();
  form().GridToggle->click();
  Key(Qt::Key_C);
  Key(Qt::Key_U);
  AnswerFileDialog(dir.filePath(QStringLiteral("kept.spr")));
  form().SaveAll1->trigger();
  ASSERT_EQ(form().windowTitle(), QStringLiteral("Kelvane - kept.spr"));
  const WindowState before = WindowState::Of(form());
  ASSERT_EQ(before.pen, kMultiColour2Pen);
  ASSERT_EQ(before.undoCount, 1);

  for (const auto& confirmation : confirmations) {
    SCOPED_TRACE(confirmation.name);
    MessageBoxSeen seen;
    AnswerMessageBox(confirmation.decline, &seen);
    (form().*confirmation.item)->trigger();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, QString::fromLatin1(confirmation.caption));
    EXPECT_EQ(seen.text, QString::fromLatin1(confirmation.text));
    EXPECT_EQ(seen.buttons, confirmation.buttons);
    EXPECT_FALSE(seen.hadIcon);
    EXPECT_EQ(WindowState::Of(form()), before);
  }
}

TEST_F(ClipboardCommands, NewResetsTheBankAndPenButKeepsWhatWasCopied) {
  const SpriteRecord copied = ShowPatternedSprite(kHalfBankSprites + 2);
  Key(Qt::Key_C);
  GoTo(kHalfBankSprites + 3);  // multi-colour again, so the multi-colour pens can be chosen
  form().RadioButton4->click();
  ASSERT_EQ(document().CurrentPen(), kMultiColour2Pen);
  form().GridToggle->click();
  form().PageControl1->setCurrentWidget(form().TabSheet2);

  document().MarkSaved();  // nothing unsaved: New asks its own question
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Yes, &seen);
  Key(Qt::Key_N);
  ASSERT_TRUE(seen.shown);

  SpriteBank fresh;
  EXPECT_EQ(document().Bank(), fresh);
  EXPECT_EQ(form().CurrentSprite(), 0);
  EXPECT_FALSE(form().UpperSet->isChecked());
  EXPECT_EQ(form().ScrollBar1->value(), 0);
  EXPECT_TRUE(form().RadioButton2->isChecked());
  EXPECT_FALSE(form().RadioButton4->isChecked());
  EXPECT_EQ(document().CurrentPen(), kSpriteColourPen);
  EXPECT_TRUE(form().GridToggle->isChecked());
  EXPECT_TRUE(form().MCToggle->isChecked());
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - Untitled.spr"));
  EXPECT_EQ(form().Panel1->Colour(), PaletteRgb(6));
  EXPECT_EQ(form().Panel3->Colour(), PaletteRgb(1));
  EXPECT_EQ(form().Panel4->Colour(), PaletteRgb(0));
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_TRUE(form().Paste1->isEnabled());

  Key(Qt::Key_V);
  EXPECT_EQ(document().Bank().Record(0), copied);
}

TEST_F(ClipboardCommands, RemoveBlanksClosesUpTheBankAndForgetsTheShownSpritesHistory) {
  SpriteBank bank;
  for (int n : {3, 7, 200}) bank.SetRecord(n, PatternSprite(n, static_cast<std::uint8_t>(n)));
  PutBank(bank);
  GoTo(1);
  Key(Qt::Key_U);  // a blank sprite still leaves a snapshot
  ASSERT_EQ(document().UndoCount(), 1);

  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Ok, &seen);
  form().Takeoutblanks1->trigger();
  ASSERT_TRUE(seen.shown);

  EXPECT_EQ(document().Bank().Record(0), bank.Record(3));
  EXPECT_EQ(document().Bank().Record(1), bank.Record(7));
  EXPECT_EQ(document().Bank().Record(2), bank.Record(200));
  for (int n = 3; n < kSpriteCount; ++n)
    EXPECT_EQ(document().Bank().Record(n), SpriteRecord{}) << n;
  EXPECT_EQ(form().CurrentSprite(), 1);
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 2), "");
  // Sprite 1 now holds what was sprite 7: its old snapshot must not come back over it.
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(1), bank.Record(7));
}

TEST_F(ClipboardCommands, AttributesOfTheShownSpriteGoToEverySprite) {
  FillBankWithPattern(document(), 2);
  const std::vector<std::uint8_t> before = BankBytes(document());
  Rewrite(9, [](SpriteRecord& r) { r[kAttributeOffset] = 0x02; });  // hi-res, red
  GoTo(9);

  AnswerMessageBox(QMessageBox::Ok);
  form().CopyCurrentSpriteAttributesToAll1->trigger();

  for (int n = 0; n < kSpriteCount; ++n) {
    EXPECT_EQ(document().Bank().Attribute(n), 0x02) << n;
    EXPECT_TRUE(std::ranges::equal(document().Bank().Sprite(n).first<kPixelBytes>(),
                                   std::span(before).subspan(n * kSpriteBytes, kPixelBytes)))
        << n;
  }
  EXPECT_FALSE(form().MCToggle->isChecked());
  EXPECT_EQ(ThumbnailMismatches(form(), 18), "");
}

}  // namespace
}  // namespace kelvane::test
