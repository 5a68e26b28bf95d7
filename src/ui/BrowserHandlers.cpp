// The "Browser" page: scrolling the sheet, the hover read-out, click and double-click.
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>

#include "render/EditorGeometry.h"
#include "ui/StatusReadOut.h"
#include "ui/TForm1.h"

namespace kelvane {

void TForm1::ScrollBar2Change() {
  sheetTopRow_ = ScrollBar2->value();
  sheetLeftColumn_ = ScrollBar3->value();
  DrawBrowserSheet();
}

void TForm1::PageControl1Change() {
  if (PageControl1->currentWidget() == TabSheet2) DrawBrowserSheet();
}

void TForm1::Image2MouseMove(QMouseEvent* event) {
  const auto cell = kSheetGeometry.ThumbnailAt(
      {static_cast<int>(event->position().x()), static_cast<int>(event->position().y())},
      sheetWindow_);
  if (!cell) return;
  browserHotSprite_ = BrowserSpriteAt(sheetTopRow_, sheetLeftColumn_, *cell);
  // Named apart from every cell of the grid, whose keys have a column above the row.
  const auto key = ~std::uint64_t{0} - static_cast<std::uint64_t>(browserHotSprite_);
  readOut_->Show(key, [&] { return QString::asprintf("sprite number :%03d", browserHotSprite_); });
}

void TForm1::Image2Click() {
  document_.SelectSprite(browserHotSprite_);
}

void TForm1::Image2DblClick() {
  document_.SelectSprite(browserHotSprite_);
  PageControl1->setCurrentWidget(TabSheet1);
}

}  // namespace kelvane
