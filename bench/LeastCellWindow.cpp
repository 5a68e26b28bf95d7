#include "LeastCellWindow.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "render/EditorGeometry.h"

namespace kelvane::bench {
namespace {

// The preview sits right of the grid, as far from it as Kelvane's is.
constexpr int kPreviewLeft = kEditorWidth + kPreviewBorder;

QRect ToRect(ViewRect rect, int left) {
  return {rect.x + left, rect.y, rect.width, rect.height};
}

}  // namespace

LeastCellWindow::LeastCellWindow()
    : picture_(kPreviewLeft + kPreviewWidth, kEditorHeight, QImage::Format_RGB32) {
  picture_.fill(Qt::black);
  setFixedSize(picture_.size());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LeastCellWindow::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) return;
  const QPoint at = event->position().toPoint();
  const std::optional<SpriteCell> cell = kEditorView.SpriteAt({0, 0}).CellAt({at.x(), at.y()});
  if (!cell) return;
  const int column = cell->column / CellsPerPixel(true) * CellsPerPixel(true);
  const CellArea pixel{{column, cell->row}, {column + 1, cell->row}};
  const QRect onGrid = ToRect(kEditorView.SpriteAt({0, 0}).CellsRect(pixel), 0);
  const QRect inPreview = ToRect(kPreviewView.CellsRect(pixel), kPreviewLeft);
  const QColor pen = event->buttons() & Qt::LeftButton ? Qt::white : Qt::black;
  QPainter painter(&picture_);
  painter.fillRect(onGrid, pen);
  painter.fillRect(inPreview, pen);
  update(onGrid);
  update(inPreview);
}

void LeastCellWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  for (const QRect& rect : event->region()) painter.drawImage(rect, picture_, rect);
}

}  // namespace kelvane::bench
