#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include "render/C64Palette.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/ColourSwatch.h"
#include "ui/GlyphArt.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

// Every action reachable from the menu bar, submenus included.
QList<QAction*> MenuActions(QWidget* menuOrBar) {
  QList<QAction*> all;
  for (QAction* action : menuOrBar->actions()) {
    all << action;
    if (action->menu()) all << MenuActions(action->menu());
  }
  return all;
}

using Startup = MainWindowFixture;

TEST_F(Startup, ShowsAnUntitledBankOfBlankSprites) {
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - Untitled.spr"));
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
  EXPECT_EQ(form().PageControl1->tabText(0), QStringLiteral("Editor"));
  EXPECT_EQ(form().PageControl1->tabText(1), QStringLiteral("Browser"));
  EXPECT_EQ(form().Label1->text(), QStringLiteral("000 "));
  EXPECT_TRUE(form().GridToggle->isChecked());
  EXPECT_TRUE(form().MCToggle->isChecked());
  EXPECT_FALSE(form().UpperSet->isChecked());
  EXPECT_EQ(form().ScrollBar1->value(), 0);
  EXPECT_EQ(form().ScrollBar1->maximum(), 127);
  EXPECT_TRUE(form().RadioButton2->isChecked());
  EXPECT_EQ(document().CurrentPen(), 2);
  EXPECT_EQ(document().PenColours(), (std::array<std::uint8_t, 4>{6, 1, 12, 0}));
  EXPECT_EQ(form().Panel1->Colour(), PaletteRgb(6));
  EXPECT_EQ(form().Panel2->Colour(), PaletteRgb(12));
  EXPECT_EQ(form().Panel3->Colour(), PaletteRgb(1));
  EXPECT_EQ(form().Panel4->Colour(), PaletteRgb(0));
  EXPECT_EQ(form().centralWidget()->size(), QSize(306, 323));
  EXPECT_EQ(form().statusBar()->height(), 19);
  EXPECT_EQ(form().Image1->geometry(), QRect(5, 5, 192, 168));
  EXPECT_EQ(form().Image2->size(), QSize(244, 214));
  EXPECT_EQ(form().Image3->geometry(), QRect(205, 5, 68, 62));
  // Blank multi-colour sprite 0: background everywhere but on the grid lines.
  EXPECT_EQ(form().Image1->Picture().pixel(0, 0), PaletteRgb(6));
  EXPECT_EQ(form().Image1->Picture().pixel(15, 0), kGridLineColour);
  EXPECT_EQ(form().Image1->Picture().pixel(7, 0), PaletteRgb(6));
}

TEST_F(Startup, OnlyPasteAndPasteRangeStartDisabled) {
  for (QAction* action : MenuActions(form().menuBar())) {
    if (action->isSeparator() || action->menu()) continue;
    // Redo has nothing to take back yet; the multi-colour sprite has no square to rotate.
    const bool shouldBeOff = action == form().Paste1 || action == form().PasteRange1 ||
                             action == form().Redo1 || action == form().RotateRight1 ||
                             action == form().RotateLeft1;
    EXPECT_EQ(action->isEnabled(), !shouldBeOff) << action->objectName().toStdString();
  }
  EXPECT_TRUE(form().Btn_Undo->isEnabled());
}

