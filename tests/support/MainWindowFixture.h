// A real main window, shown on the offscreen platform, for tests that drive it as a user would.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/TForm1.h"

namespace kelvane::test {

// A menu caption as it reads, without the mark of its underlined letter.
inline QString PlainCaption(QString caption) {
  return caption.remove(QLatin1Char('&'));
}

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override { Open(QStringList()); }
  void TearDown() override;
  // Replaces the window with a fresh one started with these arguments.
  void Open(const QStringList& arguments);
  // The same with arguments as the system's bytes, as the program passes them.
  void Open(const std::vector<std::string>& arguments);

  TForm1& form() { return *form_; }
  // The window's document: tests read its state here, and arrange sprites through it.
  SpriteDocument& document() { return form_->Document(); }
  QString status() const;

  // Puts records into the bank from sprite first on, as a pasted range would.
  void Put(int first, const SpriteRecord& record);
  void PutBank(const SpriteBank& bank);
  // Rewrites sprite n by edit.
  void Rewrite(int n, const std::function<void(SpriteRecord&)>& edit);

  // A drag with the left (or right) button through the given positions of Image1.
  void Drag(std::initializer_list<QPoint> points, Qt::MouseButton button = Qt::LeftButton);
  void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Hover(QWidget* widget, QPoint at);
  // A move with buttons held, as in a drag.
  void Move(QWidget* widget, QPoint at, Qt::MouseButtons buttons);
  void Click(QWidget* widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton);
  void DoubleClick(QWidget* widget, QPoint at);
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier);
  // Clicks a glyph button: press then release.
  void Glyph(QWidget* button);

 private:
  std::unique_ptr<TForm1> form_;
};

}  // namespace kelvane::test
