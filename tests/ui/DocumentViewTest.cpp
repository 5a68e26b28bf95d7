// The window as a view of its document: each change drawn once, in the right colours, and the
// controls following the document without running their handlers again.
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "WindowChecks.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"

namespace kelvane::test {
namespace {

using Trace = std::vector<std::string>;

class DocumentView : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    form().SetDrawTrace([this](std::string_view picture) { trace_.emplace_back(picture); });
  }
  Trace Drawn() {
    Trace drawn = trace_;
    trace_.clear();
    return drawn;
  }
  void WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }

  QTemporaryDir dir_;

 private:
  Trace trace_;
};

// Before, the window reset each control in turn, drawing editor and sheet several times and
// the new sprite in the old colours; now the load is one change, drawn once.
TEST_F(DocumentView, ALoadDrawsEachPictureOnceInTheFilesColours) {
  FillBankWithPattern(document(), 3);
  form().UpperSet->setChecked(true);
  form().ScrollBar1->setValue(37);  // sprite 165, both controls away from sprite 0
  form().ScrollBar2->setValue(4);
  form().ScrollBar3->setValue(6);
  Click(form().Image1, {4, 4});  // some history to forget
  document().MarkSaved();          // and nothing unsaved to ask about
  std::vector<std::uint8_t> sprites(4 * kSpriteBytes, 0);
  sprites[kAttributeOffset] = 0x01;  // sprite 0 hi-res and blank: all background
  const QString path = dir_.filePath(QStringLiteral("trace.spr"));
  WriteFile(path, sprites);
  WriteFile(path + ".inf", {9, 3, 12});
  Drawn();

  AnswerFileDialog(path);
  form().Open1->trigger();

  EXPECT_EQ(Drawn(), (Trace{"sheet", "editor"}));
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet2);
  EXPECT_EQ(form().ScrollBar2->value(), 0);
  EXPECT_EQ(form().ScrollBar3->value(), 0);
  EXPECT_EQ(form().Image1->Picture().pixel(3, 3), PaletteRgb(9));
  EXPECT_EQ(form().Image3->Picture().pixel(0, 0), PaletteRgb(9));
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 1), "");
  EXPECT_FALSE(form().Btn_Undo->isEnabled());
}

TEST_F(DocumentView, ARefusedLoadDrawsNothing) {
  const QString path = dir_.filePath(QStringLiteral("odd.spr"));
  WriteFile(path, std::vector<std::uint8_t>(100));
  AnswerMessageBox(QMessageBox::Ok);
  form().LoadSpriteFile(QFile::encodeName(path).toStdString());
  EXPECT_EQ(Drawn(), Trace{});
}

struct DrawCase {
  const char* name;
  std::function<void(TForm1&)> act;
  Trace drawn;
};

class DrawsOnce : public DocumentView, public ::testing::WithParamInterface<DrawCase> {};

// The controls the window sets to show a change run no handler of their own, so a change is
// never drawn twice nor applied twice.
TEST_P(DrawsOnce, EachChangeIsDrawnOnceWhereItShows) {
  GetParam().act(form());
  EXPECT_EQ(Drawn(), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawsOnce,
    ::testing::Values(
        DrawCase{"scroll_bar_to_the_upper_half",
                 [](TForm1& form) {
                   form.UpperSet->setChecked(true);
                   form.ScrollBar1->setValue(100);
                 },
                 {"sheet", "editor", "editor"}},  // sprite 128, then 228 (off the sheet's window)
        DrawCase{"animator_frame",
                 [](TForm1& form) {
                   form.SetCurrentSprite(200);
                   form.RefreshEditor();
                 },
                 {"sheet", "editor"}},
        DrawCase{"painted_cell",
                 [](TForm1& form) {
                   QTest::mouseClick(form.Image1, Qt::LeftButton, {}, {20, 20});
                 },
                 {"sheet", "editor"}},
        DrawCase{"mode_toggle", [](TForm1& form) { form.MCToggle->click(); }, {"sheet", "editor"}},
        DrawCase{"copy_shows_nowhere", [](TForm1& form) { form.Copy1->trigger(); }, {}},
        DrawCase{"undo_with_nothing_to_undo", [](TForm1& form) { form.Undo1->trigger(); }, {}},
        DrawCase{"grid", [](TForm1& form) { form.GridToggle->click(); }, {"editor"}},
        DrawCase{"sheet_scroll", [](TForm1& form) { form.ScrollBar3->setValue(2); }, {"sheet"}},
        DrawCase{"sprite_off_the_sheet",
                 [](TForm1& form) {
                   form.ScrollBar2->setValue(11);
                   const SpriteRecord record = PatternSprite(1, kHiresGreen);
                   form.Document().PutSprites(3, std::span(&record, 1));
                 },
                 {"sheet"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentView, TheWindowFollowsChangesMadeToTheDocumentDirectly) {
  Put(0, PatternSprite(5, kHiresGreen));
  EXPECT_FALSE(form().MCToggle->isChecked());
  EXPECT_EQ(EditorMismatches(form()), "");
  EXPECT_EQ(ThumbnailMismatches(form(), 0), "");

  document().SelectSprite(130);
  EXPECT_TRUE(form().UpperSet->isChecked());
  EXPECT_EQ(form().ScrollBar1->value(), 2);
  EXPECT_EQ(form().Label1->text(), QStringLiteral("130 "));

  document().SelectPen(kMultiColour2Pen);
  EXPECT_TRUE(form().RadioButton4->isChecked());
  document().CopySprite();
  EXPECT_TRUE(form().Paste1->isEnabled());
  document().TakeRange(5, 4, false);
  EXPECT_TRUE(form().PasteRange1->isEnabled());
}

}  // namespace
}  // namespace kelvane::test
