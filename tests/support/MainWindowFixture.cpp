#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

// QTest's mouse move carries no buttons; a drag needs the held button in the event.
void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons buttons) {
  const QPointF local(at);
  QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, buttons,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

}  // namespace

void MainWindowFixture::Open(const QStringList& arguments) {
  form_ = std::make_unique<TForm1>(arguments);
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
}

void MainWindowFixture::Open(const std::vector<std::string>& arguments) {
  form_ = std::make_unique<TForm1>(arguments);
  form_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
}

void MainWindowFixture::TearDown() {
  // Close without the question: tests of quitting drive it themselves.
  form_.reset();
}

void MainWindowFixture::Put(int first, const SpriteRecord& record) {
  document().PutSprites(first, std::span(&record, 1));
  document().MarkSaved();  // arranged, as if opened: nothing unsaved to ask about
}

void MainWindowFixture::PutBank(const SpriteBank& bank) {
  std::vector<SpriteRecord> records;
  for (int n = 0; n < kSpriteCount; ++n) records.push_back(bank.Record(n));
  document().PutSprites(0, records);
  document().MarkSaved();
}

void MainWindowFixture::Rewrite(int n, const std::function<void(SpriteRecord&)>& edit) {
  SpriteRecord record = document().Bank().Record(n);
  edit(record);
  Put(n, record);
}

QString MainWindowFixture::status() const {
  return form_->statusBar()->currentMessage();
}

void MainWindowFixture::Press(QWidget* widget, QPoint at, Qt::MouseButton button) {
  QTest::mousePress(widget, button, Qt::NoModifier, at);
}

void MainWindowFixture::Release(QWidget* widget, QPoint at, Qt::MouseButton button) {
  QTest::mouseRelease(widget, button, Qt::NoModifier, at);
}

void MainWindowFixture::Hover(QWidget* widget, QPoint at) {
  SendMove(widget, at, Qt::NoButton);
}

void MainWindowFixture::Move(QWidget* widget, QPoint at, Qt::MouseButtons buttons) {
  SendMove(widget, at, buttons);
}

void MainWindowFixture::Click(QWidget* widget, QPoint at, Qt::MouseButton button) {
  if (at.isNull()) at = widget->rect().center();
  QTest::mouseClick(widget, button, Qt::NoModifier, at);
}

void MainWindowFixture::DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void MainWindowFixture::Drag(std::initializer_list<QPoint> points, Qt::MouseButton button) {
  QWidget* image = form_->Image1;
  auto it = points.begin();
  Press(image, *it, button);
  for (++it; it != points.end(); ++it) SendMove(image, *it, button);
  Release(image, *(points.end() - 1), button);
}

void MainWindowFixture::Key(int key, Qt::KeyboardModifiers modifiers) {
  // Shortcuts only fire in the active window. A desktop hands activation back to the main
  // window when a dialog closes; the offscreen platform does not, and may even activate a
  // dialog after it has closed, so the user's click on the window is done here.
  if (QApplication::activeWindow() != form_.get()) {
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == form_.get(); }));
  }
  QTest::keyClick(form_.get(), static_cast<Qt::Key>(key), modifiers);
}

void MainWindowFixture::Glyph(QWidget* button) {
  Click(button);
}

}  // namespace kelvane::test
