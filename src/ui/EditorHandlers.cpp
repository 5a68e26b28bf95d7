// The "Editor" page: painting on the grid, pens and colours, the check boxes and scroll bar.
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <cmath>

#include "model/PlotPixel.h"
#include "render/C64Palette.h"
#include "render/SpriteRendering.h"
#include "ui/ColourSwatch.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kStripCell = 8;
constexpr int kStripRows = 8;

// Mouse positions in the control's own pixels; a fractional position on a scaled screen belongs
// to the cell it lies in, so it is rounded down, never to the nearest pixel.
QPoint ControlPixel(const QMouseEvent* event) {
  return {static_cast<int>(std::floor(event->position().x())),
          static_cast<int>(std::floor(event->position().y()))};
}

bool InsideEditor(QPoint p) {
  return p.x() >= 0 && p.x() < kEditorWidth && p.y() >= 0 && p.y() < kEditorHeight;
}

}  // namespace

void TForm1::RedrawEditor() {
  RenderSprite(images_.SpriteImage, model_.bank, model_.state, model_.state.CurrentSprite, false);
  DrawPreview(Image3->Picture(), images_.SpriteImage, model_.state);
  Image3->RepaintNow();
  Label1->setText(PreviewLabel(model_.state.CurrentSprite));
  Label1->repaint();
  DrawEditorGrid(images_.EditorImage, images_.SpriteImage, MCToggle->isChecked(),
                 GridToggle->isChecked());
  // The grid is drawn over every pixel, so the two buffers can trade places instead of copying:
  // Image1 shows the new picture and the old one becomes the next drawing's canvas.
  std::swap(Image1->Picture(), images_.EditorImage);
  Image1->RepaintNow();
}

void TForm1::RefreshEditor() {
  EditorState& state = model_.state;
  const std::uint8_t attribute = model_.CurrentAttribute();
  state.PenColours[kSpriteColourPen] = SpriteColour(attribute);
  Panel2->SetColour(PaletteRgb(state.PenColours[kSpriteColourPen]));
  // Each of these runs its change handler when the value really changes; the handlers come
  // back here and find the controls in step. Only the outermost pass draws: the inner ones
  // would draw the same sprite again.
  ++refreshDepth_;
  MCToggle->setChecked(IsMultiColour(attribute));
  state.UpperHalf = state.CurrentSprite >= kHalfBankSprites;
  UpperSet->setChecked(state.UpperHalf);
  ScrollBar1->setValue(state.CurrentSprite % kHalfBankSprites);
  --refreshDepth_;
  UpdateUndoButton();
  if (refreshDepth_ == 0) RedrawEditor();
}

void TForm1::PaintAt(int x, int y, Qt::MouseButtons buttons) {
  const bool multiColour = MCToggle->isChecked();
  if (buttons & Qt::LeftButton) {
    PlotPixel(model_.bank, model_.state, multiColour, x, y, false);
    RedrawEditor();
  }
  if (buttons & Qt::RightButton) {
    PlotPixel(model_.bank, model_.state, multiColour, x, y, true);
    RedrawEditor();
  }
}

void TForm1::Image1MouseDown(QMouseEvent* event) {
  if (snapshotArmed_) {
    TakeUndoSnapshot();
    snapshotArmed_ = false;
  }
  const QPoint p = ControlPixel(event);
  if (InsideEditor(p)) PaintAt(p.x(), p.y(), event->buttons());
}

void TForm1::Image1MouseMove(QMouseEvent* event) {
  const QPoint p = ControlPixel(event);
  if (!InsideEditor(p)) return;  // arrives while a held button keeps the mouse captured
  int column = p.x() / kEditorZoom;
  const int row = p.y() / kEditorZoom;
  if (MCToggle->isChecked()) column /= 2;
  statusBar()->showMessage(QString::asprintf("%d,%d", column, row));
  PaintAt(p.x(), p.y(), event->buttons());
}

