// View > Palette: the screen's colours change, the bank's bytes do not.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "render/C64Palette.h"
#include "support/MainWindowFixture.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/WindowChecks.h"

namespace kelvane::test {
namespace {

class Palette : public MainWindowFixture {
 protected:
  void TearDown() override {
    SetActivePalette(0);  // the palette is the process's: the next test starts on the default
    MainWindowFixture::TearDown();
  }
};

TEST_F(Palette, EachChoiceRecoloursTheWindowAndLeavesTheBank) {
  FillBankWithPattern(document(), 7);
  const std::vector<std::uint8_t> bank = BankBytes(document());
  const QList<QAction*> items = form().Palette1->actions();
  ASSERT_EQ(items.size(), kPaletteCount);
  for (int k = kPaletteCount - 1; k >= 0; --k) {
    items[k]->trigger();
    EXPECT_TRUE(items[k]->isChecked());
    const QRgb background = (*kPalettes[k].rgb)[document().PenColours()[kTransparentPen]];
    EXPECT_EQ(form().Panel1->Colour(), background) << kPalettes[k].name;
    EXPECT_EQ(EditorMismatches(form()), "") << kPalettes[k].name;
    EXPECT_EQ(form().Image4->Picture().pixel(0, 0), (*kPalettes[k].rgb)[0]);
    EXPECT_EQ(form().Image4->Picture().pixel(8, 0), (*kPalettes[k].rgb)[8]);
    EXPECT_EQ(BankBytes(document()), bank);
  }
  EXPECT_EQ(form().Panel1->Colour(), kPaletteRgb[document().PenColours()[kTransparentPen]]);
}

}  // namespace
}  // namespace kelvane::test
