#include <gtest/gtest.h>

#include "model/UndoStack.h"

namespace kelvane {
namespace {

// Stroke i leaves i in the first pixel byte; the snapshot before it holds i - 1.
TEST(UndoStack, FullStackDropsTheOldestAndKeepsTheNewest127) {
  SpriteBank bank;
  UndoStack undo;
  for (int stroke = 1; stroke <= 200; ++stroke) {
    undo.TakeUndoSnapshot(bank, 3);
    bank.Sprite(3)[0] = static_cast<std::uint8_t>(stroke);
  }
  EXPECT_EQ(undo.UndoCount(), 127);
  for (int k = 1; k <= 127; ++k) {
    ASSERT_TRUE(undo.RestoreUndoSnapshot(bank, 3));
    ASSERT_EQ(bank.Sprite(3)[0], 200 - k);
  }
  const SpriteBank afterStroke73 = bank;
  EXPECT_EQ(bank.Sprite(3)[0], 73);
  EXPECT_FALSE(undo.RestoreUndoSnapshot(bank, 3));
  EXPECT_EQ(bank, afterStroke73);
  // Redo brings back all 127, to the last stroke.
  EXPECT_EQ(undo.RedoCount(), 127);
  while (undo.RestoreRedoSnapshot(bank, 3)) {
  }
  EXPECT_EQ(bank.Sprite(3)[0], 200);
}

TEST(UndoStack, RestoreWritesAllBytesOverWhicheverSpriteIsGiven) {
  SpriteBank bank;
  bank.Sprite(1)[62] = 0x55;
  bank.Attribute(1) = 0x07;
  UndoStack undo;
  undo.TakeUndoSnapshot(bank, 1);
  undo.RestoreUndoSnapshot(bank, 2);
  EXPECT_EQ(bank.Record(2), bank.Record(1));
}

TEST(UndoStack, ButtonFollowsTheStack) {
  SpriteBank bank;
  UndoStack undo;
  EXPECT_TRUE(undo.UndoButtonEnabled());
  EXPECT_FALSE(undo.RestoreUndoSnapshot(bank, 0));
  EXPECT_TRUE(undo.UndoButtonEnabled());
  undo.TakeUndoSnapshot(bank, 0);
  undo.TakeUndoSnapshot(bank, 0);
  EXPECT_TRUE(undo.UndoButtonEnabled());
  undo.RestoreUndoSnapshot(bank, 0);
  EXPECT_TRUE(undo.UndoButtonEnabled());
  undo.RestoreUndoSnapshot(bank, 0);
  EXPECT_FALSE(undo.UndoButtonEnabled());
  undo.TakeUndoSnapshot(bank, 0);
  EXPECT_TRUE(undo.UndoButtonEnabled());
  undo.EmptyUndoStack();
  EXPECT_FALSE(undo.UndoButtonEnabled());
  EXPECT_EQ(undo.UndoCount(), 0);
}

}  // namespace
}  // namespace kelvane
