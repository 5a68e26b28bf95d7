// Fill, line, rectangle, ellipse and picker as scripts of presses, moves and releases on a
// sprite, against the pixels they leave (drawn as rows of the sprite's own pixels) and the steps
// they take.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ToolArt.h"
#include "tools/FillTool.h"
#include "tools/PickerTool.h"
#include "tools/ShapeTool.h"
#include "tools/Shapes.h"

namespace kelvane {
namespace {

constexpr unsigned L = kLeftButton;
constexpr unsigned R = kRightButton;

enum class Kind { Press, Move, Release, Cancel };
struct Step {
  Kind kind;
  unsigned button;
  CanvasPoint at;
  bool shift = false;
};

enum class Use { Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse, Fill };

std::unique_ptr<Tool> Make(Use use, SpriteDocument& doc) {
  if (use == Use::Fill) return std::make_unique<FillTool>(doc);
  return std::make_unique<ShapeTool>(doc, static_cast<Shape>(use));
}

// A drag from a to b with the button, Shift held or not.
std::vector<Step> Drag(CanvasPoint a, CanvasPoint b, unsigned button = L, bool shift = false) {
  return {{Kind::Press, button, a, shift},
          {Kind::Move, kNoButton, {(a.x + b.x) / 2, a.y}, shift},
          {Kind::Move, kNoButton, b, shift},
          {Kind::Release, button, b, shift}};
}

std::vector<Step> Click(CanvasPoint at, unsigned button = L) {
  return {{Kind::Press, button, at}, {Kind::Release, button, at}};
}

struct ToolCase {
  const char* name;
  bool multiColour;
  Use use;
  std::vector<std::string> before;  // as Art draws it
  std::vector<Step> script;
  std::vector<std::string> after;
  int steps = 1;
};

class DrawingTools : public ::testing::TestWithParam<ToolCase> {};

void RunScript(Tool& tool, const std::vector<Step>& script) {
  for (const Step& s : script) {
    const unsigned held = s.kind == Kind::Press ? s.button : kNoButton;
    const ToolEvent event{s.at, s.button, s.kind == Kind::Move ? L : held, {s.shift, false, false}};
    switch (s.kind) {
      case Kind::Press:
        tool.Press(event);
        break;
      case Kind::Move:
        tool.Move(event);
        break;
      case Kind::Release:
        tool.Release(event);
        break;
      case Kind::Cancel:
        tool.Cancel();
        break;
    }
  }
}

TEST_P(DrawingTools, DrawTheReference) {
  const ToolCase& c = GetParam();
  SpriteDocument doc;
  doc.PutSprites(0, std::vector{SpriteOf(c.multiColour, c.before)});
  const SpriteRecord before = doc.Bank().Record(0);
  const auto tool = Make(c.use, doc);
  RunScript(*tool, c.script);
  EXPECT_EQ(Art(doc), c.after);
  EXPECT_EQ(doc.UndoCount(), c.steps);
  EXPECT_TRUE(tool->CurrentPreview().empty());
  EXPECT_FALSE(doc.EditOpen());
  // One Ctrl+Z takes the use back whole.
  if (c.steps == 0) return;
  doc.Undo();
  EXPECT_EQ(doc.Bank().Record(0), before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DrawingTools, ::testing::Values(
    ToolCase{"line", false, Use::Line, {}, Drag({0, 0}, {6, 2}), {"##", "..###", ".....##"}},
    ToolCase{"line_backwards_is_the_same", false, Use::Line, {}, Drag({6, 2}, {0, 0}),
             {"##", "..###", ".....##"}},
    ToolCase{"shift_keeps_a_line_level", false, Use::Line, {}, Drag({1, 1}, {5, 2}, L, true),
             {"", ".#####"}},
    ToolCase{"shift_keeps_a_line_at_45", false, Use::Line, {}, Drag({0, 0}, {3, 2}, L, true),
             {"#", ".#", "..#", "...#"}},
    // Shift held down where the pointer rests snaps the line it puts down.
    ToolCase{"shift_at_the_release_alone", false, Use::Line, {},
             {{Kind::Press, L, {0, 0}}, {Kind::Move, 0, {3, 2}},
              {Kind::Release, L, {3, 2}, true}}, {"#", ".#", "..#", "...#"}},
    ToolCase{"multi_colour_line_on_double_pixels", true, Use::Line, {}, Drag({1, 0}, {7, 1}),
             {"##", "..##"}},
    ToolCase{"right_button_line_erases", false, Use::Line, {"#####"}, Drag({1, 0}, {3, 0}, R),
             {"#...#"}},
    ToolCase{"rectangle", false, Use::Rectangle, {}, Drag({4, 3}, {1, 1}),
             {"", ".####", ".#..#", ".####"}},
    ToolCase{"shift_makes_a_square", false, Use::Rectangle, {}, Drag({0, 0}, {2, 1}, L, true),
             {"###", "#.#", "###"}},
    ToolCase{"filled_rectangle_multi_colour", true, Use::FilledRectangle, {}, Drag({0, 0}, {5, 1}),
             {"###", "###"}},
    ToolCase{"ellipse_odd_box", false, Use::Ellipse, {}, Drag({0, 0}, {6, 4}),
             {"..###", ".#...#", "#.....#", ".#...#", "..###"}},
    ToolCase{"ellipse_even_box", false, Use::Ellipse, {}, Drag({0, 0}, {5, 3}),
             {".####", "#....#", "#....#", ".####"}},
    ToolCase{"shift_makes_a_circle", false, Use::Ellipse, {}, Drag({0, 0}, {4, 2}, L, true),
             {".###", "#...#", "#...#", "#...#", ".###"}},
    ToolCase{"filled_ellipse", false, Use::FilledEllipse, {}, Drag({0, 0}, {4, 4}),
             {".###", "#####", "#####", "#####", ".###"}},
    ToolCase{"flat_ellipse_is_a_line", false, Use::Ellipse, {}, Drag({0, 0}, {0, 3}),
             {"#", "#", "#", "#"}},
    ToolCase{"esc_draws_nothing", false, Use::Rectangle, {},
             {{Kind::Press, L, {0, 0}}, {Kind::Move, 0, {3, 3}}, {Kind::Cancel, 0, {}},
              {Kind::Release, L, {3, 3}}}, {}, 0},
    ToolCase{"fill_stays_inside_its_region", false, Use::Fill, {"..#", "..#", "###"},
             Click({0, 0}), {"###", "###", "###"}},
    // Only the pixels of the pen pressed on, 4-connected: the diagonal gap stops it.
    ToolCase{"fill_floods_one_pen_four_connected", true, Use::Fill, {"1.3", ".13", "33"},
             Click({2, 0}), {"1#3", ".13", "33"}},
    ToolCase{"right_button_fill_erases", false, Use::Fill, {"##.#", "#..#"}, Click({0, 0}, R),
             {"...#", "...#"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Every ellipse, of every box that fits a sprite, touches the four sides of its box and is the
// same mirrored either way.
TEST(Ellipse, FillsItsBoxSymmetrically) {
  for (int width = 0; width < kHiresColumns; ++width) {
    for (int height = 0; height < kSpriteRows; ++height) {
      const Pixels outline = EllipsePixels({width, height}, {0, 0}, false);
      const auto has = [&](SpriteCell p) { return std::ranges::count(outline, p) == 1; };
      int left = width, right = 0, top = height, bottom = 0;
      for (const SpriteCell p : outline) {
        ASSERT_TRUE(has({width - p.column, p.row}) && has({p.column, height - p.row}))
            << width << " x " << height;
        left = std::min(left, p.column);
        right = std::max(right, p.column);
        top = std::min(top, p.row);
        bottom = std::max(bottom, p.row);
      }
      EXPECT_TRUE(left == 0 && right == width && top == 0 && bottom == height)
          << width << " x " << height;
    }
  }
}

// The picker makes the pen under the press current, and changes nothing else.
// A pen chosen in mid-drag shows at the next move, even one within the same pixel, and the
// release puts the line down in it.
TEST(Line, TakesThePenChosenInMidDrag) {
  SpriteDocument doc;
  doc.PutSprites(0, std::vector{SpriteOf(true, {})});
  ShapeTool line(doc, Shape::Line);
  line.Press({CanvasPoint{0, 0}, L, L, {}});
  line.Move({CanvasPoint{6, 0}, kNoButton, L, {}});
  doc.SelectPen(kMultiColour1Pen);
  line.Move({CanvasPoint{7, 0}, kNoButton, L, {}});
  ASSERT_FALSE(line.CurrentPreview().empty());
  for (const PreviewPixel& p : line.CurrentPreview()) EXPECT_EQ(p.pen, kMultiColour1Pen);
  line.Release({CanvasPoint{7, 0}, L, kNoButton, {}});
  EXPECT_EQ(Art(doc), std::vector<std::string>{"1111"});
}

TEST(Picker, MakesThePenUnderThePressCurrent) {
  SpriteDocument doc;
  doc.PutSprites(0, std::vector{SpriteOf(true, {".13#"})});
  PickerTool picker(doc);
  for (const auto& [column, pen] :
       {std::pair{1, kMultiColour1Pen}, std::pair{3, kSpriteColourPen},
        std::pair{2, kMultiColour2Pen}, std::pair{0, kTransparentPen}}) {
    picker.Press({CanvasPoint{column * 2 + 1, 0}, L, L, {}});
    EXPECT_EQ(doc.CurrentPen(), pen) << column;
  }
  EXPECT_EQ(doc.UndoCount(), 0);
}

}  // namespace
}  // namespace kelvane
