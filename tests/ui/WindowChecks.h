// What the main window should show and hold, worked out from the bank bytes alone, for tests
// that drive a command and then check the screen and the state it left behind.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/SpriteDocument.h"
#include "render/C64Palette.h"
#include "render/EditorGeometry.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

// Failure messages show the text rather than its UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace kelvane::test {

inline constexpr std::uint8_t kHiresGreen = 0x05;
// The current sprite's thumbnail carries its number, with a blank ground, over its top rows.
inline constexpr int kFirstRowBelowNumber = 15;

// Varied pixel bytes that no transform maps onto themselves; seed picks a different run.
inline SpriteRecord PatternSprite(int seed, std::uint8_t attribute) {
  SpriteRecord record{};
  for (int i = 0; i < kPixelBytes; ++i) {
    record[i] = static_cast<std::uint8_t>((i * 37 + seed * 101 + 11) ^ (i >> 2));
  }
  record[kAttributeOffset] = attribute;
  return record;
}

// Every byte of the bank different from its neighbours, attribute bytes included.
inline void FillBankWithPattern(SpriteDocument& document, int seed) {
  std::vector<SpriteRecord> records;
  for (int n = 0; n < kSpriteCount; ++n) {
    records.push_back(PatternSprite(seed + n, static_cast<std::uint8_t>(n ^ seed)));
  }
  document.PutSprites(0, records);
  document.MarkSaved();  // a bank to start from, as if opened: nothing unsaved to ask about
}

inline std::vector<std::uint8_t> BankBytes(const SpriteDocument& document, int count = kBankBytes) {
  const auto bytes = document.Bank().Bytes();
  return {bytes.begin(), bytes.begin() + count};
}

// The pen of hi-res column x, row y of sprite n.
inline int PenOf(const SpriteDocument& document, int n, int x, int y) {
  const auto sprite = document.Bank().Sprite(n);
  const std::uint8_t byte = sprite[kRowBytes * y + x / kBitsPerByte];
  const int bit = x % kBitsPerByte;
  if (IsMultiColour(sprite[kAttributeOffset])) return (byte >> (6 - (bit & ~1))) & 3;
  return ((byte >> (7 - bit)) & 1) ? kSpriteColourPen : kTransparentPen;
}

// The palette colour of hi-res column x, row y of sprite n, as a user sees it: where n has the
// overlay bit, its partner's pixel where that one is set.
inline QRgb ExpectedPixel(const SpriteDocument& document, int n, int x, int y) {
  if (const auto upper = document.OverlayOf(n); upper && PenOf(document, *upper, x, y) != 0) {
    n = *upper;
  }
  const auto sprite = document.Bank().Sprite(n);
  const std::uint8_t attribute = sprite[kAttributeOffset];
  const int pen = PenOf(document, n, x, y);
  const int index = pen == kSpriteColourPen ? SpriteColour(attribute) : document.PenColours()[pen];
  return PaletteRgb(index);
}

// The cells of the editor grid whose colour differs from the current sprite's bytes.
inline std::string EditorMismatches(TForm1& form) {
  std::string wrong;
  const SpriteDocument& document = form.Document();
  const QImage editor = form.Image1->Picture();  // drawn whole for each call: once
  // An expanded sprite's cells are wider or taller, as the machine shows it.
  const Zoom cell = form.EditorView().CellZoom();
  for (int y = 0; y < kSpriteRows; ++y) {
    for (int x = 0; x < kHiresColumns; ++x) {
      const QRgb shown = editor.pixel(x * cell.x + (cell.x - 1) / 2, y * cell.y + (cell.y - 1) / 2);
      if (shown != ExpectedPixel(document, document.CurrentSprite(), x, y)) {
        wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
  }
  return wrong;
}

// The same for the thumbnail of sprite n on the browser sheet, which must be in its window.
// Only the rows below the number that the current sprite's thumbnail carries are compared.
inline std::string ThumbnailMismatches(TForm1& form, int n) {
  const int column = n % kSheetColumns - form.ScrollBar3->value();
  const int row = n / kSheetColumns - form.ScrollBar2->value();
  if (column < 0 || column >= kWindowCells || row < 0 || row >= kWindowCells) {
    return "sprite not on the sheet";
  }
  std::string wrong;
  const SpriteView thumbnail = CentredIn(kSheetGeometry.Thumbnail({column, row}).Origin(),
                                         MachineZoom(form.Document().Bank().Attribute(n)));
  for (int y = kFirstRowBelowNumber; y < kSpriteRows; ++y) {
    for (int x = 0; x < kHiresColumns; ++x) {
      const ViewPixel at = thumbnail.CellOrigin({x, y});
      const QRgb shown = form.Image2->Picture().pixel(at.x, at.y);
      if (shown != ExpectedPixel(form.Document(), n, x, y)) {
        wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
  }
  return wrong;
}

// Everything a command that does nothing must leave as it was.
struct WindowState {
  std::vector<std::uint8_t> bank;
  int currentSprite = 0;
  bool upperHalf = false;
  int pen = 0;
  std::array<std::uint8_t, kPenCount> penColours{};
  std::array<QRgb, kPenCount> swatches{};
  std::array<bool, kPenCount> radios{};
  bool multiColour = false, grid = false, upperSet = false;
  int scroll = 0;
  int undoCount = 0;
  bool undoButton = false, paste = false, pasteRange = false;
  QString title;
  QWidget* page = nullptr;

  static WindowState Of(TForm1& form) {
    const SpriteDocument& d = form.Document();
    return {BankBytes(d),
            d.CurrentSprite(),
            d.UpperHalf(),
            d.CurrentPen(),
            d.PenColours(),
            {form.Panel1->Colour(), form.Panel2->Colour(), form.Panel3->Colour(),
             form.Panel4->Colour()},
            {form.RadioButton1->isChecked(), form.RadioButton2->isChecked(),
             form.RadioButton3->isChecked(), form.RadioButton4->isChecked()},
            form.MCToggle->isChecked(),
            form.GridToggle->isChecked(),
            form.UpperSet->isChecked(),
            form.ScrollBar1->value(),
            d.UndoCount(),
            form.Btn_Undo->isEnabled(),
            form.Paste1->isEnabled(),
            form.PasteRange1->isEnabled(),
            form.windowTitle(),
            form.PageControl1->currentWidget()};
  }
  bool operator==(const WindowState&) const = default;
};

inline void PrintTo(const WindowState& s, std::ostream* os) {
  *os << "sprite " << s.currentSprite << " pen " << s.pen << " undo " << s.undoCount << " title "
      << s.title.toStdString();
}

}  // namespace kelvane::test