TEST_F(Startup, EveryMenuItemHasItsCaptionAndShortcut) {
  const struct {
    QAction* action;
    const char* caption;
    QKeySequence shortcut;
  } items[] = {
      {form().New1, "New", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {form().Open1, "Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {form().First161k1, "First 16 (1k)...", {}},
      {form().First322k1, "First 32 (2k)...", {}},
      {form().First644k1, "First 64 (4k)...", {}},
      {form().First1281, "First 128 (8k)...", {}},
      {form().Specify1, "Up to Current...", {}},
      {form().SaveAll1, "Save All (16k)...", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {form().Exit1, "Exit", {}},
      {form().Cut1, "Cut", QKeySequence(Qt::Key_Delete)},
      {form().Copy1, "Copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {form().Paste1, "Paste", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {form().NudgeUp1, "Nudge Up", QKeySequence(Qt::CTRL | Qt::Key_U)},
      {form().NudgeDown1, "Nudge Down", QKeySequence(Qt::CTRL | Qt::Key_D)},
      {form().NudgeLeft1, "Nudge Left", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {form().NudgeRight1, "Nudge Right", QKeySequence(Qt::CTRL | Qt::Key_R)},
      {form().FlipHorizontal1, "Flip Top to Bottom", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {form().FlipVertical1, "Flip Left to Right", QKeySequence(Qt::CTRL | Qt::Key_G)},
      {form().SymmetrizeHorizontal1, "Symmetrize Top to Bottom",
       QKeySequence(Qt::CTRL | Qt::Key_H)},
      {form().SymmetrizeVertical1, "Symmetrize Left to Right", QKeySequence(Qt::CTRL | Qt::Key_J)},
      {form().Undo1, "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {form().Redo1, "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
      {form().RotateRight1, "Rotate Right", QKeySequence(Qt::CTRL | Qt::Key_T)},
      {form().RotateLeft1, "Rotate Left", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
      {form().animator1, "Animator...", QKeySequence(Qt::CTRL | Qt::Key_A)},
      {form().Viewtextdata1, "View Text Data...", {}},
      {form().CopyCurrentSpriteAttributesToAll1, "Copy Current Sprite Attributes To All", {}},
      {form().Takeoutblanks1, "Remove Blanks", {}},
      {form().CutRange1, "Cut Range...", {}},
      {form().CopyRange1, "Copy Range...", {}},
      {form().PasteRange1, "Paste Range", {}},
      {form().About1, "About...", {}},
      {form().Animations1, "Animations...", {}},
      {form().PlayPreview1, "Play Preview", QKeySequence(Qt::Key_F5)},
      {form().OnionSkin1, "Onion Skin", QKeySequence(Qt::Key_F3)},
      {form().OnionNextFrame1, "Next Frame Too", {}},
  };
  for (const auto& item : items) {
    EXPECT_EQ(PlainCaption(item.action->text()), QString::fromLatin1(item.caption));
    EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
    EXPECT_TRUE(item.action->icon().isNull()) << item.caption;
  }
  QStringList menus;
  for (QAction* top : form().menuBar()->actions()) menus << PlainCaption(top->text());
  EXPECT_EQ(menus, (QStringList{"File", "Edit", "View", "Tools", "Special", "Sprite", "Help"}));
  int separators = 0;
  for (QAction* action : MenuActions(form().menuBar())) separators += action->isSeparator();
  // The documented 7, one before Rotate, one before Tool Bar, one before the animation views,
  // one before Animations... and one before the objects.
  EXPECT_EQ(separators, 12);
}

class GlyphPainting : public ::testing::TestWithParam<qreal> {};

// Keys are painted once per colour and shared: each picture still comes out as painted alone.
TEST_P(GlyphPainting, EachPictureIsTheSameAsPaintedAlone) {
  const auto cross = [](QPainter& p) { p.drawLine(QPointF(7, 7), QPointF(17, 17)); };
  const auto box = [](QPainter& p) { p.drawRect(QRectF(6, 6, 8, 8)); };
  const std::pair<QColor, std::function<void(QPainter&)>> turns[] = {
      {kGreyKey, cross}, {kBlueKey, box}, {kGreyKey, box}, {kBlueKeyPressed, cross}};
  GlyphPainter shared(kGlyphSize, GetParam());
  for (const auto& [key, symbol] : turns) {
    EXPECT_EQ(shared.Draw(key, symbol), GlyphPainter(kGlyphSize, GetParam()).Draw(key, symbol));
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, GlyphPainting, ::testing::Values(1.0, 1.25, 2.0));

TEST_F(Startup, GlyphsRestPressAndReleaseWithTheirPictures) {
  for (int k = 0; k < kGlyphButtons; ++k) {
    EXPECT_EQ(form().Glyphs[k]->Picture(), form().ImageList1().Picture(k)) << k;
    EXPECT_NE(form().ImageList1().Picture(k), form().ImageList1().Picture(k + 12)) << k;
  }
  Press(form().Btn_Up, {12, 12});
  EXPECT_EQ(form().Btn_Up->Picture(), form().ImageList1().Picture(kGlyphUp + 12));
  Release(form().Btn_Up, {12, 12});
  EXPECT_EQ(form().Btn_Up->Picture(), form().ImageList1().Picture(kGlyphUp));
  // Copy works on any page and shows its pressed picture.
  Press(form().Btn_Copy, {12, 12}, Qt::RightButton);
  EXPECT_EQ(form().Btn_Copy->Picture(), form().ImageList1().Picture(kGlyphCopy + 12));
  Release(form().Btn_Copy, {12, 12}, Qt::RightButton);
  EXPECT_EQ(form().Btn_Copy->Picture(), form().ImageList1().Picture(kGlyphCopy));
}

// The sprite number's label skips text shaping; every number it can show must look as shaped.
TEST_F(Startup, SpriteNumbersLookTheSameUnshaped) {
  const QFont unshaped = form().Label1->font();
  ASSERT_TRUE(unshaped.styleStrategy() & QFont::PreferNoShaping);
  QFont shaped = unshaped;
  shaped.setStyleStrategy(QFont::StyleStrategy(unshaped.styleStrategy() & ~QFont::PreferNoShaping));
  const auto draw = [&](const QFont& font, const QString& text) {
    QImage image(form().Label1->size() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
  };
  for (int number = 0; number < kSpriteCount; ++number) {
    const QString text = QStringLiteral("%1 ").arg(number, 3, 10, QLatin1Char('0'));
    ASSERT_EQ(draw(unshaped, text), draw(shaped, text)) << text.toStdString();
  }
}

TEST_F(Startup, HintsShowInTheStatusBarWithoutPopUps) {
  QTest::mouseMove(form().GridToggle);
  EXPECT_TRUE(QTest::qWaitFor([&] { return status() == "toggle the grid on/off..."; }));
  QTest::mouseMove(form().Btn_Cut);
  EXPECT_TRUE(QTest::qWaitFor([&] { return status() == "cut"; })) << status().toStdString();
  for (QWidget* w : form().findChildren<QWidget*>()) {
    if (w->window() == &form()) {
      EXPECT_TRUE(w->toolTip().isEmpty());
    }
  }
}

TEST_F(Startup, ReallyQuitCancelKeepsTheWindowAndOkClosesIt) {
  MessageBoxSeen seen;
  AnswerMessageBox(QMessageBox::Cancel, &seen);
  form().Exit1->trigger();
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, QStringLiteral("Kelvane"));
  EXPECT_EQ(seen.text, QStringLiteral("Really Quit?"));
  EXPECT_FALSE(seen.hadIcon);
  EXPECT_EQ(seen.buttons.size(), 2);
  EXPECT_TRUE(form().isVisible());

  // The close box asks the same question.
  MessageBoxSeen again;
  AnswerMessageBox(QMessageBox::Ok, &again);
  form().close();
  EXPECT_TRUE(again.shown);
  EXPECT_FALSE(form().isVisible());
}

}  // namespace
}  // namespace kelvane::test
