// The Animator driven as a user would: presses on its glyph buttons, typed numbers, clicks on the
// speed buttons and Ping-Pong, with frames showing in the real main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <vector>

#include "animator/AnimatorEntry.h"
#include "animator/TForm2.h"
#include "support/MainWindowFixture.h"
#include "support/ModalAnswer.h"
#include "ui/ImageControl.h"

namespace kelvane::test {
namespace {

using Frames = std::vector<int>;

// The clickable part of a radio button or check box is its indicator and caption, not its box.
constexpr QPoint kIndicator(7, 8);

QImage Shown(QWidget* control) {
  return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class AnimatorTest : public MainWindowFixture {
 protected:
  // A non-modal Animator owned by the main window, which deletes it.
  TForm2& OpenAnimator() {
    animator_ = new TForm2(form());
    animator_->FormCreate();
    animator_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(animator_));
    return *animator_;
  }
  TForm2& anim() { return *animator_; }

  void Play() { QTest::mousePress(anim().Btn_Play, Qt::LeftButton); }
  void Stop() {
    QTest::mousePress(anim().Btn_Stop, Qt::LeftButton);
    QTest::mouseRelease(anim().Btn_Stop, Qt::LeftButton);
  }
  static void Type(QSpinBox* box, int value) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString::number(value));
  }
  void SetRun(int first, int last) {
    Type(anim().UpDown1, first);
    Type(anim().UpDown2, last);
  }
  void TogglePingPong() { QTest::mouseClick(anim().CheckBox1, Qt::LeftButton, {}, kIndicator); }
  Frames Ticks(int count) {
    Frames shown;
    for (int i = 0; i < count; ++i) {
      anim().Timer1Timer();
      shown.push_back(form().CurrentSprite());
    }
    return shown;
  }
  void ShowSprite(int sprite) {
    form().UpperSet->setChecked(sprite >= 128);
    form().ScrollBar1->setValue(sprite % 128);
  }

 private:
  TForm2* animator_ = nullptr;
};

void ExpectDesignValues(TForm2& a) {
  EXPECT_EQ(a.UpDown1->value(), 0);
  EXPECT_EQ(a.Edit1->text(), "0");
  EXPECT_EQ(a.UpDown2->value(), 10);
  EXPECT_EQ(a.Edit2->text(), "10");
  EXPECT_TRUE(a.RadioButton2->isChecked());
  EXPECT_FALSE(a.CheckBox1->isChecked());
  EXPECT_FALSE(a.Timer1->isActive());
  EXPECT_EQ(a.Timer1->interval(), 40);
  EXPECT_EQ(Shown(a.Btn_Play), a.ImageList1().Picture(kPlayAtRest));
  EXPECT_EQ(Shown(a.Btn_Stop), a.ImageList1().Picture(kStopAtRest));
}

// Runs body on the Animator once it is up as a modal window, then closes it by its close box.
void WhenAnimatorShows(std::function<void(TForm2&)> body) {
  AnswerNextModal([body](QWidget* modal) {
    if (auto* animator = qobject_cast<TForm2*>(modal)) body(*animator);
    modal->close();
  });
}

TEST_F(AnimatorTest, EveryOpeningIsAFreshModalWindowThatGivesBackTheSprite) {
  InstallAnimator(form());
  ShowSprite(42);
  bool seen = false;
  WhenAnimatorShows([&](TForm2& a) {
    seen = true;
    EXPECT_EQ(a.windowTitle(), "Animator");
    EXPECT_EQ(a.size(), QSize(129, 151));
    EXPECT_FALSE(a.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(a.parentWidget(), &form());
    ExpectDesignValues(a);
    // Change everything, then close while the real timer is playing.
    Type(a.UpDown1, 3);
    Type(a.UpDown2, 5);
    QTest::mouseClick(a.RadioButton1, Qt::LeftButton, {}, kIndicator);
    QTest::mouseClick(a.CheckBox1, Qt::LeftButton, {}, kIndicator);
    QTest::mousePress(a.Btn_Play, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().CurrentSprite() == 5; }));
  });
  Key(Qt::Key_A);
  ASSERT_TRUE(seen);
  EXPECT_EQ(form().CurrentSprite(), 42);
  EXPECT_EQ(form().ScrollBar1->value(), 42);
  EXPECT_TRUE(form().findChildren<TForm2*>().isEmpty());

  seen = false;
  WhenAnimatorShows([&](TForm2& a) {
    seen = true;
    ExpectDesignValues(a);
  });
  form().animator1Click();
  EXPECT_TRUE(seen);
}

