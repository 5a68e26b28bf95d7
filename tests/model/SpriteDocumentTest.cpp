// The document's rules, and the change each operation reports: what a view redraws from.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/GridLine.h"
#include "model/SpriteDocument.h"

namespace kelvane {

void PrintTo(const DocumentChange& c, std::ostream* os) {
  *os << "{what " << static_cast<unsigned>(c.what) << ", sprites " << c.first << ".." << c.last
      << "}";
}

namespace {

constexpr std::uint8_t kHires = 0x05;  // hi-res, green
constexpr std::uint8_t kMulti = 0x8A;  // multi-colour, light red

// Distinct non-blank bytes; the attribute byte is given.
SpriteRecord Patterned(int seed, std::uint8_t attribute) {
  SpriteRecord r{};
  for (int i = 0; i < kPixelBytes; ++i) r[i] = static_cast<std::uint8_t>(seed * 31 + i * 7 + 1);
  r[kAttributeOffset] = attribute;
  return r;
}

DocumentChange Change(Changed what, int first = 0, int last = -1) {
  return {what, first, last, {}};
}

// One change of the canvas: the pixel under cell of the shown sprite, with the current pen.
void Paint(SpriteDocument& d, SpriteCell cell, bool erase) {
  d.Edit([&](CanvasEdit& e) { e.pixels.Plot({cell.column, cell.row}, d.CurrentPen(), erase); });
}

// A document with sprites 0..39 patterned, even ones hi-res and odd ones multi-colour, that
// records every report.
class Document : public ::testing::Test {
 protected:
  Document() {
    std::vector<SpriteRecord> records;
    for (int n = 0; n < 40; ++n) records.push_back(Patterned(n, n % 2 ? kMulti : kHires));
    doc.PutSprites(0, records);
    doc.Subscribe([this](const DocumentChange& c) { reports.push_back(c); });
  }
  // What each report says changed, without where in the sprites (the cells have tests of
  // their own).
  std::vector<DocumentChange> Reported() {
    auto seen = reports;
    reports.clear();
    for (DocumentChange& change : seen) change.cells.clear();
    return seen;
  }

