// The eight transforms reached through their shortcuts and glyph buttons: each rewrites the
// current sprite exactly as the model's transform does, redraws it, and one Undo takes it back.
#include <QTest>
#include <QWindow>

#include "WindowChecks.h"
#include "model/Transforms.h"
#include "support/MainWindowFixture.h"

namespace kelvane::test {
namespace {

constexpr int kSprite = 3;  // on the first row of the browser sheet, away from its neighbours

struct Route {
  const char* name;
  Transform transform;
  Qt::Key key;  // with Ctrl
  int glyph;
};

constexpr Route kRoutes[] = {
    {"nudge up", Transform::NudgeUp, Qt::Key_U, kGlyphUp},
    {"nudge down", Transform::NudgeDown, Qt::Key_D, kGlyphDown},
    {"nudge left", Transform::NudgeLeft, Qt::Key_L, kGlyphLeft},
    {"nudge right", Transform::NudgeRight, Qt::Key_R, kGlyphRight},
    {"flip top to bottom", Transform::FlipTopToBottom, Qt::Key_F, kGlyphFlipX},
    {"flip left to right", Transform::FlipLeftToRight, Qt::Key_G, kGlyphFlipY},
    {"symmetrize top to bottom", Transform::SymmetrizeTopToBottom, Qt::Key_H, kGlyphSymmX},
    {"symmetrize left to right", Transform::SymmetrizeLeftToRight, Qt::Key_J, kGlyphSymmY},
};

class TransformCommands : public MainWindowFixture {
 protected:
  // Shows a patterned sprite kSprite between patterned neighbours, in the given mode, with an
  // empty undo stack. Returns the record as it was.
  SpriteRecord ShowPatternedSprite(bool multiColour) {
    FillBankWithPattern(document(), 40);
    const std::uint8_t attribute = multiColour ? kDefaultAttribute : kHiresGreen;
    Put(kSprite, PatternSprite(7, attribute));
    form().ScrollBar1->setValue(kSprite + 1);
    form().ScrollBar1->setValue(kSprite);  // as a user scrolling back: the stack is emptied
    form().DrawBrowserSheet();
    EXPECT_EQ(form().MCToggle->isChecked(), multiColour);
    EXPECT_EQ(document().UndoCount(), 0);
    return document().Bank().Record(kSprite);
  }

  static SpriteRecord Transformed(SpriteRecord record, Transform t, bool multiColour, int times) {
    for (int i = 0; i < times; ++i) ApplyTransform(record, t, multiColour);
    return record;
  }

  // The bank with sprite kSprite replaced by record.
  std::vector<std::uint8_t> BankWith(const SpriteRecord& record) {
    std::vector<std::uint8_t> bank = BankBytes(document());
    std::ranges::copy(record, bank.begin() + kSprite * kSpriteBytes);
    return bank;
  }

  void ExpectShown(const SpriteRecord& record, bool multiColour) {
    EXPECT_EQ(document().Bank().Record(kSprite), record);
    EXPECT_EQ(form().MCToggle->isChecked(), multiColour);
    EXPECT_EQ(EditorMismatches(form()), "");
  }
};

TEST_F(TransformCommands, ShortcutsTransformAsTheModelDoesAndOneUndoRevertsIt) {
  for (const bool multiColour : {false, true}) {
    for (const Route& route : kRoutes) {
      SCOPED_TRACE(std::string(route.name) + (multiColour ? " multi-colour" : " hi-res"));
      const SpriteRecord before = ShowPatternedSprite(multiColour);
      const SpriteRecord after = Transformed(before, route.transform, multiColour, 1);
      ASSERT_NE(after, before);
      const std::vector<std::uint8_t> expectedBank = BankWith(after);

      Key(route.key);
      EXPECT_EQ(BankBytes(document()), expectedBank);  // no other sprite, no attribute byte
      ExpectShown(after, multiColour);
      EXPECT_EQ(ThumbnailMismatches(form(), kSprite), "");  // the menu path redraws the sheet
      EXPECT_EQ(document().UndoCount(), 1);
      EXPECT_TRUE(form().Btn_Undo->isEnabled());

      Key(Qt::Key_Z);
      ExpectShown(before, multiColour);
      EXPECT_EQ(ThumbnailMismatches(form(), kSprite), "");
      EXPECT_EQ(document().UndoCount(), 0);
      EXPECT_FALSE(form().Btn_Undo->isEnabled());
    }
  }
}

TEST_F(TransformCommands, GlyphsTransformWhilePressedShowingTheirPressedPicture) {
  for (const bool multiColour : {false, true}) {
    for (const Route& route : kRoutes) {
      SCOPED_TRACE(std::string(route.name) + (multiColour ? " multi-colour" : " hi-res"));
      const SpriteRecord before = ShowPatternedSprite(multiColour);
      const SpriteRecord after = Transformed(before, route.transform, multiColour, 1);
      const std::vector<std::uint8_t> expectedBank = BankWith(after);
      ImageControl* glyph = form().Glyphs[route.glyph];
      const QImage& pressed = form().ImageList1().Picture(route.glyph + kGlyphButtons);
      const QImage& rest = form().ImageList1().Picture(route.glyph);

      Press(glyph, {12, 12});
      EXPECT_EQ(BankBytes(document()), expectedBank);
      ExpectShown(after, multiColour);
      EXPECT_EQ(glyph->Picture(), pressed);
      Release(glyph, {12, 12});
      EXPECT_EQ(glyph->Picture(), rest);
      EXPECT_EQ(document().UndoCount(), 1);

      Key(Qt::Key_Z);
      ExpectShown(before, multiColour);
    }
  }
}

TEST_F(TransformCommands, DoubleClickOnNudgeUpNudgesTwice) {
  const SpriteRecord before = ShowPatternedSprite(false);
  // Through the window system, so Qt itself turns the second press into a double click.
  QWindow* window = form().windowHandle();
  const QPoint centre = form().Btn_Up->mapTo(&form(), form().Btn_Up->rect().center());
  QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, centre);

  ExpectShown(Transformed(before, Transform::NudgeUp, false, 2), false);
  EXPECT_EQ(document().UndoCount(), 2);
  EXPECT_EQ(form().Btn_Up->Picture(), form().ImageList1().Picture(kGlyphUp));
  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  ExpectShown(before, false);
}

}  // namespace
}  // namespace kelvane::test
