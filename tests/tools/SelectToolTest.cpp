// The selection as scripts of mouse events and Edit commands on a sprite, against the pixels
// they leave and the steps they take: nothing touches the bank until floating pixels land.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolArt.h"
#include "tools/SelectTool.h"

namespace kelvane {
namespace {

enum class K { Press, CtrlPress, Move, Release, By, Down, Esc, Leave, Del, Copy, Paste, Turn, Rot };
struct Op {
  K kind;
  SpriteCell at{};  // a pixel for the mouse; columns and rows for By
  Transform transform = Transform::NudgeUp;
};

using Ops = std::vector<Op>;

Ops Mark(SpriteCell a, SpriteCell b) {
  return {{K::Press, a}, {K::Move, b}, {K::Release, b}};
}
std::vector<Op> operator+(std::vector<Op> a, const std::vector<Op>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct SelectCase {
  const char* name;
  bool multiColour;
  std::vector<std::string> before;
  std::vector<Op> script;
  std::vector<std::string> after;
  int steps;
};

class Selection : public ::testing::TestWithParam<SelectCase> {};

TEST_P(Selection, LeavesThesePixelsInThisManySteps) {
  const SelectCase& c = GetParam();
  SpriteDocument doc;
  doc.PutSprites(0, std::vector{SpriteOf(c.multiColour, c.before)});
  SelectTool tool(doc);
  const int width = c.multiColour ? 2 : 1;
  for (const Op& op : c.script) {
    const CanvasPoint point{op.at.column * width + width - 1, op.at.row};
    const bool press = op.kind == K::Press || op.kind == K::CtrlPress;
    const ToolEvent event{point,
                          press ? kLeftButton : kNoButton,
                          press ? kLeftButton : kNoButton,
                          {false, op.kind == K::CtrlPress, false}};
    switch (op.kind) {
      case K::Press:
      case K::CtrlPress:
        tool.Press(event);
        break;
      case K::Move:
        tool.Move({point, kNoButton, kLeftButton, {}});
        break;
      case K::Release:
        tool.Release({point, kLeftButton, kNoButton, {}});
        break;
      case K::By:
        tool.MoveBy(op.at.column, op.at.row);
        break;
      case K::Down:
        tool.PutDown();
        break;
      case K::Esc:
        tool.Cancel();
        break;
      case K::Leave:
        tool.Leave();
        break;
      case K::Del:
        tool.Clear();
        break;
      case K::Copy:
        tool.Copy();
        break;
      case K::Paste:
        tool.Paste();
        break;
      case K::Turn:
        tool.Apply(op.transform);
        break;
      case K::Rot:
        tool.Rotate(op.at.column > 0);
        break;
    }
  }
  EXPECT_EQ(Art(doc), c.after);
  EXPECT_EQ(doc.UndoCount(), c.steps);
  EXPECT_FALSE(doc.EditOpen());
}

const Op kDown{K::Down};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Selection, ::testing::Values(
    SelectCase{"a_drag_inside_moves_and_lands_as_one_step", false, {"##", "##"},
               Mark({0, 0}, {1, 1}) + Mark({1, 1}, {4, 2}) + Ops{kDown}, {"", "...##", "...##"}, 1},
    SelectCase{"floating_pixels_touch_nothing", false, {"##", "##"},
               Mark({0, 0}, {1, 1}) + Mark({1, 1}, {4, 2}), {"##", "##"}, 0},
    SelectCase{"ctrl_drag_copies", false, {"##"},
               Mark({0, 0}, {1, 0}) + Ops{{K::CtrlPress, {0, 0}}, {K::Move, {0, 2}}, kDown},
               {"##", "", "##"}, 1},
    SelectCase{"arrow_keys_move_by_a_pixel", true, {"13"},
               Mark({0, 0}, {1, 0}) + Ops{{K::By, {1, 0}}, {K::By, {1, 0}}, {K::By, {0, 1}}, kDown},
               {"", "..13"}, 1},
    SelectCase{"a_press_outside_puts_down", false, {"#"},
               Mark({0, 0}, {0, 0}) + Ops{{K::By, {0, 1}}, {K::Press, {9, 9}}}, {"", "#"}, 1},
    SelectCase{"esc_puts_them_back", false, {"#"},
               Mark({0, 0}, {0, 0}) + Ops{{K::By, {3, 3}}, {K::Esc}, kDown}, {"#"}, 0},
    SelectCase{"another_tool_puts_down", false, {"#"},
               Mark({0, 0}, {0, 0}) + Ops{{K::By, {0, 1}}, {K::Leave}}, {"", "#"}, 1},
    SelectCase{"del_clears_the_selection", false, {"###", "###"},
               Mark({1, 0}, {2, 1}) + Ops{{K::Del}}, {"#", "#"}, 1},
    SelectCase{"del_on_floating_pixels_leaves_their_place_clear", false, {"##"},
               Mark({0, 0}, {0, 0}) + Ops{{K::By, {0, 1}}, {K::Del}, kDown}, {".#"}, 1},
    SelectCase{"a_flip_acts_on_the_selection_only", false, {"##.", "", "#"},
               Mark({0, 0}, {2, 0}) + Ops{{K::Turn, {}, Transform::FlipLeftToRight}},
               {".##", "", "#"}, 1},
    SelectCase{"a_nudge_wraps_within_the_selection", false, {"#..#"},
               Mark({0, 0}, {2, 0}) + Ops{{K::Turn, {}, Transform::NudgeLeft}}, {"..##"}, 1},
    SelectCase{"a_symmetrize_of_floating_pixels_lands_with_them", false, {"#.", ".."},
               Mark({0, 0}, {1, 1}) +
                   Ops{{K::By, {1, 0}}, {K::Turn, {}, Transform::SymmetrizeTopToBottom}, kDown},
               {".#", ".#"}, 1},
    SelectCase{"copied_pixels_paste_floating", false, {"#."},
               Mark({0, 0}, {1, 0}) + Ops{{K::Copy}, {K::Esc}, {K::Paste}, {K::By, {0, 1}}, kDown},
               {"#", "#"}, 1},
    SelectCase{"rotate_turns_a_square", false, {"##", "#."},
               Mark({0, 0}, {1, 1}) + Ops{{K::Rot, {1, 0}}}, {"##", ".#"}, 1},
    SelectCase{"rotate_left_turns_back", false, {"##", "#."},
               Mark({0, 0}, {1, 1}) + Ops{{K::Rot, {1, 0}}, {K::Rot, {0, 0}}}, {"##", "#"}, 2},
    SelectCase{"rotate_leaves_a_rectangle", false, {"#"},
               Mark({0, 0}, {1, 0}) + Ops{{K::Rot, {1, 0}}}, {"#"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace kelvane