void TForm1::Image1MouseUp(QMouseEvent*) {
  snapshotArmed_ = true;
}

void TForm1::GridToggleClick() {
  RefreshEditor();
}

void TForm1::UpperSetClick() {
  EditorState& state = model_.state;
  if (UpperSet->isChecked()) {
    state.UpperHalf = true;
    state.CurrentSprite |= kHalfBankSprites;
  } else {
    state.UpperHalf = false;
    state.CurrentSprite &= kHalfBankSprites - 1;
  }
  EmptyUndoStack();
  RefreshEditor();
}

void TForm1::ScrollBar1Change() {
  model_.state.CurrentSprite =
      (model_.state.UpperHalf ? kHalfBankSprites : 0) + ScrollBar1->value();
  EmptyUndoStack();
  RefreshEditor();
}

void TForm1::MCToggleClick() {
  std::uint8_t& attribute = model_.CurrentAttribute();
  model_.state.PenColours[kSpriteColourPen] = SpriteColour(attribute);
  const bool multiColour = MCToggle->isChecked();
  if (multiColour) {
    attribute |= kMultiColourFlag;
  } else {
    if (RadioButton3->isChecked() || RadioButton4->isChecked()) {
      RadioButton2->setChecked(true);
      model_.state.CurrentPen = kSpriteColourPen;
    }
    attribute &= static_cast<std::uint8_t>(~kMultiColourFlag);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{RadioButton3, RadioButton4, Panel3, Panel4}) {
    w->setVisible(multiColour);
  }
  update();
  RefreshEditor();
}

void TForm1::SelectPen(std::uint8_t pen, QRadioButton* button) {
  model_.state.CurrentPen = pen;
  button->setChecked(true);
}

void TForm1::RadioButton1Click() {
  SelectPen(kTransparentPen, RadioButton1);
}
void TForm1::RadioButton2Click() {
  SelectPen(kSpriteColourPen, RadioButton2);
}
void TForm1::RadioButton3Click() {
  SelectPen(kMultiColour1Pen, RadioButton3);
}
void TForm1::RadioButton4Click() {
  SelectPen(kMultiColour2Pen, RadioButton4);
}

void TForm1::ColourSwatches() {
  const auto& colours = model_.state.PenColours;
  Panel1->SetColour(PaletteRgb(colours[kTransparentPen]));
  Panel2->SetColour(PaletteRgb(colours[kSpriteColourPen]));
  Panel3->SetColour(PaletteRgb(colours[kMultiColour1Pen]));
  Panel4->SetColour(PaletteRgb(colours[kMultiColour2Pen]));
}

void TForm1::Image4MouseDown(QMouseEvent* event) {
  const QPoint p = ControlPixel(event);
  if (!Image4->rect().contains(p)) return;
  const auto index =
      static_cast<std::uint8_t>(p.y() / kStripCell + kStripRows * (p.x() / kStripCell));
  EditorState& state = model_.state;
  if (state.CurrentPen == kSpriteColourPen) {
    TakeUndoSnapshot();
    std::uint8_t& attribute = model_.CurrentAttribute();
    attribute = static_cast<std::uint8_t>((attribute & kMultiColourFlag) + index);
  }
  state.PenColours[state.CurrentPen] = index;
  ColourSwatches();
  RefreshEditor();
}

void TForm1::TakeUndoSnapshot() {
  model_.TakeUndoSnapshot();
  UpdateUndoButton();
}

bool TForm1::RestoreUndoSnapshot() {
  if (!model_.RestoreUndoSnapshot()) return false;
  UpdateUndoButton();
  RefreshEditor();
  DrawBrowserSheet();
  return true;
}

void TForm1::EmptyUndoStack() {
  model_.undo.EmptyUndoStack();
  UpdateUndoButton();
}

void TForm1::UpdateUndoButton() {
  Btn_Undo->setEnabled(model_.undo.UndoButtonEnabled());
}

}  // namespace kelvane
