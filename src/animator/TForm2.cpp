#include "animator/TForm2.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "model/C64Format.h"
#include "model/SpriteAnimation.h"
#include "ui/AnimationCaption.h"
#include "ui/GlyphArt.h"
#include "ui/ImageControl.h"
#include "ui/Placement.h"
#include "ui/SpriteNumberBox.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kAnimatorWidth = 129;
constexpr int kAnimatorHeight = 151;
constexpr int kFontPixels = 11;
constexpr int kInitialFirst = 0;
constexpr int kInitialLast = 10;
// Each edit and its up-down arrows side by side, as one spin box over both places; their labels
// to the left push them, and the glyphs beside them, as far right as the labels need.
constexpr int kMargin = 5;
constexpr int kNumberBoxWidth = 31 + 15;
constexpr int kNumberBoxHeight = 21;
constexpr int kFirstRowTop = 5;
constexpr int kSecondRowTop = 30;
constexpr int kLabelGap = 3;
constexpr int kGlyphGap = 9;
constexpr int kStopTop = 32;
constexpr int kSpeedRowHeight = 17;
constexpr int kSpeedLeft = 5;
constexpr int kGroupTop = 55;
constexpr int kGroupWidth = 116;
constexpr int kGroupHeight = 71;
constexpr int kPingPongTop = 130;
// The list of animations takes a row of its own above the documented controls.
constexpr int kListRowHeight = 26;
constexpr int kListLeastWidth = 90;
// A speed the three buttons do not play shows in a fourth beside them.
constexpr int kOtherSpeedLeft = 66;
constexpr int kOtherSpeedSample = 255;  // the widest caption it can have
// The animation speeds the documented buttons play, in screen frames.
constexpr int kFrames50Hz = kFrameInterval50Hz / kScreenFrameMilliseconds;
constexpr int kFrames25Hz = kFrameInterval25Hz / kScreenFrameMilliseconds;
constexpr int kFrames12Hz = kFrameInterval12Hz / kScreenFrameMilliseconds;

}  // namespace

