// Overlay Next Sprite on the real window: the pair it makes shows, and Ctrl+Z takes it back.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QRadioButton>

#include "support/MainWindowFixture.h"
#include "ui/WindowChecks.h"

namespace kelvane::test {
namespace {

using OverlayPair = MainWindowFixture;

TEST_F(OverlayPair, OverlayNextSpriteTogglesAndCtrlZTakesItBack) {
  Put(4, PatternSprite(1, 0x85));  // multi-colour, green
  Put(5, PatternSprite(2, 0x00));  // hi-res, black
  document().SelectSprite(4);
  form().RefreshEditor();
  const std::string alone = EditorMismatches(form());
  ASSERT_EQ(alone, "");

  form().OverlayNext1->trigger();
  form().RefreshEditor();
  EXPECT_EQ(document().Bank().Attribute(4), 0x95);
  EXPECT_TRUE(form().OverlayNext1->isChecked());
  EXPECT_TRUE(form().EditLayer1->isEnabled());
  EXPECT_FALSE(form().RadioButton5->isHidden());  // the upper sprite's pen
  EXPECT_EQ(form().RadioButton5->toolTip(), "writes sprite 5");
  EXPECT_EQ(EditorMismatches(form()), "");  // sprite 5 over sprite 4
  EXPECT_EQ(document().UndoCount(), 1);

  Key(Qt::Key_Z);
  form().RefreshEditor();
  EXPECT_EQ(document().Bank().Attribute(4), 0x85);
  EXPECT_FALSE(form().OverlayNext1->isChecked());
  EXPECT_FALSE(form().EditLayer1->isEnabled());
  EXPECT_TRUE(form().RadioButton5->isHidden());
  EXPECT_EQ(EditorMismatches(form()), "");
}

}  // namespace
}  // namespace kelvane::test