// Beside the grid, its boxes labelled, the speed buttons below the frame's caption, and Play
// and Stop reached by Tab and pressed by Space.
TEST_F(AnimatorTest, OpensBesideTheGridLaidOutForItsFontAndKeyboard) {
  TForm2& a = OpenAnimator();
  EXPECT_FALSE(a.frameGeometry().intersects(
      QRect(form().Image1->mapToGlobal(QPoint(0, 0)), form().Image1->size())));
  EXPECT_EQ(a.findChild<QLabel*>("LabelFrom")->buddy(), a.UpDown1);
  for (QRadioButton* speed : {a.RadioButton1, a.RadioButton2, a.RadioButton3}) {
    EXPECT_TRUE(a.GroupBox1->contentsRect().contains(speed->geometry()));
  }
  a.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &a; }));
  for (ImageControl* button : {a.Btn_Play, a.Btn_Stop}) {
    for (int tabs = 0; tabs < 10 && QApplication::focusWidget() != button; ++tabs) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(a.Timer1->isActive(), button == a.Btn_Play);
  }
}

TEST_F(AnimatorTest, ClosingRestoresTheSpriteAndStopsTheTimer) {
  for (bool stopFirst : {true, false}) {
    SCOPED_TRACE(stopFirst ? "after Stop" : "while playing");
    ShowSprite(200);
    OpenAnimator();
    SetRun(0, 3);
    Play();
    EXPECT_EQ(Ticks(2), (Frames{1, 2}));
    if (stopFirst) Stop();
    EXPECT_EQ(form().CurrentSprite(), 2);  // Stop leaves the last frame on show
    anim().close();
    EXPECT_FALSE(anim().Timer1->isActive());
    EXPECT_EQ(form().CurrentSprite(), 200);
    EXPECT_TRUE(form().UpperSet->isChecked());
    EXPECT_EQ(form().ScrollBar1->value(), 72);
  }
}

struct RunCase {
  int first;
  int last;
  bool pingPong;
  Frames frames;
};