TForm2::TForm2(TForm1& owner)
    : QDialog(&owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      form1_(owner),
      imageList1_(owner.devicePixelRatioF()) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Animator"));
  QFont formFont = font();
  formFont.setPixelSize(kFontPixels);
  setFont(formFont);
  const std::vector<SpriteAnimation>& animations = owner.Document().Animations();
  const bool listed = !animations.empty();
  const int top = listed ? kListRowHeight : 0;
  int width = kAnimatorWidth;
  if (listed) {
    auto* listLabel = new QLabel(QStringLiteral("&Animation"), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItem(QStringLiteral("(none)"));
    for (std::size_t k = 0; k < animations.size(); ++k) {
      ComboBox1->addItem(AnimationCaption(static_cast<int>(k), animations[k]));
    }
    // The closed box stays narrow; its list opens as wide as its captions.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->view()->setMinimumWidth(ComboBox1->view()->sizeHintForColumn(0));
    listLabel->setBuddy(ComboBox1);
    const int labelWidth = listLabel->sizeHint().width();
    const int boxLeft = kMargin + labelWidth + kLabelGap;
    width = std::max(width, boxLeft + kListLeastWidth + kMargin);
    Place(listLabel, "LabelAnimation", kMargin, kFirstRowTop, labelWidth, kNumberBoxHeight);
    Place(ComboBox1, "ComboBox1", boxLeft, kFirstRowTop, width - boxLeft - kMargin,
          kNumberBoxHeight);
    ComboBox1->setAccessibleName(QStringLiteral("Animation"));
  }

  auto* fromLabel = new QLabel(QStringLiteral("&From"), this);
  auto* toLabel = new QLabel(QStringLiteral("&To"), this);
  const int labelWidth = std::max(fromLabel->sizeHint().width(), toLabel->sizeHint().width());
  const int boxLeft = kMargin + labelWidth + kLabelGap;
  Place(fromLabel, "LabelFrom", kMargin, top + kFirstRowTop, labelWidth, kNumberBoxHeight);
  Place(toLabel, "LabelTo", kMargin, top + kSecondRowTop, labelWidth, kNumberBoxHeight);
  UpDown1 = SpriteNumberBox(this, "UpDown1",
                            {boxLeft, top + kFirstRowTop, kNumberBoxWidth, kNumberBoxHeight},
                            kInitialFirst, "Edit1");
  UpDown2 = SpriteNumberBox(this, "UpDown2",
                            {boxLeft, top + kSecondRowTop, kNumberBoxWidth, kNumberBoxHeight},
                            kInitialLast, "Edit2");
  fromLabel->setBuddy(UpDown1);
  toLabel->setBuddy(UpDown2);
  UpDown1->setAccessibleName(QStringLiteral("First sprite"));
  UpDown2->setAccessibleName(QStringLiteral("Last sprite"));
  Edit1 = UpDown1->findChild<QLineEdit*>();
  Edit2 = UpDown2->findChild<QLineEdit*>();

  const QRgb silver = kGlyphBackground.rgb();
  const int glyphLeft = boxLeft + kNumberBoxWidth + kGlyphGap;
  Btn_Play =
      Place(new ImageControl(this, kAnimatorGlyphSize, kAnimatorGlyphSize, silver), "Btn_Play",
            glyphLeft, top + kFirstRowTop, kAnimatorGlyphSize, kAnimatorGlyphSize);
  Btn_Stop = Place(new ImageControl(this, kAnimatorGlyphSize, kAnimatorGlyphSize, silver),
                   "Btn_Stop", glyphLeft, top + kStopTop, kAnimatorGlyphSize, kAnimatorGlyphSize);
  Btn_Play->setAccessibleName(QStringLiteral("Play"));
  Btn_Play->setAccessibleDescription(
      QStringLiteral("Plays the sprites from the first to the last in the main window"));
  Btn_Stop->setAccessibleName(QStringLiteral("Stop"));
  Btn_Stop->setAccessibleDescription(QStringLiteral("Stops on the sprite shown last"));
  Btn_Play->MakeKeyboardButton();
  Btn_Stop->MakeKeyboardButton();

  int groupWidth = kGroupWidth;
  if (listed) {
    RadioButton4 = new QRadioButton(SpeedCaption(kOtherSpeedSample));
    groupWidth = std::max(groupWidth, kOtherSpeedLeft + RadioButton4->sizeHint().width() + kMargin);
    width = std::max(width, kMargin + groupWidth + (kAnimatorWidth - kMargin - kGroupWidth));
  }
  setFixedSize(width, kAnimatorHeight + top);
  GroupBox1 = Place(new QGroupBox(QStringLiteral("Speed"), this), "GroupBox1", kMargin,
                    top + kGroupTop, groupWidth, kGroupHeight);
  // The buttons start below the frame's caption, however tall the font makes it.
  const QRect inside = GroupBox1->contentsRect();
  const int rowHeight = std::min(kSpeedRowHeight, inside.height() / 3);
  const auto speedButton = [&](const char* caption, const char* name, int row, int width) {
    return Place(new QRadioButton(QString::fromLatin1(caption), GroupBox1), name, kSpeedLeft,
                 inside.top() + row * rowHeight, width, kSpeedRowHeight);
  };
  RadioButton1 = speedButton("50 Hz", "RadioButton1", 0, 61);
  RadioButton2 = speedButton("25 Hz", "RadioButton2", 1, 51);
  RadioButton3 = speedButton("12.5 Hz", "RadioButton3", 2, 61);
  RadioButton2->setChecked(true);
  if (RadioButton4) {
    RadioButton4->setParent(GroupBox1);
    Place(RadioButton4, "RadioButton4", kOtherSpeedLeft, inside.top(),
          RadioButton4->sizeHint().width(), kSpeedRowHeight);
    RadioButton4->hide();  // until an animation needs it
  }
  CheckBox1 = Place(new QCheckBox(QStringLiteral("Ping-Pong"), this), "CheckBox1", 5,
                    top + kPingPongTop, 76, 17);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  // The coarse default may drift by several per cent, which shows in an animation.
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(kFrameInterval25Hz);

  connect(Btn_Play, &ImageControl::MouseDown, this, &TForm2::Btn_PlayMouseDown);
  connect(Btn_Stop, &ImageControl::MouseDown, this, &TForm2::Btn_StopMouseDown);
  connect(Btn_Stop, &ImageControl::MouseUp, this, &TForm2::Btn_StopMouseUp);
  connect(Btn_Play, &ImageControl::SpaceDown, this, &TForm2::Btn_PlayMouseDown);
  connect(Btn_Stop, &ImageControl::SpaceDown, this, &TForm2::Btn_StopMouseDown);
  connect(Btn_Stop, &ImageControl::SpaceUp, this, &TForm2::Btn_StopMouseUp);
  // toggled rather than clicked: keyboard moves between the speed buttons count as well.
  const auto onChecked = [this](QRadioButton* button, void (TForm2::*handler)()) {
    connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
      if (checked) (this->*handler)();
    });
  };
  onChecked(RadioButton1, &TForm2::RadioButton1Click);
  onChecked(RadioButton2, &TForm2::RadioButton2Click);
  onChecked(RadioButton3, &TForm2::RadioButton3Click);
  if (RadioButton4) onChecked(RadioButton4, &TForm2::RadioButton4Click);
  if (ComboBox1) {
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm2::ComboBox1Change);
  }
  connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);

  // Beside the main window, clear of the grid where the frames play.
  const QSize frame = size() + owner.frameGeometry().size() - owner.geometry().size();
  const QRect grid(owner.Image1->mapToGlobal(QPoint(0, 0)), owner.Image1->size());
  move(BesideOwner(owner.frameGeometry(), grid, frame, owner.screen()->availableGeometry()));
}

void TForm2::FormCreate() {
  AnimSavedSprite = form1_.CurrentSprite();
  savedShowObjects_ = form1_.ShowObject1->isChecked();
  imageList1_.Draw(*Btn_Stop, 0, 0, kStopAtRest);
  imageList1_.Draw(*Btn_Play, 0, 0, kPlayAtRest);
}

