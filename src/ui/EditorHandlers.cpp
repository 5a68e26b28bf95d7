// The "Editor" page: painting on the grid, pens and colours, the check boxes and scroll bar.
#include <QCheckBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <cmath>

#include "render/EditorGeometry.h"
#include "ui/ImageControl.h"
#include "ui/StatusReadOut.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane {
namespace {

constexpr int kStripCell = 8;
constexpr int kReadOutKeyBits = 16;  // a pixel's column above its row
constexpr int kStripRows = 8;

// Mouse positions in the control's own pixels; a fractional position on a scaled screen belongs
// to the pixel it lies in, so it is rounded down, never to the nearest pixel.
ViewPixel ViewPixelOf(const QMouseEvent* event) {
  return {static_cast<int>(std::floor(event->position().x())),
          static_cast<int>(std::floor(event->position().y()))};
}

unsigned ToolButtonsOf(Qt::MouseButtons buttons) {
  unsigned held = kNoButton;
  if (buttons & Qt::LeftButton) held |= kLeftButton;
  if (buttons & Qt::RightButton) held |= kRightButton;
  if (buttons & Qt::MiddleButton) held |= kMiddleButton;
  return held;
}

// What a tool is told of a mouse event over the grid; no event is the release of every button.
ToolEvent ToolEventOf(const QMouseEvent* event, const CanvasView& view) {
  if (!event) return {};
  const Qt::KeyboardModifiers keys = event->modifiers();
  return {view.PointAt(ViewPixelOf(event)),
          ToolButtonsOf(event->button()),
          ToolButtonsOf(event->buttons()),
          {keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier),
           keys.testFlag(Qt::AltModifier)}};
}

}  // namespace

void TForm1::Image1MouseDown(QMouseEvent* event) {
  tools_->Press(ToolEventOf(event, editorView_));
  ShowToolPreview();
}

void TForm1::Image1MouseMove(QMouseEvent* event) {
  const ToolEvent move = ToolEventOf(event, editorView_);
  tools_->Move(move);
  ShowToolPreview();
  if (!move.point) return;
  const auto place = document_.Canvas().Locate(*move.point);
  const SpriteCell pixel =
      SpritePixelOf(place->cell, IsMultiColour(document_.Bank().Attribute(place->sprite)));
  const auto key = static_cast<std::uint64_t>(pixel.column) << kReadOutKeyBits | pixel.row;
  readOut_->Show(key, [&] { return QString::asprintf("%d,%d", pixel.column, pixel.row); });
}

void TForm1::Image1MouseUp(QMouseEvent* event) {
  tools_->Release(ToolEventOf(event, editorView_));
  ShowToolPreview();
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
  // A selection is made of the sprite's own pixels, which change width: it is put down first.
  tools_->Current().Leave();
  ShowToolPreview();
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
