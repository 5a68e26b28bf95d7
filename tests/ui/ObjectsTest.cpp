// Objects in the real window: made with New Object, shown as one canvas, painted across their
// sprites as one step, listed, and saved where a format cannot hold them.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "files/SpritePadAnimations.h"
#include "files/SpriteSets.h"
#include "render/C64Palette.h"
#include "render/CanvasPreview.h"
#include "render/SpriteRendering.h"
#include "render/WorkImages.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/ImageControl.h"
#include "ui/TNewObjectDialog.h"
#include "ui/TObjectsDialog.h"

namespace kelvane::test {
namespace {

using Objects = MainWindowFixture;

// The middle of canvas pixel (x, y) on Image1, at the zoom the grid shows now.
QPoint At(const TForm1& form, int x, int y) {
  const CanvasView& view = form.EditorView();
  return {view.Origin().x + x * view.CellZoom().x + view.CellZoom().x / 2,
          view.Origin().y + y * view.CellZoom().y + view.CellZoom().y / 2};
}

void NewObject(TForm1& form, int columns, int rows, int first) {
  AnswerNextModal([=](QWidget* modal) {
    auto* dialog = qobject_cast<TNewObjectDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->Columns->setValue(columns);
    dialog->Rows->setValue(rows);
    dialog->FirstSprite->setValue(first);
    dialog->OkButton->click();
  });
  form.NewObject1->trigger();
}

// At a small zoom a band of the grid holds several canvas rows; each shows its own pixels, before
// and after a fill repaints them all, and scrolled sideways, where a preview shows in its cell.
TEST_F(Objects, TheGridShowsEveryRowOfAnObjectAtASmallZoom) {
  std::array<SpriteRecord, 6> records{};
  for (std::size_t n = 0; n < records.size(); ++n) {
    for (int i = 0; i < kPixelBytes; ++i) records[n][i] = static_cast<std::uint8_t>(i * 37 + n);
    records[n][kAttributeOffset] = n % 2 ? 0x01 : 0x8E;  // hi-res white and multi-colour
  }
  document().PutSprites(0, records);
  NewObject(form(), 3, 2, 0);
  const CanvasView& view = form().EditorView();
  const Zoom zoom = view.CellZoom();
  ASSERT_LT(zoom.y, 8);  // bands of two rows or more
  const SpriteCanvas& canvas = document().Canvas();
  QImage expected;
  // The top-left pixel of canvas pixel (x, y): the grid lines run along the others' edges.
  const auto shown = [&](int x, int y) {
    return form().Image1->Picture().pixel(view.Origin().x + x * zoom.x,
                                          view.Origin().y + y * zoom.y);
  };
  for (const char* step : {"drawn", "filled", "scrolled"}) {
    if (step == std::string("filled")) {
      Key(Qt::Key_G, Qt::NoModifier);
      QTest::mouseClick(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), 0, 0));
    } else if (step == std::string("scrolled")) {
      form().EditorScrollX->setValue(5);
      ASSERT_EQ(view.Origin().x, -5 * zoom.x);
    }
    expected = MakeWorkImage(canvas.Width(), canvas.Height(), 0);
    RenderCanvas(expected, document().Bank(), document().State(), canvas);
    const int firstColumn = -view.Origin().x / zoom.x;
    for (int y = 0; y < canvas.Height() && y * zoom.y < form().Image1->height(); ++y) {
      for (int x = firstColumn;
           x < canvas.Width() && (x - firstColumn) * zoom.x < form().Image1->width(); ++x) {
        ASSERT_EQ(shown(x, y), expected.pixel(x, y)) << x << "," << y << " " << step;
      }
    }
  }
  // A line's first pixel, in a clear pixel of hi-res sprite 1, in view scrolled.
  int x = kHiresColumns;
  while (expected.pixel(x, 0) != PaletteRgb(document().PenColours()[kTransparentPen])) ++x;
  document().SelectPen(kSpriteColourPen);
  Key(Qt::Key_L, Qt::NoModifier);
  QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), x, 0));
  EXPECT_EQ(shown(x, 0), PaletteRgb(1));
  QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), x, 0));
}

TEST_F(Objects, ALineAcrossTheSpritesOfAnObjectIsOneUndoStep) {
  form().MCToggle->setChecked(false);
  NewObject(form(), 2, 1, 0);
  ASSERT_EQ(document().Objects().size(), 1u);
  EXPECT_TRUE(form().ShowObject1->isChecked());
  EXPECT_EQ(document().Canvas(), SpriteCanvas(2, 1, {{0, 1}}));
  EXPECT_TRUE(form().windowTitle().endsWith(QLatin1Char('*')));

  const SpriteRecord left = document().Bank().Record(0);
  const SpriteRecord right = document().Bank().Record(1);
  Key(Qt::Key_L, Qt::NoModifier);
  QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), 20, 3));
  QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), 27, 3));
  EXPECT_EQ(document().Bank().Sprite(0)[3 * 3 + 2], 0x0F);  // columns 20-23 of sprite 0
  // Sprite 1 is still multi-colour: two double-wide pixels of the sprite colour.
  EXPECT_EQ(document().Bank().Sprite(1)[3 * 3], 0xA0);
  EXPECT_EQ(document().UndoCount(), 1);
  Key(Qt::Key_Z);
  EXPECT_EQ(document().Bank().Record(0), left);
  EXPECT_EQ(document().Bank().Record(1), right);

  // PgDn steps through the sprites: within the object it stays on show, past it a sprite
  // shows alone.
  Key(Qt::Key_PageDown, Qt::NoModifier);
  EXPECT_EQ(document().Canvas(), SpriteCanvas(2, 1, {{0, 1}}));
  Key(Qt::Key_PageDown, Qt::NoModifier);
  EXPECT_EQ(document().Canvas(), SpriteCanvas::Single(2));
}