void TForm2::ShowGlyph(ImageControl& button, int picture) {
  imageList1_.Draw(button, 0, 0, picture);
  button.update();
}

void TForm2::Btn_PlayMouseDown() {
  ShowGlyph(*Btn_Play, kPlayPressed);
  form1_.PageControl1->setCurrentWidget(form1_.TabSheet1);
  AnimFrom = UpDown1->value();
  AnimTo = UpDown2->value();
  if (AnimTo < AnimFrom) return;  // the timer keeps whatever state it had
  AnimFrame = AnimFrom;
  AnimBackwards = 0;
  // Enabling a running timer leaves its rhythm alone; start() would restart the period.
  if (!Timer1->isActive()) Timer1->start();
}

void TForm2::Btn_StopMouseDown() {
  ShowGlyph(*Btn_Stop, kStopPressed);
  ShowGlyph(*Btn_Play, kPlayAtRest);
  Timer1->stop();
}

void TForm2::Btn_StopMouseUp() {
  ShowGlyph(*Btn_Stop, kStopAtRest);
}

void TForm2::RadioButton1Click() {
  Timer1->setInterval(kFrameInterval50Hz);
}

void TForm2::RadioButton2Click() {
  Timer1->setInterval(kFrameInterval25Hz);
}

void TForm2::RadioButton3Click() {
  Timer1->setInterval(kFrameInterval12Hz);
}

void TForm2::RadioButton4Click() {
  Timer1->setInterval(otherSpeed_ * kScreenFrameMilliseconds);
}

void TForm2::ComboBox1Change(int index) {
  const std::vector<SpriteAnimation>& animations = form1_.Document().Animations();
  const int k = index - 1;
  overObjects_ = k >= 0 && k < static_cast<int>(animations.size()) && animations[k].overObjects;
  if (k < 0 || k >= static_cast<int>(animations.size())) {
    // Back to the documented speeds: one of the three is checked again.
    if (RadioButton4->isChecked()) RadioButton2->setChecked(true);
    RadioButton4->hide();
    return;
  }
  const SpriteAnimation& animation = animations[k];
  // The run always goes upwards; an animation stored downwards plays the same sprites.
  UpDown1->setValue(std::min(animation.first, animation.last));
  UpDown2->setValue(std::max(animation.first, animation.last));
  CheckBox1->setChecked(animation.PingPong());
  const int speed = animation.FrameMilliseconds() / kScreenFrameMilliseconds;
  const struct {
    int frames;
    QRadioButton* button;
  } documented[] = {
      {kFrames50Hz, RadioButton1}, {kFrames25Hz, RadioButton2}, {kFrames12Hz, RadioButton3}};
  QRadioButton* chosen = RadioButton4;
  for (const auto& speedButton : documented) {
    if (speedButton.frames == speed) chosen = speedButton.button;
  }
  if (chosen == RadioButton4) {
    otherSpeed_ = speed;
    RadioButton4->setText(SpeedCaption(speed));
  }
  RadioButton4->setVisible(chosen == RadioButton4);
  chosen->setChecked(true);
  if (chosen == RadioButton4) RadioButton4Click();  // also when it was checked at another speed
  Btn_PlayMouseDown();
}

void TForm2::Timer1Timer() {
  if (AnimBackwards == 0) {
    ++AnimFrame;
  } else {
    --AnimFrame;
  }
  // Both tests run, in this order: a frame that has passed an end is pulled back this tick.
  if (CheckBox1->isChecked()) {
    if (AnimFrame > AnimTo) {
      --AnimFrame;
      AnimBackwards = 1;
    }
    if (AnimFrame < AnimFrom) {
      ++AnimFrame;
      AnimBackwards = 0;
    }
  } else {
    if (AnimFrame > AnimTo) AnimFrame = AnimFrom;
    if (AnimFrame < AnimFrom) AnimFrame = AnimTo;
  }
  ShowFrame();
  form1_.RefreshEditor();
}

void TForm2::ShowFrame() {
  if (!overObjects_) {
    form1_.SetCurrentSprite(AnimFrame);
    return;
  }
  // An object shows whole, by its first sprite, as Show Object shows it.
  const std::vector<SpriteObject>& objects = form1_.Document().Objects();
  if (AnimFrame >= static_cast<int>(objects.size())) return;
  if (!form1_.ShowObject1->isChecked()) {
    form1_.ShowObject1->setChecked(true);
    form1_.Document().ShowObjects(true);
  }
  form1_.SetCurrentSprite(objects[static_cast<std::size_t>(AnimFrame)].cells.front());
}

void TForm2::FormClose() {
  // Stopped first, so that no frame can replace the restored sprite.
  Timer1->stop();
  if (form1_.ShowObject1->isChecked() != savedShowObjects_) {
    form1_.ShowObject1->setChecked(savedShowObjects_);
    form1_.Document().ShowObjects(savedShowObjects_);
  }
  form1_.SetCurrentSprite(AnimSavedSprite);
  form1_.RefreshEditor();
}

void TForm2::done(int result) {
  FormClose();
  QDialog::done(result);
}

}  // namespace kelvane
