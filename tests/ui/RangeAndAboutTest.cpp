// The Range dialog behind "Cut Range..." and "Copy Range...", "Paste Range", and the About box.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/TAboutBox.h"
#include "ui/TRangeEditBox.h"

namespace kelvane::test {
namespace {

// Replaces whatever the spin box shows by text, as typed over a selection.
void TypeInto(QSpinBox* box, const QString& text) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, text);
}

class RangeAndAbout : public MainWindowFixture {
 protected:
  // Runs item, which shows the Range dialog, and lets act work the dialog.
  void WithRangeDialog(QAction* item, std::function<void(TRangeEditBox&)> act) {
    bool shown = false;
    AnswerNextModal([&shown, act](QWidget* modal) {
      auto* box = qobject_cast<TRangeEditBox*>(modal);
      if (box == nullptr) {
        modal->close();
        return;
      }
      shown = true;
      act(*box);
      if (box->isVisible()) box->reject();  // a failed check above must not leave it open
    });
    item->trigger();
    ASSERT_TRUE(shown);
  }

  void TakeRange(QAction* item, const QString& from, const QString& to) {
    WithRangeDialog(item, [&](TRangeEditBox& box) {
      TypeInto(box.UpDown1, from);
      TypeInto(box.UpDown2, to);
      QTest::mouseClick(box.Button1, Qt::LeftButton);
    });
  }

  void GoTo(int n) {
    form().UpperSet->setChecked(n >= kHalfBankSprites);
    form().ScrollBar1->setValue(n % kHalfBankSprites);
    ASSERT_EQ(form().CurrentSprite(), n);
  }
};

TEST_F(RangeAndAbout, CopyRangeOfTypedSpritesPastesAtTheCurrentSprite) {
  FillBankWithPattern(document(), 4);
  const SpriteBank before = document().Bank();

  TakeRange(form().CopyRange1, "10", "12");
  EXPECT_EQ(document().Bank(), before);
  EXPECT_TRUE(form().PasteRange1->isEnabled());

  GoTo(100);
  form().PasteRange1->trigger();
  for (int n = 0; n < kSpriteCount; ++n) {
    const int from = n >= 100 && n <= 102 ? n - 90 : n;
    EXPECT_EQ(document().Bank().Record(n), before.Record(from)) << n;
  }
  EXPECT_EQ(EditorMismatches(form()), "");

  // Past the last sprite the range is cut short.
  GoTo(254);
  form().PasteRange1->trigger();
  EXPECT_EQ(document().Bank().Record(254), before.Record(10));
  EXPECT_EQ(document().Bank().Record(255), before.Record(11));
  EXPECT_EQ(document().Bank().Record(253), before.Record(253));
  EXPECT_EQ(EditorMismatches(form()), "");
}

TEST_F(RangeAndAbout, CutRangeClearsTheTypedSpritesAndShowsTheCurrentOneCleared) {
  FillBankWithPattern(document(), 6);
  for (int n = 0; n < kSpriteCount; ++n) {
    Rewrite(n, [](SpriteRecord& r) { r[kAttributeOffset] = kDefaultAttribute; });
  }
  const SpriteBank before = document().Bank();
  GoTo(17);
  ASSERT_TRUE(form().MCToggle->isChecked());

  TakeRange(form().CutRange1, "16", "18");

  for (int n = 0; n < kSpriteCount; ++n) {
    EXPECT_EQ(document().Bank().Record(n), n >= 16 && n <= 18 ? SpriteRecord{} : before.Record(n))
        << n;
  }
  EXPECT_FALSE(form().MCToggle->isChecked());  // an all-zero record is a hi-res sprite
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 16), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 18), "");

  GoTo(40);
  form().PasteRange1->trigger();
  for (int k = 0; k < 3; ++k) EXPECT_EQ(document().Bank().Record(40 + k), before.Record(16 + k));
}

TEST_F(RangeAndAbout, CancelDoesNothingAndLeavesPasteRangeDisabled) {
  FillBankWithPattern(document(), 8);
  GoTo(3);
  const WindowState before = WindowState::Of(form());
  for (QAction* item : {form().CutRange1, form().CopyRange1}) {
    WithRangeDialog(item, [](TRangeEditBox& box) {
      TypeInto(box.UpDown1, "0");
      TypeInto(box.UpDown2, "255");
      QTest::mouseClick(box.Button2, Qt::LeftButton);
    });
    EXPECT_EQ(WindowState::Of(form()), before);
    EXPECT_FALSE(form().PasteRange1->isEnabled());
  }
}

TEST_F(RangeAndAbout, FieldsStartAtZeroEveryTimeAndStopAtTheirEnds) {
  FillBankWithPattern(document(), 9);
  const SpriteBank before = document().Bank();
  WithRangeDialog(form().CopyRange1, [](TRangeEditBox& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Range"));
    EXPECT_EQ(box.UpDown1->value(), 0);
    EXPECT_EQ(box.UpDown2->value(), 0);
    TypeInto(box.UpDown1, "255");
    QTest::keyClick(box.UpDown1, Qt::Key_Up);
    EXPECT_EQ(box.UpDown1->value(), 255);
    QTest::keyClick(box.UpDown2, Qt::Key_Down);
    EXPECT_EQ(box.UpDown2->value(), 0);
    TypeInto(box.UpDown2, "7");
    QTest::mouseClick(box.Button1, Qt::LeftButton);
  });
  // From above To takes nothing, yet a paste range is offered (and writes nothing).
  EXPECT_TRUE(form().PasteRange1->isEnabled());
  form().PasteRange1->trigger();
  EXPECT_EQ(document().Bank(), before);

  WithRangeDialog(form().CutRange1, [](TRangeEditBox& box) {
    EXPECT_EQ(box.UpDown1->value(), 0);
    EXPECT_EQ(box.UpDown2->value(), 0);
    QTest::mouseClick(box.Button1, Qt::LeftButton);  // the one-sprite range 0 to 0
  });
  EXPECT_EQ(document().Bank().Record(0), SpriteRecord{});
  EXPECT_EQ(document().Bank().Record(1), before.Record(1));
}

TEST_F(RangeAndAbout, AboutBoxOpensBesideTheMovedWindowAndClosesOnOk) {
  form().move(form().pos() + QPoint(211, 67));
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().pos() == QPoint(164 + 211, 53 + 67); }));
  QPoint at;
  QString title;
  QStringList labels;
  AnswerNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<TAboutBox*>(modal);
    if (box == nullptr) {
      modal->close();
      return;
    }
    at = box->pos();
    title = box->windowTitle();
    for (QLabel* label : box->findChildren<QLabel*>()) labels << label->text();
    QTest::mouseClick(box->Button1, Qt::LeftButton);
  });
  form().About1->trigger();

  EXPECT_EQ(at, form().pos() + QPoint(150, 100));
  EXPECT_EQ(title, QStringLiteral("About..."));
  EXPECT_TRUE(labels.contains(QStringLiteral("Kelvane 1.5"))) << labels.join('|').toStdString();
  EXPECT_TRUE(form().findChildren<TAboutBox*>().isEmpty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kelvane::test
