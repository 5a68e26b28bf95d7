// The "Editor" page: painting on the grid, pens and colours, the check boxes and scroll bar.
#include <QCheckBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <cmath>
#include <optional>
#include <utility>

#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/StatusReadOut.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kStripCell = 8;
constexpr int kStripRows = 8;
// The buttons a stroke is made with; the others (middle, back, forward) play no part in it.
constexpr Qt::MouseButtons kPaintButtons = Qt::LeftButton | Qt::RightButton;

// Mouse positions in the control's own pixels; a fractional position on a scaled screen belongs
// to the pixel it lies in, so it is rounded down, never to the nearest pixel.
ViewPixel ViewPixelOf(const QMouseEvent* event) {
  return {static_cast<int>(std::floor(event->position().x())),
          static_cast<int>(std::floor(event->position().y()))};
}

// The left button paints and then the right one erases, so both together leave the cell clear.
std::optional<Brush> BrushOf(Qt::MouseButtons buttons) {
  const bool paint = buttons & Qt::LeftButton;
  const bool erase = buttons & Qt::RightButton;
  if (paint && erase) return Brush::PaintThenErase;
  if (paint) return Brush::Paint;
  if (erase) return Brush::Erase;
  return std::nullopt;
}

}  // namespace

void TForm1::Image1MouseDown(QMouseEvent* event) {
  // A press with no other button held starts a stroke, even if the last one's release never
  // came (a window opened over the drag takes it); a second button joins the stroke it holds.
  if ((event->buttons() & kPaintButtons) == event->button()) document_.EndStroke();
  document_.BeginStroke();  // for a press of any button
  strokeCell_ = kEditorView.CellAt(ViewPixelOf(event));
  const auto brush = BrushOf(event->buttons());
  if (strokeCell_ && brush) document_.PaintLine(*strokeCell_, *strokeCell_, *brush);
}

void TForm1::Image1MouseMove(QMouseEvent* event) {
  // Positions off the grid arrive while a held button keeps the mouse captured. They paint
  // nothing and end the line: the stroke goes on from where it comes back.
  const auto cell = kEditorView.CellAt(ViewPixelOf(event));
  const auto brush = BrushOf(event->buttons());
  const auto from = std::exchange(strokeCell_, brush ? cell : std::nullopt);
  if (!cell) return;
  const SpriteCell pixel = SpritePixelOf(*cell, document_.CurrentIsMultiColour());
  // A fast drag reports cells far apart: the line between them is painted too.
  if (brush) document_.PaintLine(from.value_or(*cell), *cell, *brush);
  readOut_->Show(QString::asprintf("%d,%d", pixel.column, pixel.row));
}

void TForm1::Image1MouseUp(QMouseEvent* event) {
  // Letting go of one of two buttons leaves the stroke to the other, line and step alike.
  if (event && (event->buttons() & kPaintButtons)) return;
  strokeCell_.reset();
  document_.EndStroke();
}

void TForm1::Image1MouseLeave() {
  readOut_->Clear();  // the read-out names a cell the pointer is no longer over
}

void TForm1::BuildSpriteKeys() {
  // PgUp and PgDn step through the half as the scroll bar does; with Ctrl, across the halves.
  const struct {
    QKeySequence keys;
    int step;
    bool acrossHalves;
  } keys[] = {{QKeySequence(Qt::Key_PageUp), -1, false},
              {QKeySequence(Qt::Key_PageDown), 1, false},
              {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1, true},
              {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1, true}};
  for (const auto& key : keys) {
    auto* shortcut = new QShortcut(key.keys, this);
    connect(shortcut, &QShortcut::activated, this,
            [this, key] { document_.StepSprite(key.step, key.acrossHalves); });
  }
}

void TForm1::GridToggleClick() {
  ShowGrid(GridToggle->isChecked());
  RefreshEditor();
}

void TForm1::UpperSetClick() {
  document_.SetUpperHalf(UpperSet->isChecked());
}

void TForm1::ScrollBar1Change() {
  document_.SelectInHalf(ScrollBar1->value());
}

void TForm1::MCToggleClick() {
  document_.SetMultiColour(MCToggle->isChecked());
}

void TForm1::RadioButton1Click() {
  document_.SelectPen(kTransparentPen);
}
void TForm1::RadioButton2Click() {
  document_.SelectPen(kSpriteColourPen);
}
void TForm1::RadioButton3Click() {
  document_.SelectPen(kMultiColour1Pen);
}
void TForm1::RadioButton4Click() {
  document_.SelectPen(kMultiColour2Pen);
}

void TForm1::Image4MouseDown(QMouseEvent* event) {
  const ViewPixel p = ViewPixelOf(event);
  if (!Image4->rect().contains(p.x, p.y)) return;
  // Two columns of eight colours: 0-7 down the left, 8-15 down the right.
  document_.PickColour(
      static_cast<std::uint8_t>(p.y / kStripCell + kStripRows * (p.x / kStripCell)));
}

}  // namespace kelvane