// White outline 0 under multi-colour body 8 (black in columns 16-19), sprite 1 alone: the grid
// and the preview show the body; multi-colour 1 writes the body there and sprite 1 itself.
TEST_F(Objects, ByColourAcrossTheirCellsWritesEachCellsOwnSprite) {
  Rewrite(0, [](SpriteRecord& r) { r.fill(0), r[2] = 0xFF, r[kAttributeOffset] = 0x11; });
  Rewrite(1, [](SpriteRecord& r) { r.fill(0), r[kAttributeOffset] = 0x82; });
  Rewrite(8, [](SpriteRecord& r) { r.fill(0), r[2] = 0xF0, r[kAttributeOffset] = 0x85; });
  document().SetOverlayDistance(8);
  NewObject(form(), 2, 1, 0);
  form().RefreshEditor();
  const QRgb black = PaletteRgb(document().PenColours()[kMultiColour2Pen]);
  EXPECT_EQ(form().Image1->Picture().pixel(At(form(), 16, 0)), black);
  const QRect preview = CanvasPreviewRect(48, kSpriteRows, QRect(16, 0, 1, 1));
  EXPECT_EQ(form().Image3->Picture().pixel(preview.center()), black);
  Click(form().RadioButton3);  // multi-colour 1: the body's pen
  const SpriteBank before = document().Bank();
  Key(Qt::Key_L, Qt::NoModifier);
  QTest::mousePress(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), 16, 3));
  QTest::mouseRelease(form().Image1, Qt::LeftButton, Qt::NoModifier, At(form(), 31, 3));
  EXPECT_EQ(document().Bank().Sprite(8)[3 * 3 + 2], 0x55);
  EXPECT_EQ(document().Bank().Sprite(1)[3 * 3], 0x55);
  EXPECT_EQ(document().Bank().Record(0), before.Record(0));
  Key(Qt::Key_Z);
  EXPECT_TRUE(document().Bank() == before);
}

TEST_F(Objects, ARunPastTheLastSpriteIsRefusedAndDeletingKeepsTheSprites) {
  bool refused = false;
  AnswerNextModal([&refused](QWidget* modal) {
    auto* dialog = qobject_cast<TNewObjectDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->Columns->setValue(8);
    dialog->Rows->setValue(8);
    dialog->FirstSprite->setValue(200);
    MessageBoxSeen seen;
    AnswerMessageBox(QMessageBox::Ok, &seen);
    dialog->OkButton->click();
    refused = seen.text.contains(QStringLiteral("past the last sprite, 255"));
    dialog->reject();
  });
  form().NewObject1->trigger();
  EXPECT_TRUE(refused);
  EXPECT_TRUE(document().Objects().empty());

  NewObject(form(), 1, 2, 4);
  const SpriteRecord kept = document().Bank().Record(4);
  AnswerNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TObjectsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->ObjectList->item(0)->text(), QStringLiteral("0: (no name), 1 x 2: 4 5"));
    dialog->DeleteButton->click();
    EXPECT_EQ(dialog->ObjectList->count(), 0);
    dialog->reject();
  });
  form().Objects1->trigger();
  EXPECT_TRUE(document().Objects().empty());
  EXPECT_EQ(document().Bank().Record(4), kept);
  EXPECT_EQ(document().Canvas(), SpriteCanvas::Single(4));
}

// Saving objects as a sprite file offers a SpritePad file instead, which keeps them, also when
// new animations would be left out too.
TEST_F(Objects, SavingThemAsASpriteFileOffersASpritePadFile) {
  QTemporaryDir dir;
  NewObject(form(), 2, 2, 0);
  document().SetAnimations("Animations", {{0, 3, 1, kAnimationValidFlag}});
  const QString spr = dir.filePath(QStringLiteral("boss.spr"));
  MessageBoxSeen seen;
  AnswerNextModal([&](QWidget* modal) {
    AnswerMessageBox(QMessageBox::Yes, &seen);
    TypeIntoFileDialog(modal, spr);
  });
  form().SaveAll1->trigger();
  EXPECT_TRUE(seen.text.startsWith(QStringLiteral("Objects are kept only in a SpritePad file")));
  EXPECT_FALSE(QFile::exists(spr));
  const auto set =
      ReadSpriteSet(SpriteFormats(), dir.filePath(QStringLiteral("boss.spd")).toStdString());
  ASSERT_TRUE(set.ok()) << set.error().reason;
  EXPECT_EQ(set->objects, document().Objects());
  EXPECT_EQ(SpritePadAnimationsOf(*set), document().Animations());
  EXPECT_EQ(form().windowTitle(), QStringLiteral("Kelvane - boss.spd"));
}

}  // namespace
}  // namespace kelvane::test