class AnimatorRunTest : public AnimatorTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(AnimatorRunTest, TicksStepThenTurnOrWrap) {
  const RunCase& run = GetParam();
  OpenAnimator();
  SetRun(run.first, run.last);
  if (run.pingPong) TogglePingPong();
  Play();
  EXPECT_TRUE(anim().Timer1->isActive());
  EXPECT_EQ(Ticks(static_cast<int>(run.frames.size())), run.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, AnimatorRunTest,
    ::testing::Values(RunCase{0, 3, false, {1, 2, 3, 0, 1, 2, 3, 0}},
                      RunCase{0, 3, true, {1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3, 3}},
                      RunCase{7, 7, false, {7, 7, 7, 7}}, RunCase{7, 7, true, {7, 7, 7, 7}},
                      RunCase{250, 255, false, {251, 252, 253, 254, 255, 250}},
                      RunCase{254, 255, true, {255, 255, 254, 254, 255}}),
    [](const auto& info) {
      const RunCase& c = info.param;
      return "From" + std::to_string(c.first) + "To" + std::to_string(c.last) +
             (c.pingPong ? "PingPong" : "Wrap");
    });

TEST_F(AnimatorTest, PingPongSwitchedOffGoingBackwardsKeepsGoingBackwards) {
  OpenAnimator();
  SetRun(0, 3);
  TogglePingPong();
  Play();
  EXPECT_EQ(Ticks(5), (Frames{1, 2, 3, 3, 2}));
  TogglePingPong();
  EXPECT_EQ(Ticks(7), (Frames{1, 0, 3, 2, 1, 0, 3}));
}

TEST_F(AnimatorTest, LastBeforeFirstArmsWithoutPlaying) {
  OpenAnimator();
  form().PageControl1->setCurrentWidget(form().TabSheet2);
  SetRun(5, 2);
  Play();
  EXPECT_EQ(form().PageControl1->currentWidget(), form().TabSheet1);
  EXPECT_EQ(Shown(anim().Btn_Play), anim().ImageList1().Picture(kPlayPressed));
  EXPECT_FALSE(anim().Timer1->isActive());
  EXPECT_EQ(form().CurrentSprite(), 0);

  QTest::mousePress(anim().Btn_Stop, Qt::RightButton);
  EXPECT_EQ(Shown(anim().Btn_Stop), anim().ImageList1().Picture(kStopPressed));
  EXPECT_EQ(Shown(anim().Btn_Play), anim().ImageList1().Picture(kPlayAtRest));
  QTest::mouseRelease(anim().Btn_Stop, Qt::RightButton);
  EXPECT_EQ(Shown(anim().Btn_Stop), anim().ImageList1().Picture(kStopAtRest));
}

TEST_F(AnimatorTest, TheRunIsReadOnlyWhenPlayIsPressed) {
  OpenAnimator();
  SetRun(0, 3);
  Play();
  EXPECT_EQ(Ticks(2), (Frames{1, 2}));
  SetRun(5, 8);
  EXPECT_EQ(Ticks(2), (Frames{3, 0}));
  Play();
  EXPECT_EQ(Ticks(4), (Frames{6, 7, 8, 5}));
  // A reversed run while playing keeps playing; the new ends pull the frame in at once.
  SetRun(7, 6);
  Play();
  EXPECT_TRUE(anim().Timer1->isActive());
  EXPECT_EQ(Ticks(3), (Frames{6, 7, 7}));
}

TEST_F(AnimatorTest, CrossingSprite128MovesUpperHalfAndScrollBar) {
  Drag({{10, 10}});
  ASSERT_EQ(document().UndoCount(), 1);
  const auto bank = document().Bank().Bytes();
  const std::vector<std::uint8_t> before(bank.begin(), bank.end());
  OpenAnimator();
  SetRun(126, 130);
  Play();
  struct Seen {
    int sprite;
    bool upper;
    int scroll;
  };
  for (const Seen& expected : {Seen{127, false, 127}, Seen{128, true, 0}, Seen{129, true, 1},
                               Seen{130, true, 2}, Seen{126, false, 126}}) {
    Ticks(1);
    SCOPED_TRACE(expected.sprite);
    EXPECT_EQ(form().CurrentSprite(), expected.sprite);
    EXPECT_EQ(form().UpperSet->isChecked(), expected.upper);
    EXPECT_EQ(form().ScrollBar1->value(), expected.scroll);
    EXPECT_TRUE(form().Label1->text().startsWith(QString::number(expected.sprite)));
  }
  EXPECT_EQ(document().UndoCount(), 0);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), bank.begin()));
}

TEST_F(AnimatorTest, SpeedButtonsSetTheIntervalAtOnceWithoutStarting) {
  OpenAnimator();
  const auto choose = [&](QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, kIndicator);
    EXPECT_TRUE(button->isChecked());
    return anim().Timer1->interval();
  };
  EXPECT_EQ(choose(anim().RadioButton1), 20);
  EXPECT_EQ(choose(anim().RadioButton3), 80);
  EXPECT_FALSE(anim().Timer1->isActive());
  Play();
  EXPECT_EQ(choose(anim().RadioButton1), 20);
  EXPECT_EQ(choose(anim().RadioButton2), 40);
  EXPECT_EQ(choose(anim().RadioButton3), 80);
  EXPECT_TRUE(anim().Timer1->isActive());
}