  SpriteDocument doc;
  std::vector<DocumentChange> reports;
};

TEST_F(Document, StartsAsAFreshBankWithTheSpriteColourPen) {
  const SpriteDocument fresh;
  EXPECT_EQ(fresh.Bank(), SpriteBank());
  EXPECT_EQ(fresh.CurrentSprite(), 0);
  EXPECT_EQ(fresh.CurrentPen(), kSpriteColourPen);
  EXPECT_EQ(fresh.PenColours(), (std::array<std::uint8_t, kPenCount>{6, 1, 12, 0}));
  EXPECT_EQ(fresh.UndoCount(), 0);
  EXPECT_TRUE(fresh.UndoButtonEnabled());
  EXPECT_FALSE(fresh.ClipboardFull());
  EXPECT_FALSE(fresh.RangeTaken());
}

struct SelectCase {
  const char* name;
  int shownBefore;
  std::function<void(SpriteDocument&)> select;
  int shownAfter;
};

class Selection : public Document, public ::testing::WithParamInterface<SelectCase> {};

// The history belongs to the sprite on display; showing the same one again keeps it.
TEST_P(Selection, AnotherSpriteForgetsTheUndoHistory) {
  const SelectCase& c = GetParam();
  doc.SelectSprite(c.shownBefore);
  doc.TransformSprite(Transform::NudgeUp);
  Reported();

  c.select(doc);

  EXPECT_EQ(doc.CurrentSprite(), c.shownAfter);
  EXPECT_EQ(doc.UpperHalf(), c.shownAfter >= 128);
  EXPECT_EQ(doc.PenColours()[kSpriteColourPen], SpriteColour(doc.Bank().Attribute(c.shownAfter)));
  if (c.shownAfter == c.shownBefore) {
    EXPECT_EQ(doc.UndoCount(), 1);
    EXPECT_TRUE(Reported().empty());
  } else {
    EXPECT_EQ(doc.UndoCount(), 0);
    EXPECT_FALSE(doc.UndoButtonEnabled());
    EXPECT_EQ(Reported(), (std::vector{Change(Changed::Selection | Changed::Undo)}));
    EXPECT_FALSE(doc.Undo());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Selection,
    ::testing::Values(
        SelectCase{"other_sprite", 3, [](SpriteDocument& d) { d.SelectSprite(7); }, 7},
        SelectCase{"same_sprite", 3, [](SpriteDocument& d) { d.SelectSprite(3); }, 3},
        SelectCase{"upper_half_on", 10, [](SpriteDocument& d) { d.SetUpperHalf(true); }, 138},
        SelectCase{"upper_half_off", 138, [](SpriteDocument& d) { d.SetUpperHalf(false); }, 10},
        SelectCase{"upper_half_again", 138, [](SpriteDocument& d) { d.SetUpperHalf(true); }, 138},
        SelectCase{"scroll_in_upper_half", 130, [](SpriteDocument& d) { d.SelectInHalf(127); },
                   255},
        SelectCase{"scroll_in_lower_half", 5, [](SpriteDocument& d) { d.SelectInHalf(0); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct LoadCase {
  const char* name;
  int records;
  std::optional<SharedColours> colours;
  int shownBefore;
};

class Loading : public Document, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, AppliesRecordsAndColoursAndForgetsUndoAsOneChange) {
  const LoadCase& c = GetParam();
  doc.SelectSprite(c.shownBefore);
  doc.BeginEdit("Paint");
  doc.EndEdit();
  const SpriteBank before = doc.Bank();
  const std::array<std::uint8_t, kPenCount> pensBefore = doc.PenColours();
  std::vector<SpriteRecord> file;
  for (int n = 0; n < c.records; ++n) file.push_back(Patterned(100 + n, kMulti));
  Reported();

  doc.Load(file, c.colours);

  const int loaded = std::min(c.records, kSpriteCount);
  for (int n = 0; n < kSpriteCount; ++n) {
    ASSERT_EQ(doc.Bank().Record(n), n < loaded ? file[n] : before.Record(n)) << n;
  }
  EXPECT_EQ(doc.CurrentSprite(), 0);
  EXPECT_EQ(doc.UndoCount(), 0);
  EXPECT_FALSE(doc.UndoButtonEnabled());
  const SharedColours expected =
      c.colours ? SharedColours{static_cast<std::uint8_t>((*c.colours)[0] & 15),
                                static_cast<std::uint8_t>((*c.colours)[1] & 15),
                                static_cast<std::uint8_t>((*c.colours)[2] & 15)}
                : SharedColours{pensBefore[0], pensBefore[1], pensBefore[3]};
  EXPECT_EQ(doc.Colours(), expected);

  // The file's content is what is to be saved: nothing differs from it.
  EXPECT_FALSE(doc.Modified());
  Changed what = Changed::Undo | Changed::Modified;
  if (loaded > 0) what |= Changed::Sprites;
  if (c.colours && expected != SharedColours{pensBefore[0], pensBefore[1], pensBefore[3]}) {
    what |= Changed::SharedColours;
  }
  if (c.shownBefore != 0) what |= Changed::Selection;
  EXPECT_EQ(Reported(), (std::vector{Change(what, 0, loaded - 1)}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Loading,
    ::testing::Values(LoadCase{"one_record_with_colours", 1, SharedColours{0, 15, 2}, 37},
                      LoadCase{"whole_bank_without_colours", 256, std::nullopt, 200},
                      LoadCase{"too_many_records_are_dropped", 300, SharedColours{3, 4, 5}, 0},
                      LoadCase{"no_records_same_sprite", 0, std::nullopt, 0},
                      LoadCase{"colours_keep_their_low_four_bits", 2,
                               SharedColours{0x1F, 0x10, 0xFF}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Document, TheModeToggleIsReportedAndTakesNoUndoStep) {
  doc.SelectSprite(1);  // multi-colour
  doc.SelectPen(kMultiColour2Pen);
  const SpriteRecord before = doc.Bank().Record(1);
  Reported();

  doc.SetMultiColour(false);
  // The pixel bytes stay; the multi-colour pen hands over to the sprite colour pen.
  SpriteRecord expected = before;
  expected[kAttributeOffset] &= static_cast<std::uint8_t>(~kMultiColourFlag);
  EXPECT_EQ(doc.Bank().Record(1), expected);
  EXPECT_EQ(doc.CurrentPen(), kSpriteColourPen);
  EXPECT_EQ(Reported(), (std::vector{Change(Changed::Sprites | Changed::Pen, 1, 1)}));
  EXPECT_EQ(doc.UndoCount(), 0);

  doc.SetMultiColour(false);  // already hi-res
  EXPECT_TRUE(Reported().empty());
  doc.SetMultiColour(true);
  EXPECT_EQ(doc.Bank().Record(1), before);
  EXPECT_EQ(doc.CurrentPen(), kSpriteColourPen);
  EXPECT_EQ(Reported(), (std::vector{Change(Changed::Sprites, 1, 1)}));
  EXPECT_FALSE(doc.Undo());
}

TEST_F(Document, ShowingAHiresSpriteHandsAMultiColourPenToTheSpriteColour) {
  doc.SelectSprite(1);
  doc.SelectPen(kMultiColour1Pen);
  Reported();
  doc.SelectSprite(2);  // hi-res
  EXPECT_EQ(doc.CurrentPen(), kSpriteColourPen);
  EXPECT_EQ(Reported(), (std::vector{Change(Changed::Selection | Changed::Pen)}));
  doc.SelectPen(kTransparentPen);
  doc.SelectSprite(4);
  EXPECT_EQ(doc.CurrentPen(), kTransparentPen);
}

TEST_F(Document, PickingTheSpriteColourKeepsTheOverlayAndExpandBits) {
  const SpriteRecord r = Patterned(5, 0xF1);  // expand Y and X, overlay, white
  doc.PutSprites(7, std::span(&r, 1));
  doc.SelectSprite(7);
  doc.PickColour(13);
  EXPECT_EQ(doc.CurrentAttribute(), 0xFD);
  EXPECT_EQ(doc.UndoCount(), 1);
  doc.Undo();
  EXPECT_EQ(doc.CurrentAttribute(), 0xF1);
}

TEST_F(Document, AStrokeIsOneUndoStepHoweverManyCellsItPaints) {
  doc.SelectSprite(6);  // hi-res
  const SpriteRecord before = doc.Bank().Record(6);
  for (int stroke = 0; stroke < 2; ++stroke) {
    doc.BeginEdit("Paint");
    for (int column = 0; column < kHiresColumns; ++column) Paint(doc, {column, 4 + stroke}, false);
    doc.BeginEdit("Paint");  // a second press while the first is held: still the same stroke
    doc.EndEdit();
  }
  EXPECT_EQ(doc.UndoCount(), 2);
  EXPECT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank().Record(6), before);
  EXPECT_FALSE(doc.Undo());
}

// Undo in mid-stroke takes the stroke's step; what it paints afterwards is a step of its own.
TEST_F(Document, PaintAfterAnUndoInMidStrokeCanBeUndone) {
  doc.SelectSprite(6);
  const SpriteRecord before = doc.Bank().Record(6);
  doc.BeginEdit("Paint");
  Paint(doc, {1, 0}, false);
  EXPECT_TRUE(doc.Undo());
  Paint(doc, {1, 0}, true);  // erases nothing: no step, and the Redo stays
  EXPECT_EQ(doc.RedoCount(), 1);
  for (int column = 0; column <= 5; ++column) Paint(doc, {column, 1}, false);
  doc.EndEdit();
  EXPECT_NE(doc.Bank().Record(6), before);
  EXPECT_EQ(doc.UndoCount(), 1);
  EXPECT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Bank().Record(6), before);

  // Going on into the next sprite, the stroke takes one step there, not two.
  doc.BeginEdit("Paint");
  Paint(doc, {0, 0}, false);
  EXPECT_TRUE(doc.Undo());
  doc.StepSprite(1, false);
  Paint(doc, {0, 0}, false);
  doc.EndEdit();
  EXPECT_EQ(doc.UndoCount(), 1);
}

// Each operation, on a document prepared for it, and the one report it gives: the sprites whose
// bytes changed and nothing else that did not change.
struct ReportCase {
  const char* name;
  std::function<void(SpriteDocument&)> prepare;
  std::function<void(SpriteDocument&)> act;
  DocumentChange expected;  // Empty(): no report at all
};

class Reports : public Document, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(Reports, EachOperationReportsExactlyWhatItChanged) {
  const ReportCase& c = GetParam();
  if (c.prepare) c.prepare(doc);
  Reported();
  c.act(doc);
  const std::vector<DocumentChange> seen = Reported();
  if (c.expected.Empty()) {
    EXPECT_TRUE(seen.empty());
  } else {
    EXPECT_EQ(seen, std::vector{c.expected});
  }
}

const auto kShow = [](int n) { return [n](SpriteDocument& d) { d.SelectSprite(n); }; };

INSTANTIATE_TEST_SUITE_P(
    Cases, Reports,
    ::testing::Values(
        ReportCase{"painted_cell_is_that_sprite_only",
                   [](SpriteDocument& d) {
                     d.SelectSprite(5);
                     d.BeginEdit("Paint");
                   },
                   [](SpriteDocument& d) { Paint(d, {0, 0}, true); }, Change(Changed::Sprites, 5, 5)},
        ReportCase{"painting_what_is_there_is_no_change",
                   [](SpriteDocument& d) {
                     d.SelectSprite(5);
                     d.BeginEdit("Paint");
                     Paint(d, {0, 0}, true);
                   },
                   [](SpriteDocument& d) { Paint(d, {0, 0}, true); }, {}},
        ReportCase{"stroke_begins_with_its_snapshot", kShow(5),
                   [](SpriteDocument& d) { d.BeginEdit("Paint"); }, Change(Changed::Undo)},
        ReportCase{"pen", nullptr, [](SpriteDocument& d) { d.SelectPen(kTransparentPen); },
                   Change(Changed::Pen)},
        ReportCase{"shared_colour_pick",
                   [](SpriteDocument& d) { d.SelectPen(kTransparentPen); },
                   [](SpriteDocument& d) { d.PickColour(9); }, Change(Changed::SharedColours)},
        ReportCase{"sprite_colour_pick", kShow(3), [](SpriteDocument& d) { d.PickColour(9); },
                   Change(Changed::Sprites | Changed::Undo, 3, 3)},
        ReportCase{"transform_of_a_blank_sprite_is_only_a_snapshot", kShow(200),
                   [](SpriteDocument& d) { d.TransformSprite(Transform::FlipTopToBottom); },
                   Change(Changed::Undo)},
        ReportCase{"transform", kShow(8),
                   [](SpriteDocument& d) { d.TransformSprite(Transform::NudgeLeft); },
                   Change(Changed::Sprites | Changed::Undo, 8, 8)},
        ReportCase{"undo_with_nothing_to_undo", kShow(8), [](SpriteDocument& d) { d.Undo(); }, {}},
        ReportCase{"undo",
                   [](SpriteDocument& d) {
                     d.SelectSprite(8);
                     d.TransformSprite(Transform::NudgeLeft);
                   },
                   [](SpriteDocument& d) { d.Undo(); },
                   Change(Changed::Sprites | Changed::Undo, 8, 8)},
        ReportCase{"redo_with_nothing_to_redo", kShow(8), [](SpriteDocument& d) { d.Redo(); },
                   {}},
        ReportCase{"redo",
                   [](SpriteDocument& d) {
                     d.SelectSprite(8);
                     d.TransformSprite(Transform::NudgeLeft);
                     d.Undo();
                   },
                   [](SpriteDocument& d) { d.Redo(); },
                   Change(Changed::Sprites | Changed::Undo, 8, 8)},
        ReportCase{"copy", kShow(8), [](SpriteDocument& d) { d.CopySprite(); },
                   Change(Changed::Clipboard)},
        ReportCase{"cut", kShow(8), [](SpriteDocument& d) { d.CutSprite(); },
                   Change(Changed::Sprites | Changed::Undo | Changed::Clipboard, 8, 8)},
        ReportCase{"paste_before_any_copy", kShow(8), [](SpriteDocument& d) { d.PasteSprite(); },
                   {}},
        ReportCase{"paste",
                   [](SpriteDocument& d) {
                     d.CopySprite();
                     d.SelectSprite(9);
                   },
                   [](SpriteDocument& d) { d.PasteSprite(); },
                   Change(Changed::Sprites | Changed::Undo, 9, 9)},
        ReportCase{"copy_range", nullptr, [](SpriteDocument& d) { d.TakeRange(10, 12, false); },
                   Change(Changed::Clipboard)},
        ReportCase{"cut_range", nullptr, [](SpriteDocument& d) { d.TakeRange(10, 12, true); },
                   Change(Changed::Sprites | Changed::Clipboard, 10, 12)},
        ReportCase{"paste_range_over_the_shown_sprite",
                   [](SpriteDocument& d) {
                     d.TakeRange(10, 12, false);
                     d.SelectSprite(38);
                     d.BeginEdit("Paint");
                     d.EndEdit();
                   },
                   [](SpriteDocument& d) { d.PasteRange(); },
                   Change(Changed::Sprites | Changed::Undo, 38, 40)},
        ReportCase{"paste_range_past_the_last_sprite",
                   [](SpriteDocument& d) {
                     d.TakeRange(10, 12, false);
                     d.SelectSprite(254);
                   },
                   [](SpriteDocument& d) { d.PasteRange(); }, Change(Changed::Sprites, 254, 255)},
        ReportCase{"remove_blanks_moves_nothing_when_none_between", nullptr,
                   [](SpriteDocument& d) { d.RemoveBlanks(); },
                   Change(Changed::Sprites, 40, 255)},  // blanks lose their attribute byte
        ReportCase{"attributes_to_all", nullptr,
                   [](SpriteDocument& d) { d.CopyAttributesToAll(kHires); },
                   Change(Changed::Sprites, 1, 255)},
        ReportCase{"new",
                   [](SpriteDocument& d) {
                     d.SelectSprite(131);
                     d.SelectPen(kTransparentPen);
                     d.PickColour(2);
                   },
                   [](SpriteDocument& d) { d.New(); },
                   Change(Changed::Sprites | Changed::SharedColours | Changed::Selection |
                              Changed::Pen | Changed::Modified,
                          0, 39)},
        ReportCase{"put_sprites", nullptr,
                   [](SpriteDocument& d) {
                     const SpriteRecord r = Patterned(77, kMulti);
                     d.PutSprites(50, std::span(&r, 1));
                   },
                   Change(Changed::Sprites, 50, 50)},
        ReportCase{"select_with_nothing_to_forget", nullptr, kShow(9),
                   Change(Changed::Selection)},
        ReportCase{"select",
                   [](SpriteDocument& d) {
                     d.BeginEdit("Paint");
                     d.EndEdit();
                   },
                   kShow(9), Change(Changed::Selection | Changed::Undo)}),
    [](const auto& info) { return std::string(info.param.name); });

struct CellsCase {
  const char* name;
  int sprite;  // even ones hi-res, odd ones multi-colour
  std::function<void(SpriteDocument&)> act;
  std::vector<CellArea> rectangles;  // as a view redraws them, top to bottom
};

class ChangedCells : public Document, public ::testing::WithParamInterface<CellsCase> {};

// Where in the sprite a change shows, so that a view can redraw just that: the rectangles, and
// the one round them all.
TEST_P(ChangedCells, AreThoseThatNowLookDifferent) {
  const CellsCase& c = GetParam();
  doc.SelectSprite(c.sprite);
  reports.clear();
  c.act(doc);
  ASSERT_EQ(reports.size(), 1u);
  ASSERT_EQ(reports.front().cells.size(), 1u);
  const SpriteCells& changed = reports.front().cells.front();
  EXPECT_EQ(changed.sprite, c.sprite);
  std::vector<CellArea> rectangles;
  CellArea bounds;
  changed.ForEachRectangle([&](const CellArea& r) {
    rectangles.push_back(r);
    bounds.Add(r.first);
    bounds.Add(r.last);
  });
  EXPECT_EQ(rectangles, c.rectangles);
  EXPECT_EQ(changed.cells, bounds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedCells,
    ::testing::Values(CellsCase{"hires_cell",
                                6,
                                [](SpriteDocument& d) {
                                  Paint(d, {9, 4}, false);
                                },
                                {{{9, 4}, {9, 4}}}},
                      CellsCase{"multi_colour_pixel_is_two_cells",
                                5,
                                [](SpriteDocument& d) {
                                  Paint(d, {1, 20}, true);
                                },
                                {{{0, 20}, {1, 20}}}},
                      CellsCase{"far_apart_bits_are_apart",
                                6,
                                [](SpriteDocument& d) {
                                  SpriteRecord r = d.Bank().Record(6);
                                  r[3] ^= 0x01;   // row 1, column 7
                                  r[62] ^= 0x80;  // row 20, column 16
                                  d.PutSprites(6, std::span(&r, 1));
                                },
                                {{{7, 1}, {7, 1}}, {{16, 20}, {16, 20}}}},
                      CellsCase{"rows_alike_are_one_rectangle_and_a_gap_two",
                                6,
                                [](SpriteDocument& d) {
                                  SpriteRecord r = d.Bank().Record(6);
                                  for (int row : {2, 3, 4})
                                    r[row * kRowBytes] ^= 0xC3;  // columns 0-1, 6-7
                                  r[5 * kRowBytes] ^= 0x40;      // row 5, column 1
                                  d.PutSprites(6, std::span(&r, 1));
                                },
                                {{{0, 2}, {1, 4}}, {{6, 2}, {7, 4}}, {{1, 5}, {1, 5}}}},
                      CellsCase{"mode_shows_everywhere",
                                6,
                                [](SpriteDocument& d) { d.SetMultiColour(true); },
                                {CellArea::Whole()}}),
    [](const auto& info) { return std::string(info.param.name); });

// Redo follows undo's rules: after two strokes on sprite 6 and one Undo, each case does one
// thing and leaves this many undo and redo levels; what is left to redo still redoes.
struct HistoryCase {
  const char* name;
  std::function<void(SpriteDocument&)> act;
  int undo;
  int redo;
};

class History : public Document, public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(History, RedoIsForgottenWhereUndoIsAndByAnyNewChange) {
  const HistoryCase& c = GetParam();
  doc.SelectSprite(6);
  for (const int column : {0, 1}) {
    doc.BeginEdit("Paint");
    Paint(doc, {column, 0}, true);  // hi-res sprite 6 has both pixels set
    doc.EndEdit();
  }
  const SpriteRecord afterStrokes = doc.Bank().Record(6);
  ASSERT_TRUE(doc.Undo());
  c.act(doc);
  EXPECT_EQ(doc.UndoCount(), c.undo);
  EXPECT_EQ(doc.RedoCount(), c.redo);
  const SpriteRecord before = doc.Bank().Record(doc.CurrentSprite());
  EXPECT_EQ(doc.Redo(), c.redo > 0);
  while (doc.Redo()) {
  }
  EXPECT_EQ(doc.Bank().Record(doc.CurrentSprite()), c.redo > 0 ? afterStrokes : before);
}

const auto kOnly = [](auto... steps) { return [=](SpriteDocument& d) { (steps(d), ...); }; };
const SpriteRecord kOther = Patterned(60, kHires);
const SpriteRecord kBlank{};

INSTANTIATE_TEST_SUITE_P(
    Cases, History,
    ::testing::Values(
        HistoryCase{"nothing_else", [](SpriteDocument&) {}, 1, 1},
        HistoryCase{"second_undo", [](SpriteDocument& d) { d.Undo(); }, 0, 2},
        HistoryCase{"stroke", [](SpriteDocument& d) { d.BeginEdit("Paint"); }, 2, 0},
        HistoryCase{
            "shared_colour_pick",
            kOnly([](auto& d) { d.SelectPen(kTransparentPen); }, [](auto& d) { d.PickColour(3); }),
            1, 1},
        HistoryCase{"mode_toggle", [](SpriteDocument& d) { d.SetMultiColour(true); }, 1, 0},
        HistoryCase{"cut_range_over_it", [](auto& d) { d.TakeRange(5, 7, true); }, 1, 0},
        HistoryCase{
            "paste_range_over_it",
            kOnly([](auto& d) { d.TakeRange(10, 12, false); }, [](auto& d) { d.PasteRange(); }), 0,
            0},
        HistoryCase{"remove_blanks_moving_it",
                    kOnly([](auto& d) { d.PutSprites(2, std::span(&kBlank, 1)); },
                          [](auto& d) { d.RemoveBlanks(); }),
                    0, 0},
        HistoryCase{"next_sprite", [](SpriteDocument& d) { d.StepSprite(1, false); }, 0, 0},
        HistoryCase{"loading", [](auto& d) { d.Load(std::span(&kOther, 1), std::nullopt); }, 0, 0},
        HistoryCase{"new", [](SpriteDocument& d) { d.New(); }, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Bresenham's points, worked out by hand: every octant's rule, and a line of one point.
TEST(GridLine, VisitsEveryPointFromTheFirstToTheLast) {
  const struct {
    SpriteCell from, to;
    std::vector<SpriteCell> points;
  } lines[] = {
      {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {{3, 10}, {1, 4}, {{3, 10}, {3, 9}, {2, 8}, {2, 7}, {2, 6}, {1, 5}, {1, 4}}},
      {{0, 0}, {5, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}}},
      {{7, 3}, {7, 3}, {{7, 3}}},
  };
  for (const auto& line : lines) {
    std::vector<SpriteCell> visited;
    ForEachOnLine(line.from, line.to, [&](SpriteCell p) { visited.push_back(p); });
    EXPECT_EQ(visited, line.points);
  }
}

TEST_F(Document, PuttingOtherContentIntoTheShownSlotForgetsItsHistory) {
  doc.SelectSprite(12);
  doc.TransformSprite(Transform::NudgeUp);
  const SpriteRecord same = doc.Bank().Record(12);
  doc.PutSprites(12, std::span(&same, 1));
  EXPECT_EQ(doc.UndoCount(), 1);
  const SpriteRecord other = Patterned(90, kHires);
  doc.PutSprites(11, std::vector{other, other});
  EXPECT_EQ(doc.UndoCount(), 0);
}

TEST_F(Document, AListenerThatLeavesHearsNoMore) {
  int heard = 0;
  const auto id = doc.Subscribe([&](const DocumentChange&) { ++heard; });
  doc.SelectSprite(1);
  doc.Unsubscribe(id);
  doc.SelectSprite(2);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(Reported().size(), 2u);
}

}  // namespace
}  // namespace kelvane

namespace kelvane {
namespace {

// The animations are content: a change is one step, undone and redone whole, reported, and
// counted as unsaved until Undo brings back what was loaded; a new bank has none.
TEST_F(Document, AnimationsChangeInStepsOfTheirOwn) {
  const std::vector<SpriteAnimation> loaded{{0, 3, 2, kAnimationValidFlag}};
  const std::vector<SpriteAnimation> edited{{0, 5, 4, kAnimationPingPongFlag}};
  doc.Load(std::vector<SpriteRecord>(4), std::nullopt, loaded);
  EXPECT_EQ(doc.Animations(), loaded);
  EXPECT_FALSE(doc.Modified());
  reports.clear();
  doc.SetAnimations("Animation", edited);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports.back().Has(Changed::Animations));
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.UndoCount(), 1);
  doc.SetAnimations("Animation", edited);  // the same list: no step
  EXPECT_EQ(doc.UndoCount(), 1);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Animations(), loaded);
  EXPECT_FALSE(doc.Modified());
  EXPECT_TRUE(reports.back().Has(Changed::Animations));
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.Animations(), edited);
  doc.New();
  EXPECT_TRUE(doc.Animations().empty());
}

}  // namespace
}  // namespace kelvane
