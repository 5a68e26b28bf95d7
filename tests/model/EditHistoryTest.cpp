// Steps of the history: any number of sprites and the shared colours in one, the newest 127
// kept, and whether the content differs from its file after any mix of changes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/SpriteDocument.h"

namespace kelvane {
namespace {

// Transform i of sprite 3 leaves i in its first pixel byte.
TEST(EditHistory, KeepsTheNewest127StepsAndTheButtonFollowsThem) {
  SpriteDocument doc;
  EXPECT_TRUE(doc.UndoButtonEnabled());
  doc.SelectSprite(3);
  doc.SetMultiColour(false);
  for (int step = 1; step <= 200; ++step) {
    doc.Apply("Set", [step](CanvasEdit& e) {
      for (int bit = 0; bit < 8; ++bit) e.pixels.Plot({bit, 0}, 2, (step >> (7 - bit) & 1) == 0);
    });
  }
  EXPECT_EQ(doc.UndoCount(), 127);
  for (int k = 1; k <= 127; ++k) {
    ASSERT_TRUE(doc.Undo());
    ASSERT_EQ(doc.Bank().Sprite(3)[0], 200 - k);
  }
  EXPECT_FALSE(doc.UndoButtonEnabled());
  EXPECT_FALSE(doc.Undo());
  EXPECT_EQ(doc.Bank().Sprite(3)[0], 73);
  EXPECT_EQ(doc.RedoCount(), 127);
  while (doc.Redo()) {
  }
  EXPECT_EQ(doc.Bank().Sprite(3)[0], 200);
  EXPECT_TRUE(doc.UndoButtonEnabled());
}

// One step that changes two sprites and the shared colours comes back exactly, both ways.
TEST(EditHistory, OneStepSpansSpritesAndTheSharedColours) {
  SpriteDocument doc;
  doc.ShowCanvas(SpriteCanvas(2, 1, {{40, 41}}));
  const SpriteBank before = doc.Bank();
  const SharedColours coloursBefore = doc.Colours();
  doc.Apply("Both", [](CanvasEdit& e) {
    e.pixels.Plot({0, 0}, 1, false);
    e.pixels.Plot({47, 20}, 3, false);
    e.colours = {2, 7, 9};
  });
  const SpriteBank after = doc.Bank();
  EXPECT_EQ(doc.Bank().Sprite(40)[0], 0x40);
  EXPECT_EQ(doc.Bank().Sprite(41)[62], 0x03);
  EXPECT_EQ(doc.Colours(), (SharedColours{2, 7, 9}));
  EXPECT_EQ(doc.UndoCount(), 1);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank(), before);
  EXPECT_EQ(doc.Colours(), coloursBefore);
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.Bank(), after);
  EXPECT_EQ(doc.Colours(), (SharedColours{2, 7, 9}));
}

// After a load, each script leaves the content differing from the file, or not.
struct ModifiedCase {
  const char* name;
  std::function<void(SpriteDocument&)> act;
  bool modified;
};

class Modified : public ::testing::TestWithParam<ModifiedCase> {};

TEST_P(Modified, FollowsTheContentNotTheHistory) {
  SpriteDocument doc;
  const std::vector<SpriteRecord> file(3, SpriteRecord{});
  doc.Load(file, SharedColours{0, 1, 2});
  EXPECT_FALSE(doc.Modified());
  GetParam().act(doc);
  EXPECT_EQ(doc.Modified(), GetParam().modified);
}

const auto kNudge = [](SpriteDocument& d) { d.TransformSprite(Transform::NudgeUp); };
const auto kPaint = [](SpriteDocument& d) {
  d.Apply("Paint", [](CanvasEdit& e) { e.pixels.Plot({0, 0}, 2, false); });
};
const auto kUndo = [](SpriteDocument& d) { d.Undo(); };
const auto kRedo = [](SpriteDocument& d) { d.Redo(); };
const auto kToggle = [](SpriteDocument& d) { d.SetMultiColour(!d.CurrentIsMultiColour()); };
const auto kBackground = [](SpriteDocument& d) {
  d.SelectPen(kTransparentPen);
  d.PickColour(11);
};
const auto kThen = [](auto... steps) { return [=](SpriteDocument& d) { (steps(d), ...); }; };

INSTANTIATE_TEST_SUITE_P(
    Scripts, Modified,
    ::testing::Values(
        ModifiedCase{"a_step_that_changes_nothing", kNudge, false},
        ModifiedCase{"showing_another_sprite", [](auto& d) { d.SelectSprite(9); }, false},
        ModifiedCase{"paint", kPaint, true},
        ModifiedCase{"paint_undone", kThen(kPaint, kUndo), false},
        ModifiedCase{"paint_undone_and_redone", kThen(kPaint, kUndo, kRedo), true},
        ModifiedCase{"saved_then_undone",
                     kThen(
                         kPaint, [](auto& d) { d.MarkSaved(); }, kUndo),
                     true},
        ModifiedCase{"saved_undone_and_redone",
                     kThen(
                         kPaint, [](auto& d) { d.MarkSaved(); }, kUndo, kRedo),
                     false},
        ModifiedCase{"a_shared_colour", kBackground, true},
        // A change beside the history is new content, even where an Undo takes it back.
        ModifiedCase{"a_toggle_after_the_step_undone", kThen(kPaint, kToggle, kUndo), true},
        ModifiedCase{"a_toggle_undone_by_hand", kThen(kToggle, kToggle), true},
        // Undo leaves the background as it is: the content is not the file's.
        ModifiedCase{"a_colour_after_the_step_undone", kThen(kPaint, kBackground, kUndo), true},
        ModifiedCase{"undone_then_a_colour_then_redone", kThen(kPaint, kUndo, kBackground, kRedo),
                     true},
        ModifiedCase{"remove_blanks_forgets_the_history",
                     kThen(kPaint, [](auto& d) { d.RemoveBlanks(); }), true},
        ModifiedCase{"new", kThen(kPaint, [](auto& d) { d.New(); }), false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane
