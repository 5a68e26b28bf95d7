// The pen as scripts of presses, moves and releases on the canvas, against the pixels they
// leave and the steps they take.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/GridLine.h"
#include "tools/FreehandTool.h"

namespace kelvane {
namespace pen_scripts {
namespace {

constexpr unsigned L = kLeftButton;
constexpr unsigned R = kRightButton;
constexpr unsigned M = kMiddleButton;

enum class Kind { Press, Move, Release, Off, Undo, Blocked, Cancel, NextSprite };
struct Action {
  Kind kind;
  unsigned button = kNoButton;  // pressed or released
  unsigned held = kNoButton;    // after the event
  CanvasPoint at{};
};

Action Press(unsigned button, unsigned held, CanvasPoint at) {
  return {Kind::Press, button, held, at};
}
Action Move(unsigned held, CanvasPoint at) {
  return {Kind::Move, kNoButton, held, at};
}
Action Release(unsigned button, unsigned held, CanvasPoint at) {
  return {Kind::Release, button, held, at};
}
Action Off(unsigned held) {
  return {Kind::Off, kNoButton, held};
}
Action Do(Kind kind) {
  return {kind};
}

void RunScript(FreehandTool& tool, SpriteDocument& doc, const std::vector<Action>& script) {
  for (const Action& a : script) {
    const ToolEvent event{a.at, a.button, a.held, {}};
    switch (a.kind) {
      case Kind::Press:
        tool.Press(event);
        break;
      case Kind::Move:
        tool.Move(event);
        break;
      case Kind::Release:
        tool.Release(event);
        break;
      case Kind::Off:
        tool.Move({std::nullopt, kNoButton, a.held, {}});
        break;
      case Kind::Undo:
        doc.Undo();
        break;
      case Kind::Blocked:  // a window opened over the drag takes the release
        tool.Release({});
        break;
      case Kind::Cancel:
        tool.Cancel();
        break;
      case Kind::NextSprite:
        doc.StepSprite(1, false);
        tool.CanvasChanged();
        break;
    }
  }
}

// The points of the canvas whose pen is not transparent, row by row.
std::vector<CanvasPoint> SetPoints(const SpriteDocument& doc) {
  std::vector<CanvasPoint> set;
  const CanvasPixels pixels = doc.Pixels();
  for (int y = 0; y < doc.Canvas().Height(); ++y) {
    for (int x = 0; x < doc.Canvas().Width(); x += pixels.PixelWidthAt({x, y})) {
      if (*pixels.PenAt({x, y}) != kTransparentPen) set.push_back({x, y});
    }
  }
  return set;
}

std::vector<CanvasPoint> Line(CanvasPoint from, CanvasPoint to, int width = 1) {
  std::vector<CanvasPoint> points;
  ForEachOnLine({from.x / width, from.y}, {to.x / width, to.y}, [&](SpriteCell p) {
    points.push_back({p.column * width, p.row});
  });
  std::ranges::sort(
      points, [](CanvasPoint a, CanvasPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return points;
}

struct ScriptCase {
  const char* name;
  bool multiColour;
  bool filled;  // every pixel set before the script, so that erasing shows
  std::vector<Action> script;
  std::vector<CanvasPoint> set;  // after the script
  int steps;
  int sprite = 0;  // shown at the end
};

class Scripts : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Scripts, LeaveTheseSetPixelsInThisManySteps) {
  const ScriptCase& c = GetParam();
  SpriteDocument doc;
  SpriteRecord start{};
  if (c.filled) std::fill_n(start.begin(), kPixelBytes, 0xFF);
  start[kAttributeOffset] = c.multiColour ? 0x8C : 0x0C;
  doc.PutSprites(0, std::vector{start, start});
  FreehandTool tool(doc);
  RunScript(tool, doc, c.script);
  EXPECT_EQ(doc.CurrentSprite(), c.sprite);
  EXPECT_EQ(SetPoints(doc), c.set);
  EXPECT_EQ(doc.UndoCount(), c.steps);
  EXPECT_FALSE(doc.EditOpen());
}

// Everything set but the listed points.
std::vector<CanvasPoint> AllBut(std::vector<CanvasPoint> cleared, int width) {
  std::vector<CanvasPoint> set;
  for (int y = 0; y < kSpriteRows; ++y) {
    for (int x = 0; x < kHiresColumns; x += width) {
      if (std::ranges::find(cleared, CanvasPoint{x, y}) == cleared.end()) set.push_back({x, y});
    }
  }
  return set;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scripts,
    ::testing::Values(
        ScriptCase{"click_paints_its_pixel",
                   false,
                   false,
                   {Press(L, L, {5, 3}), Release(L, 0, {5, 3})},
                   {{5, 3}},
                   1},
        ScriptCase{"fast_drag_leaves_no_gaps",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Move(L, {5, 5}), Move(L, {20, 7}), Release(L, 0, {20, 7})},
                   [] {
                     auto points = Line({0, 0}, {5, 5});
                     for (const auto p : Line({5, 5}, {20, 7})) {
                       if (std::ranges::find(points, p) == points.end()) points.push_back(p);
                     }
                     std::ranges::sort(points, [](CanvasPoint a, CanvasPoint b) {
                       return a.y != b.y ? a.y < b.y : a.x < b.x;
                     });
                     return points;
                   }(),
                   1},
        ScriptCase{"multi_colour_lines_run_on_double_pixels",
                   true,
                   false,
                   {Press(L, L, {1, 0}), Move(L, {23, 10}), Release(L, 0, {23, 10})},
                   Line({0, 0}, {22, 10}, 2),
                   1},
        ScriptCase{"right_button_erases",
                   false,
                   true,
                   {Press(R, R, {0, 0}), Move(R, {3, 0}), Release(R, 0, {3, 0})},
                   AllBut({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 1),
                   1},
        ScriptCase{"line_within_one_multi_colour_pixel_erases_it",
                   true,
                   true,
                   {Press(R, R, {0, 0}), Move(R, {1, 0}), Release(R, 0, {1, 0})},
                   AllBut({{0, 0}}, 2),
                   1},
        // The first cell painted, the second painted and erased.
        ScriptCase{"both_buttons_paint_then_erase",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Move(L | R, {1, 0}), Release(L, R, {1, 0}),
                    Release(R, 0, {1, 0})},
                   {{0, 0}},
                   1},
        // Letting go of one of two buttons leaves the stroke to the other.
        ScriptCase{"the_button_still_held_goes_on",
                   false,
                   true,
                   {Press(R, R, {0, 0}), Press(L, L | R, {0, 0}), Move(L | R, {8, 0}),
                    Release(L, R, {8, 0}), Move(R, {16, 0}), Release(R, 0, {16, 0})},
                   AllBut(Line({0, 0}, {16, 0}), 1),
                   1},
        ScriptCase{"a_middle_button_held_along_plays_no_part",
                   false,
                   false,
                   {Press(L, L | M, {0, 0}), Release(L, M, {0, 0}), Press(L, L | M, {1, 0}),
                    Release(L, M, {1, 0})},
                   {{0, 0}, {1, 0}},
                   2},
        ScriptCase{"a_middle_click_takes_a_step_and_paints_nothing",
                   false,
                   false,
                   {Press(M, M, {0, 0}), Move(M, {5, 0}), Release(M, 0, {5, 0})},
                   {},
                   1},
        // Off the canvas the line ends: it goes on from where the pointer comes back.
        ScriptCase{"off_the_canvas_ends_the_line",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Off(L), Move(L, {0, 5}), Release(L, 0, {0, 5})},
                   {{0, 0}, {0, 5}},
                   1},
        ScriptCase{"a_lost_release_starts_a_new_stroke",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Press(L, L, {2, 0}), Release(L, 0, {2, 0})},
                   {{0, 0}, {2, 0}},
                   2},
        // A window opened over the drag takes its release: what is dragged after it is a stroke
        // of its own.
        ScriptCase{"a_window_over_the_drag_ends_the_stroke",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Do(Kind::Blocked), Move(L, {3, 0}), Move(L, {4, 0}),
                    Release(L, 0, {4, 0})},
                   {{0, 0}, {3, 0}, {4, 0}},
                   2},
        // Undo in mid-stroke takes the stroke's step; what it paints after is a step of its own.
        ScriptCase{"undo_in_mid_stroke",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Do(Kind::Undo), Move(L, {0, 3}), Release(L, 0, {0, 3})},
                   Line({0, 1}, {0, 3}),
                   1},
        ScriptCase{"cancel_takes_the_stroke_back",
                   false,
                   false,
                   {Press(L, L, {1, 1}), Move(L, {9, 1}), Do(Kind::Cancel), Move(L, {9, 5}),
                    Release(L, 0, {9, 5})},
                   {},
                   0},
        // PgDn in mid-drag: the stroke goes on in the sprite now shown, as a step there.
        ScriptCase{"the_stroke_goes_on_in_the_next_sprite",
                   false,
                   false,
                   {Press(L, L, {0, 0}), Move(L, {3, 0}), Do(Kind::NextSprite), Move(L, {3, 4}),
                    Release(L, 0, {3, 4})},
                   {{3, 4}},
                   1,
                   1}),
    [](const auto& info) { return std::string(info.param.name); });

