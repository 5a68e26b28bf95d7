// View > Play Preview and Onion Skin: the shown sprite's animation in the preview and under the
// grid while the user paints, never touching the document.
#include <QTest>
#include <set>

#include "WindowChecks.h"
#include "render/CanvasPreview.h"
#include "render/OnionSkin.h"
#include "support/MainWindowFixture.h"

namespace kelvane::test {
namespace {

using AnimationView = MainWindowFixture;

constexpr std::uint8_t kPingPong = kAnimationValidFlag | kAnimationPingPongFlag;
constexpr QPoint kOnGrid(100, 100);  // cell (12, 12): a multi-colour pixel of columns 12-13

QRgb PreviewPixelOfCell(TForm1& form) {
  const auto [left, top] = kPreviewView.Origin();
  return form.Image3->Picture().pixel(left + 12 * 2, top + 12 * 2);
}

TEST_F(AnimationView, PlayPreviewPlaysWhileAStrokeLandsAndChangesNothing) {
  document().SetAnimations("Animations", {{4, 6, 1, kPingPong}});
  document().SelectSprite(5);
  Drag({{10, 10}});
  const std::vector<std::uint8_t> bank = BankBytes(document());
  Key(Qt::Key_F5, Qt::NoModifier);
  EXPECT_TRUE(form().PlayPreview1->isChecked());
  std::set<int> seen;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    if (const auto frame = form().PreviewFrame()) seen.insert(*frame);
    return seen == std::set<int>{4, 5, 6};
  }));
  EXPECT_EQ(form().CurrentSprite(), 5);
  EXPECT_EQ(document().UndoCount(), 1);
  EXPECT_EQ(BankBytes(document()), bank);

  // The stroke shows in its own frame as it comes round, and in no other.
  Drag({kOnGrid});
  const QRgb grey = PaletteRgb(SpriteColour(kDefaultAttribute));
  for (const int frame : {4, 5}) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().PreviewFrame() == frame; }));
    EXPECT_EQ(PreviewPixelOfCell(form()) == grey, frame == 5) << frame;
  }
  EXPECT_EQ(document().UndoCount(), 2);

  // Outside every animation, and switched off, the preview shows the shown sprite.
  document().SelectSprite(20);
  EXPECT_EQ(form().PreviewFrame(), std::nullopt);
  document().SelectSprite(5);
  EXPECT_NE(form().PreviewFrame(), std::nullopt);
  form().PlayPreview1->trigger();
  EXPECT_EQ(form().PreviewFrame(), std::nullopt);
  EXPECT_EQ(PreviewPixelOfCell(form()), grey);
}

// A frame with the overlay bit plays with its partner over it, as the Animator and a GIF show it.
TEST_F(AnimationView, PlayPreviewDrawsEachFramesOverlayPartner) {
  constexpr int kYellow = 7;
  Rewrite(4, [](SpriteRecord& r) { r[kAttributeOffset] = kMultiColourFlag | kOverlayFlag; });
  Rewrite(5, [](SpriteRecord& r) {
    r[kAttributeOffset] = kYellow;  // hi-res
    r[12 * kRowBytes + 1] = 0x08;   // the pixel at column 12, row 12
  });
  document().SetAnimations("Animations", {{4, 6, 1, kAnimationValidFlag}});
  document().SelectSprite(6);
  Key(Qt::Key_F5, Qt::NoModifier);
  for (const int frame : {5, 4}) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().PreviewFrame() == frame; }));
    EXPECT_EQ(PreviewPixelOfCell(form()), PaletteRgb(kYellow)) << frame;
  }
  // A change of the partner, shown nowhere else, shows in the frame under it.
  Rewrite(5, [](SpriteRecord& r) { r[kAttributeOffset] = kYellow + 1; });
  EXPECT_EQ(PreviewPixelOfCell(form()), PaletteRgb(kYellow + 1));
}

TEST_F(AnimationView, OnionSkinShowsThePreviousFrameUnderTheSpriteAndSavesNothing) {
  document().SetAnimations("Animations", {{4, 6, 1, kAnimationValidFlag}});
  document().SelectSprite(4);
  Drag({kOnGrid});  // the previous frame of 5
  document().SelectSprite(5);
  document().MarkSaved();
  const std::vector<std::uint8_t> bank = BankBytes(document());
  const QPoint cell(12 * 8 + 2, 12 * 8 + 2);  // inside the grid lines of cell (12, 12)
  const QRgb background = PaletteRgb(document().PenColours()[kTransparentPen]);
  EXPECT_EQ(form().Image1->Picture().pixel(cell), background);
  Key(Qt::Key_F3, Qt::NoModifier);
  const QRgb grey = PaletteRgb(SpriteColour(kDefaultAttribute));
  EXPECT_EQ(form().Image1->Picture().pixel(cell), BlendOver(background, grey, 30));
  EXPECT_EQ(PreviewPixelOfCell(form()), background);  // the preview shows the sprite alone
  EXPECT_EQ(BankBytes(document()), bank);
  EXPECT_FALSE(document().Modified());
}

// Shown as an object of an animation over objects, the preview plays the objects whole and the
// onion skin lays the previous object under the shown one; neither changes the document.
TEST_F(AnimationView, AnObjectPlaysItsAnimationOverObjectsAndShowsThePreviousOne) {
  std::vector<SpriteRecord> records(6);
  for (auto& record : records) record[kAttributeOffset] = 1;  // hi-res, white
  records[0][0] = 0x80;                                       // object 0's top-left pixel
  std::vector<SpriteObject> objects;
  for (int k = 0; k < 3; ++k) objects.push_back(ConsecutiveObject("", 2 * k, 2, 1));
  document().Load(records, SharedColours{6, 0, 1}, {{0, 2, 1, kAnimationValidFlag, true}}, objects);
  document().ShowObjects(true);
  document().SelectSprite(2);  // object 1
  const std::vector<std::uint8_t> bank = BankBytes(document());
  const QRgb white = PaletteRgb(1), blue = PaletteRgb(6);
  const QPoint corner = CanvasPreviewRect(48, 21, QRect(0, 0, 1, 1)).topLeft();
  Key(Qt::Key_F5, Qt::NoModifier);
  std::set<int> seen;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    if (const auto frame = form().PreviewFrame()) seen.insert(*frame);
    return seen == std::set<int>{0, 1, 2};
  }));
  for (const int frame : {0, 1}) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().PreviewFrame() == frame; }));
    EXPECT_EQ(form().Image3->Picture().pixel(corner), frame == 0 ? white : blue) << frame;
  }
  form().PlayPreview1->trigger();

  const CanvasView& view = form().EditorView();
  const QPoint cell(view.Origin().x + 1, view.Origin().y + 1);
  EXPECT_EQ(form().Image1->Picture().pixel(cell), blue);
  Key(Qt::Key_F3, Qt::NoModifier);
  EXPECT_EQ(form().Image1->Picture().pixel(cell), BlendOver(blue, white, 30));
  EXPECT_EQ(BankBytes(document()), bank);
  EXPECT_FALSE(document().Modified());
}

}  // namespace
}  // namespace kelvane::test
