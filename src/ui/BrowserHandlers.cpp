// The "Browser" page: scrolling the sheet, the hover read-out, click and double-click.
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>

#include "render/BrowserSheet.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {

void TForm1::ScrollBar2Change() {
  DrawBrowserSheet();
}

void TForm1::PageControl1Change() {
  if (PageControl1->currentWidget() == TabSheet2) DrawBrowserSheet();
}

void TForm1::Image2MouseMove(QMouseEvent* event) {
  const int x = static_cast<int>(event->position().x());
  const int y = static_cast<int>(event->position().y());
  if (x <= 0 || x >= kSheetWidth || y <= 0 || y >= kSheetHeight) return;
  // The one-pixel gap right of or below a thumbnail counts as that thumbnail.
  browserHotSprite_ = BrowserSpriteAt(ScrollBar2->value(), ScrollBar3->value(), x / kThumbnailStepX,
                                      y / kThumbnailStepY);
  statusBar()->showMessage(QString::asprintf("sprite number :%03d", browserHotSprite_));
}

void TForm1::Image2Click() {
  model_.state.CurrentSprite = browserHotSprite_;
  DrawBrowserSheet();
  RefreshEditor();
}

void TForm1::Image2DblClick() {
  model_.state.CurrentSprite = browserHotSprite_;
  PageControl1->setCurrentWidget(TabSheet1);
  RefreshEditor();
}

}  // namespace kelvane
