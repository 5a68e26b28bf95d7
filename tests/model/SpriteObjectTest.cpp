#include <gtest/gtest.h>

#include "model/SpriteDocument.h"
#include "model/SpriteObject.h"

namespace kelvane {
namespace {

TEST(SpriteObject, NewObjectsStayInsideTheBank) {
  const struct {
    int first, columns, rows;
    std::string says;  // "" when the object can be made
  } cases[] = {
      {0, 8, 8, ""},
      {192, 8, 8, ""},
      {193, 8, 8, "would run to sprite 256, past the last sprite, 255"},
      {255, 2, 1, "would run to sprite 256"},
      {0, 0, 1, "1 to 8 sprites across and down"},
      {0, 1, 9, "1 to 8 sprites across and down"},
  };
  for (const auto& c : cases) {
    const std::string problem = NewObjectProblem(c.first, c.columns, c.rows, kSpriteCount);
    EXPECT_EQ(problem.empty(), c.says.empty()) << problem;
    EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
  }
  EXPECT_EQ(ConsecutiveObject("x", 4, 3, 2).cells, (std::vector<int>{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(ConsecutiveObject("x", 4, 3, 2).SpriteAt(1, 1), 8);
}

// The list is unsaved work, reported once a change; removing an object leaves its sprites.
TEST(SpriteObject, DocumentListChangesAreUnsavedWorkAndTakeNoStep) {
  SpriteDocument doc;
  std::vector<DocumentChange> reports;
  doc.Subscribe([&](const DocumentChange& c) { reports.push_back(c); });
  const SpriteRecord record = [] {
    SpriteRecord r{};
    r.fill(0x55);
    return r;
  }();
  const std::vector<SpriteRecord> records(4, record);
  doc.Load(records, std::nullopt, {}, {ConsecutiveObject("a", 0, 2, 1)});
  EXPECT_FALSE(doc.Modified());
  ASSERT_EQ(doc.Objects().size(), 1u);

  const std::function<void()> changes[] = {
      [&] { doc.AddObject(ConsecutiveObject("b", 2, 2, 1)); },
      [&] { doc.RenameObject(0, "boss"); },
      [&] { doc.RemoveObject(0); },
  };
  for (const auto& change : changes) {
    reports.clear();
    change();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].Has(Changed::Objects));
    EXPECT_FALSE(reports[0].Has(Changed::Sprites));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.UndoCount(), 0);
    doc.MarkSaved();
    EXPECT_FALSE(doc.Modified());
  }
  EXPECT_EQ(doc.Objects(), std::vector{ConsecutiveObject("b", 2, 2, 1)});
  EXPECT_EQ(doc.Bank().Record(0), record);
  doc.New();
  EXPECT_TRUE(doc.Objects().empty());
}

// Removing object k renumbers the animations over objects in the same change, takes no step,
// and leaves the lists the history holds in line with the objects left.
TEST(SpriteObject, RemovingOneRenumbersTheAnimationsOverObjects) {
  const auto over = [](int first, int last) { return SpriteAnimation{first, last, 2, 0x41, true}; };
  const SpriteAnimation sprites{1, 3, 2, kAnimationValidFlag};
  const struct {
    int removed;
    std::vector<SpriteAnimation> after;
  } cases[] = {
      {0, {sprites, over(0, 2), over(0, 0), over(2, 0)}},
      {1, {sprites, over(0, 2), over(2, 1)}},
      {2, {sprites, over(0, 2), over(1, 1), over(2, 1)}},
      {3, {sprites, over(0, 2), over(1, 1), over(2, 1)}},
  };
  const std::vector<SpriteAnimation> loaded{sprites, over(0, 3), over(1, 1), over(3, 1)};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.removed);
    SpriteDocument doc;
    std::vector<SpriteObject> objects;
    for (int k = 0; k < 4; ++k) objects.push_back(ConsecutiveObject("", k, 1, 1));
    doc.Load(std::vector<SpriteRecord>(4), std::nullopt, loaded, objects);
    // A step of the list before the removal: its Undo must come back renumbered too.
    doc.SetAnimations("Speed", {sprites, over(0, 3), over(1, 1), over(3, 1), over(2, 2)});
    std::vector<DocumentChange> reports;
    doc.Subscribe([&](const DocumentChange& change) { reports.push_back(change); });
    doc.RemoveObject(static_cast<std::size_t>(c.removed));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].Has(Changed::Objects));
    EXPECT_TRUE(reports[0].Has(Changed::Animations));
    EXPECT_EQ(doc.UndoCount(), 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Animations(), c.after);
  }
}

// Where objects overlap, the one made last is shown for the sprites it holds; once it is
// removed, the first that holds them.
TEST(SpriteObject, TheNewestOfOverlappingObjectsIsShown) {
  SpriteDocument doc;
  doc.ShowObjects(true);
  for (const auto& [columns, rows] : {std::pair{2, 2}, {1, 2}, {1, 1}}) {
    doc.AddObject(ConsecutiveObject("", 0, columns, rows));
    EXPECT_EQ(doc.Canvas(), *doc.ObjectCanvas(doc.Objects().size() - 1));
  }
  doc.SelectSprite(1);
  EXPECT_EQ(doc.Canvas(), *doc.ObjectCanvas(0));  // the newest does not hold it
  doc.RemoveObject(2);
  doc.SelectSprite(0);
  EXPECT_EQ(doc.Canvas(), *doc.ObjectCanvas(0));
}

}  // namespace
}  // namespace kelvane