// Each choice from the list fills the run and plays it at the animation's own speed, a speed of
// none of the three buttons in a fourth; "(none)" gives the three buttons back.
TEST_F(AnimatorTest, AChosenAnimationFillsTheRunAndPlaysAtItsSpeed) {
  document().SetAnimations("Animations", {{0, 6, 2, 0x90}, {10, 12, 3, 0x80}, {20, 15, 4, 0x80}});
  OpenAnimator();
  EXPECT_EQ(anim().ComboBox1->currentText(), "(none)");
  EXPECT_FALSE(anim().RadioButton4->isVisible());
  EXPECT_TRUE(anim().GroupBox1->contentsRect().contains(anim().RadioButton4->geometry()));
  const struct {
    int from;
    int to;
    bool pingPong;
    QRadioButton* TForm2::*speed;
    int interval;
    Frames frames;
  } choices[] = {
      {0, 6, true, &TForm2::RadioButton2, 40, {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, 0}},
      {10, 12, false, &TForm2::RadioButton4, 60, {11, 12, 10}},
      {15, 20, false, &TForm2::RadioButton3, 80, {16}}};
  for (const auto& choice : choices) {
    SCOPED_TRACE(choice.from);
    QTest::keyClick(anim().ComboBox1, Qt::Key_Down);
    EXPECT_EQ(anim().UpDown1->value(), choice.from);
    EXPECT_EQ(anim().UpDown2->value(), choice.to);
    EXPECT_EQ(anim().CheckBox1->isChecked(), choice.pingPong);
    for (auto* button :
         {anim().RadioButton1, anim().RadioButton2, anim().RadioButton3, anim().RadioButton4}) {
      EXPECT_EQ(button->isChecked(), button == anim().*choice.speed);
    }
    EXPECT_EQ(anim().RadioButton4->isVisible(), anim().RadioButton4 == anim().*choice.speed);
    EXPECT_EQ(anim().Timer1->interval(), choice.interval);
    EXPECT_TRUE(anim().Timer1->isActive());
    EXPECT_EQ(Ticks(static_cast<int>(choice.frames.size())), choice.frames);
  }
  EXPECT_EQ(anim().RadioButton4->text(), "3/50 s");
  QTest::keyClick(anim().ComboBox1, Qt::Key_Up);  // back to the N/50 s speed
  EXPECT_EQ(anim().Timer1->interval(), 60);
  QTest::keyClick(anim().ComboBox1, Qt::Key_Home);
  EXPECT_FALSE(anim().RadioButton4->isVisible());
  EXPECT_TRUE(anim().RadioButton2->isChecked());
  EXPECT_EQ(anim().Timer1->interval(), 40);
}

// An animation over objects plays its objects whole in the main window, From and To numbering
// objects; closing gives back the sprite and Show Object as they were.
TEST_F(AnimatorTest, AnAnimationOverObjectsPlaysTheObjectsWhole) {
  std::vector<SpriteObject> objects;
  for (int k = 0; k < 3; ++k) objects.push_back(ConsecutiveObject("", 10 + 4 * k, 2, 2));
  document().Load(std::vector<SpriteRecord>(30), std::nullopt,
                  {{0, 6, 2, 0x80}, {2, 0, 3, kAnimationPingPongFlag, true}}, objects);
  document().SelectSprite(5);
  OpenAnimator();
  QTest::keyClick(anim().ComboBox1, Qt::Key_Down);
  QTest::keyClick(anim().ComboBox1, Qt::Key_Down);
  EXPECT_EQ(anim().ComboBox1->currentText(), QStringLiteral("1: objects 2–0, 3/50 s, ping-pong"));
  EXPECT_EQ(anim().UpDown1->value(), 0);
  EXPECT_EQ(anim().UpDown2->value(), 2);
  EXPECT_EQ(Ticks(5), (Frames{14, 18, 18, 14, 10}));
  EXPECT_TRUE(form().ShowObject1->isChecked());
  EXPECT_EQ(document().Canvas(), SpriteCanvas(2, 2, {objects[0].cells}));
  anim().close();
  EXPECT_FALSE(form().ShowObject1->isChecked());
  EXPECT_EQ(document().Canvas(), SpriteCanvas::Single(5));
}

TEST_F(AnimatorTest, RealTimerShowsFramesAt50Hz) {
  OpenAnimator();
  SetRun(10, 20);
  Play();
  QTest::mouseClick(anim().RadioButton1, Qt::LeftButton, {}, kIndicator);
  EXPECT_EQ(anim().Timer1->timerType(), Qt::PreciseTimer);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form().CurrentSprite() == 14; }));
  Stop();
  EXPECT_FALSE(anim().Timer1->isActive());
  EXPECT_EQ(form().CurrentSprite(), 14);
}

}  // namespace
}  // namespace kelvane::test