// A stroke across the sprites of a 2 x 2 canvas, from a hi-res sprite into a multi-colour one,
// runs on the columns; it is one step, each report names the cells of each sprite it changed,
// and Undo and Redo take it back and bring it again whole.
TEST(CanvasStroke, AcrossSpritesIsOneStep) {
  SpriteDocument doc;
  std::vector<SpriteRecord> sprites(4);
  for (auto& r : sprites) r[kAttributeOffset] = 0x01;
  sprites[3][kAttributeOffset] = 0x81;
  doc.PutSprites(10, sprites);
  doc.ShowCanvas(SpriteCanvas(2, 2, {{10, 11, 12, 13}}));
  const SpriteBank before = doc.Bank();
  std::vector<DocumentChange> reports;
  doc.Subscribe([&](const DocumentChange& c) { reports.push_back(c); });
  FreehandTool tool(doc);
  RunScript(tool, doc, {Press(L, L, {20, 19}), Move(L, {29, 23}), Release(L, 0, {29, 23})});
  EXPECT_EQ(doc.UndoCount(), 1);
  // (20,19) (21,19) (22,20) (23,20) (24,21) (25,21) (26,22) (27,22) (28,23) (29,23); the
  // multi-colour pixels at 24, 26 and 28 hold two points each.
  ASSERT_EQ(reports.back().cells.size(), 2u);
  EXPECT_EQ(reports.back().cells[0].sprite, 10);
  EXPECT_EQ(reports.back().cells[0].cells, (CellArea{{21, 19}, {23, 20}}));
  EXPECT_EQ(reports.back().cells[1].sprite, 13);
  EXPECT_EQ(reports.back().cells[1].cells, (CellArea{{0, 0}, {5, 2}}));
  EXPECT_EQ(SetPoints(doc),
            (std::vector<CanvasPoint>{
                {20, 19}, {21, 19}, {22, 20}, {23, 20}, {24, 21}, {26, 22}, {28, 23}}));
  const SpriteBank after = doc.Bank();
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank(), before);
  EXPECT_TRUE(doc.Redo());
  EXPECT_EQ(doc.Bank(), after);
}

}  // namespace
}  // namespace pen_scripts
}  // namespace kelvane
