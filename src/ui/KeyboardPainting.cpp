// Painting with the keyboard alone: the grid, once Tab has reached it, shows a pixel cursor that
// the arrows move a sprite pixel at a time; Space presses the current tool there and releases
// it, and arrows with Space held draw a stroke; 1-4 choose the pens. Ctrl+E goes to a sprite.
#include <QInputDialog>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "ui/ImageControl.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane {
namespace {

constexpr int kCursorThickness = 2;

}  // namespace

bool TForm1::GridKey(QKeyEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  const Qt::KeyboardModifiers keys = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Space && (keys & ~Qt::ShiftModifier) == Qt::NoModifier) {
    if (event->isAutoRepeat() || press == gridSpaceHeld_) return true;
    gridSpaceHeld_ = press;
    const ToolEvent tool{gridCursor_, kLeftButton, press ? kLeftButton : kNoButton, {}};
    if (press) {
      tools_->Current().Press(tool);
    } else {
      tools_->Current().Release(tool);
    }
    ShowToolPreview();
    return true;
  }
  if (!press || (keys & ~Qt::ShiftModifier) != Qt::NoModifier) return false;
  const struct {
    int key;
    int columns;
    int rows;
  } arrows[] = {
      {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
  for (const auto& arrow : arrows) {
    if (event->key() != arrow.key) continue;
    MoveGridCursor(arrow.columns, arrow.rows);
    return true;
  }
  // 1-4: the pens in the order the page lists them; the multi-colour ones only where they show.
  const std::uint8_t pens[] = {kTransparentPen, kSpriteColourPen, kMultiColour1Pen,
                               kMultiColour2Pen};
  const int digit = event->key() - Qt::Key_1;
  if (keys == Qt::NoModifier && digit >= 0 && digit < kPenCount) {
    if (digit < 2 || document_.CurrentIsMultiColour()) document_.SelectPen(pens[digit]);
    return true;
  }
  return false;
}

void TForm1::MoveGridCursor(int columns, int rows) {
  const SpriteCanvas& canvas = document_.Canvas();
  const CanvasPixels pixels = document_.Pixels();
  ShowGridCursor();  // where it was
  CanvasPoint next = gridCursor_;
  // A step across is a sprite pixel of the sprite the cursor is on: two cells in multi-colour.
  next.x += columns * pixels.PixelWidthAt(gridCursor_);
  next.y += rows;
  next.x = std::clamp(next.x, 0, canvas.Width() - 1);
  next.y = std::clamp(next.y, 0, canvas.Height() - 1);
  next.x -= next.x % pixels.PixelWidthAt(next);
  gridCursor_ = next;
  // The cursor stays in view on a scrolled grid.
  const int width = pixels.PixelWidthAt(next);
  if (next.x < EditorScrollX->value()) EditorScrollX->setValue(next.x);
  if (next.x + width > EditorScrollX->value() + EditorScrollX->pageStep()) {
    EditorScrollX->setValue(next.x + width - EditorScrollX->pageStep());
  }
  if (next.y < EditorScrollY->value()) EditorScrollY->setValue(next.y);
  if (next.y >= EditorScrollY->value() + EditorScrollY->pageStep()) {
    EditorScrollY->setValue(next.y + 1 - EditorScrollY->pageStep());
  }
  if (gridSpaceHeld_) {
    tools_->Current().Move({gridCursor_, kNoButton, kLeftButton, {}});
    ShowToolPreview();
  }
  ShowGridCursor();
}

void TForm1::ShowGridCursor() {
  const Zoom zoom = editorView_.CellZoom();
  const ViewPixel origin = editorView_.Origin();
  const int width = document_.Pixels().PixelWidthAt(gridCursor_);
  Image1->update(origin.x + gridCursor_.x * zoom.x, origin.y + gridCursor_.y * zoom.y,
                 width * zoom.x, zoom.y);
}

void TForm1::DrawGridCursor(QImage& band, int row, Zoom zoom, int firstLine, int shift,
                            BandColumns columns) const {
  if (row != gridCursor_.y || !Image1->hasFocus()) return;
  const int width = document_.Pixels().PixelWidthAt(gridCursor_) * zoom.x;
  const int left = gridCursor_.x * zoom.x - shift;
  const QRgb colour = palette().color(QPalette::Highlight).rgb();
  // The outline's columns from a to b - 1, as far as they are among the columns drawn.
  const auto outline = [&](QRgb* line, int a, int b) {
    std::fill(line + std::clamp(a, columns.left, columns.right),
              line + std::clamp(b, columns.left, columns.right), colour);
  };
  for (int y = 0; y < zoom.y; ++y) {
    auto* line = reinterpret_cast<QRgb*>(band.scanLine(firstLine + y));
    const bool edge = y < kCursorThickness || y >= zoom.y - kCursorThickness;
    if (edge) {
      outline(line, left, left + width);
      continue;
    }
    outline(line, left, left + kCursorThickness);
    outline(line, left + width - kCursorThickness, left + width);
  }
}

void TForm1::GoToSprite1Click() {
  bool ok = false;
  const int sprite = QInputDialog::getInt(this, tr("Go to Sprite"), tr("Sprite number (0-255):"),
                                          document_.CurrentSprite(), 0, kLastSprite, 1, &ok);
  if (ok) document_.SelectSprite(sprite);
}

}  // namespace kelvane
