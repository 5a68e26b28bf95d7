// How the main window shows the document: the controls put in line with it without echoing
// back, and the pictures redrawn once for each change that shows in them.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>

#include "files/ColourNames.h"
#include "render/BrowserSheet.h"
#include "render/C64Palette.h"
#include "render/SpriteRendering.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {

void TForm1::DocumentChanged(const DocumentChange& change) {
  ShowDocumentState();
  const int current = document_.CurrentSprite();
  // The shared colours show in every sprite.
  const bool colours = change.Has(Changed::SharedColours);
  if (colours || change.Has(Changed::Selection) || change.TouchesSprite(current)) {
    editorStale_ = true;
  }
  // The sheet's number label moves when the selection does, if it was or comes into view.
  const auto onTheSheet = [this](int sprite) {
    return BrowserCellOf(sheetTopRow_, sheetLeftColumn_, sprite).has_value();
  };
  sheetStale_ =
      sheetStale_ || colours ||
      (change.Has(Changed::Selection) && (onTheSheet(sheetNumbered_) || onTheSheet(current)));
  for (int row = 0; row < kWindowCells && !sheetStale_; ++row) {
    const int first = BrowserSpriteAt(sheetTopRow_, sheetLeftColumn_, {0, row});
    sheetStale_ = change.TouchesAnyOf(first, first + kWindowCells - 1);
  }
  DrawStale();
}

void TForm1::ShowDocumentState() {
  const bool multiColour = document_.CurrentIsMultiColour();
  {
    const QSignalBlocker mode(MCToggle), half(UpperSet), position(ScrollBar1);
    MCToggle->setChecked(multiColour);
    UpperSet->setChecked(document_.UpperHalf());
    ScrollBar1->setValue(document_.CurrentSprite() % kHalfBankSprites);
  }
  // The multi-colour pens exist only for a multi-colour sprite; Qt repaints what they uncover.
  for (QWidget* pen : std::initializer_list<QWidget*>{RadioButton3, RadioButton4, Panel3, Panel4}) {
    pen->setVisible(multiColour);
  }
  penButtons_[document_.CurrentPen()]->setChecked(true);
  for (int pen = 0; pen < kPenCount; ++pen) {
    const std::uint8_t colour = document_.PenColours()[pen];
    swatches_[pen]->SetColour(PaletteRgb(colour));
    swatches_[pen]->setAccessibleDescription(
        QString::fromLatin1(ColourName(colour)) +
        QStringLiteral("; click to select the pen, then a colour in the strip to change it"));
  }
  Btn_Undo->setEnabled(document_.UndoButtonEnabled());
  Redo1->setEnabled(document_.RedoCount() > 0);
  Paste1->setEnabled(document_.ClipboardFull());
  PasteRange1->setEnabled(document_.RangeTaken());
}

void TForm1::RefreshEditor() {
  ShowDocumentState();
  if (editorStale_) RedrawEditor();
}

void TForm1::DrawStale() {
  if (sheetStale_) DrawBrowserSheet();
  if (editorStale_) RedrawEditor();
}

void TForm1::RedrawEditor() {
  editorStale_ = false;
  if (drawTrace_) drawTrace_("editor");
  const EditorState& state = document_.State();
  RenderSprite(images_.SpriteImage, document_.Bank(), state, state.CurrentSprite, false);
  DrawPreview(Image3->Picture(), images_.SpriteImage, state);
  Image3->RepaintNow();
  Label1->setText(PreviewLabel(state.CurrentSprite));
  Label1->repaint();
  DrawEditorGrid(images_.EditorImage, images_.SpriteImage, document_.CurrentIsMultiColour(),
                 showGrid_);
  // The grid is drawn over every pixel, so the two buffers can trade places instead of copying:
  // Image1 shows the new picture and the old one becomes the next drawing's canvas.
  std::swap(Image1->Picture(), images_.EditorImage);
  Image1->RepaintNow();
}

void TForm1::DrawBrowserSheet() {
  sheetStale_ = false;
  sheetNumbered_ = document_.CurrentSprite();
  if (drawTrace_) drawTrace_("sheet");
  kelvane::DrawBrowserSheet(Image2->Picture(), images_.SpriteImage, document_.Bank(),
                            document_.State(), sheetTopRow_, sheetLeftColumn_);
  Image2->RepaintNow();
}

void TForm1::ShowSheetFromTheTop() {
  const QSignalBlocker vertical(ScrollBar2), horizontal(ScrollBar3);
  ScrollBar2->setValue(0);
  ScrollBar3->setValue(0);
  sheetTopRow_ = sheetLeftColumn_ = 0;
  sheetStale_ = true;
}

void TForm1::ShowGrid(bool on) {
  const QSignalBlocker quiet(GridToggle);
  GridToggle->setChecked(on);
  editorStale_ = editorStale_ || showGrid_ != on;
  showGrid_ = on;
}

}  // namespace kelvane
