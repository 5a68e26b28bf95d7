#include "ui/TAnimationsDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>

#include "model/SpriteDocument.h"
#include "ui/AnimationCaption.h"
#include "ui/Placement.h"
#include "ui/SpriteNumberBox.h"

namespace kelvane {
namespace {

constexpr int kForwardMode = 0;
constexpr int kPingPongMode = 1;
constexpr int kSpritesKind = 0;
constexpr int kObjectsKind = 1;
constexpr int kNewAnimationSpeed = 2;  // 25 Hz, as the Animator starts
constexpr int kListWidth = 240;

}  // namespace

TAnimationsDialog::TAnimationsDialog(QWidget* owner, SpriteDocument& document)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      document_(document) {
  setObjectName(QStringLiteral("AnimationsDialog"));
  setWindowTitle(QStringLiteral("Animations"));

  List = new QListWidget(this);
  List->setObjectName(QStringLiteral("List"));
  List->setMinimumWidth(kListWidth);
  KindBox = new QComboBox(this);
  KindBox->setObjectName(QStringLiteral("KindBox"));
  KindBox->insertItem(kSpritesKind, QStringLiteral("Sprites"));
  KindBox->insertItem(kObjectsKind, QStringLiteral("Objects"));
  const int shown = document_.CurrentSprite();
  FirstBox = SpriteNumberBox(this, "FirstBox", {}, shown);
  LastBox = SpriteNumberBox(this, "LastBox", {}, shown);
  SpeedBox = new QSpinBox(this);
  SpeedBox->setObjectName(QStringLiteral("SpeedBox"));
  SpeedBox->setRange(kMinAnimationSpeed, kMaxAnimationSpeed);
  SpeedBox->setValue(kNewAnimationSpeed);
  SpeedBox->setSuffix(QStringLiteral("/50 s"));
  // A typed number counts once, when it is complete, not at each digit: one undo step.
  for (QSpinBox* box : {FirstBox, LastBox, SpeedBox}) box->setKeyboardTracking(false);
  ModeBox = new QComboBox(this);
  ModeBox->setObjectName(QStringLiteral("ModeBox"));
  ModeBox->insertItem(kForwardMode, QStringLiteral("Forward"));
  ModeBox->insertItem(kPingPongMode, QStringLiteral("Ping-pong"));

  AddButton = new QPushButton(QStringLiteral("&Add"), this);
  AddButton->setToolTip(QStringLiteral("adds an animation of the sprites From to To"));
  AddShownButton = new QPushButton(QStringLiteral("Add S&hown Sprite"), this);
  AddShownButton->setToolTip(QStringLiteral("adds an animation that starts at the shown sprite"));
  DeleteButton = new QPushButton(QStringLiteral("&Delete"), this);
  CloseButton = new QPushButton(QStringLiteral("Close"), this);
  // Enter commits a typed number and leaves the dialog open; Escape closes it.
  for (QPushButton* button : {AddButton, AddShownButton, DeleteButton, CloseButton}) {
    button->setAutoDefault(false);
  }

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("&Of"), KindBox);
  fields->addRow(QStringLiteral("&From"), FirstBox);
  fields->addRow(QStringLiteral("&To"), LastBox);
  fields->addRow(QStringLiteral("&Speed"), SpeedBox);
  fields->addRow(QStringLiteral("&Mode"), ModeBox);
  auto* buttons = new QVBoxLayout;
  buttons->addLayout(fields);
  for (QPushButton* button : {AddButton, AddShownButton, DeleteButton}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(CloseButton);
  auto* whole = new QHBoxLayout(this);
  whole->addWidget(List, 1);
  whole->addLayout(buttons);

  connect(List, &QListWidget::currentRowChanged, this, &TAnimationsDialog::ShowInBoxes);
  // Each box changes its own field alone: a file's sprite past the bank or speed of 0, which a
  // box cannot show, stays as it is when another field changes.
  connect(FirstBox, &QSpinBox::valueChanged, this,
          [this](int first) { ChangeSelected([first](SpriteAnimation& a) { a.first = first; }); });
  connect(LastBox, &QSpinBox::valueChanged, this,
          [this](int last) { ChangeSelected([last](SpriteAnimation& a) { a.last = last; }); });
  connect(SpeedBox, &QSpinBox::valueChanged, this,
          [this](int speed) { ChangeSelected([speed](SpriteAnimation& a) { a.speed = speed; }); });
  connect(ModeBox, &QComboBox::activated, this, [this](int mode) {
    ChangeSelected([mode](SpriteAnimation& a) {
      a.flags = static_cast<std::uint8_t>(a.flags & ~kAnimationPingPongFlag);
      if (mode == kPingPongMode) a.flags |= kAnimationPingPongFlag;
    });
  });
  // Another kind gives the numbers another meaning: they are taken as the boxes now show them.
  connect(KindBox, &QComboBox::activated, this, [this](int kind) {
    FitNumberBoxes();
    ChangeSelected([this, kind](SpriteAnimation& a) {
      a.overObjects = kind == kObjectsKind;
      a.first = FirstBox->value();
      a.last = LastBox->value();
    });
  });
  connect(AddButton, &QPushButton::clicked, this, [this] { Add(FromBoxes(SpriteAnimation{})); });
  connect(AddShownButton, &QPushButton::clicked, this, [this] {
    SpriteAnimation animation = FromBoxes(SpriteAnimation{});
    animation.overObjects = false;
    animation.first = animation.last = document_.CurrentSprite();
    Add(animation);
  });
  connect(DeleteButton, &QPushButton::clicked, this, &TAnimationsDialog::DeleteSelected);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

  ShowAnimations(-1);
  OpenOverOwner(this, owner);
}

SpriteAnimation TAnimationsDialog::FromBoxes(const SpriteAnimation& base) const {
  SpriteAnimation animation = base;
  animation.first = FirstBox->value();
  animation.last = LastBox->value();
  animation.speed = SpeedBox->value();
  animation.overObjects = KindBox->currentIndex() == kObjectsKind;
  animation.flags = static_cast<std::uint8_t>(base.flags & ~kAnimationPingPongFlag);
  if (ModeBox->currentIndex() == kPingPongMode) animation.flags |= kAnimationPingPongFlag;
  return animation;
}

void TAnimationsDialog::ShowAnimations(int selected) {
  const QSignalBlocker quiet(List);
  List->clear();
  const std::vector<SpriteAnimation>& animations = document_.Animations();
  for (std::size_t k = 0; k < animations.size(); ++k) {
    List->addItem(AnimationCaption(static_cast<int>(k), animations[k]));
  }
  List->setCurrentRow(selected);
  DeleteButton->setEnabled(selected >= 0);
  // An animation over objects needs objects to play.
  auto* kinds = qobject_cast<QStandardItemModel*>(KindBox->model());
  kinds->item(kObjectsKind)->setEnabled(!document_.Objects().empty());
  FitNumberBoxes();
}

void TAnimationsDialog::FitNumberBoxes() {
  const bool objects = KindBox->currentIndex() == kObjectsKind;
  const int last =
      objects ? std::max(static_cast<int>(document_.Objects().size()) - 1, 0) : kLastSprite;
  for (QSpinBox* box : {FirstBox, LastBox}) {
    const QSignalBlocker quiet(box);
    box->setMaximum(last);
  }
}

void TAnimationsDialog::ShowInBoxes(int row) {
  DeleteButton->setEnabled(row >= 0);
  const std::vector<SpriteAnimation>& animations = document_.Animations();
  if (row < 0 || row >= static_cast<int>(animations.size())) return;
  const SpriteAnimation& animation = animations[row];
  const QSignalBlocker first(FirstBox), last(LastBox), speed(SpeedBox), mode(ModeBox),
      kind(KindBox);
  KindBox->setCurrentIndex(animation.overObjects ? kObjectsKind : kSpritesKind);
  FitNumberBoxes();
  FirstBox->setValue(animation.first);
  LastBox->setValue(animation.last);
  // A file's speed of 0 plays as the fastest; the box shows it so.
  SpeedBox->setValue(animation.speed);
  ModeBox->setCurrentIndex(animation.PingPong() ? kPingPongMode : kForwardMode);
}

void TAnimationsDialog::Put(const char* name, std::vector<SpriteAnimation> animations, int row) {
  // The document keeps the sprite animations first: count what comes before row once sorted.
  int sorted = 0;
  for (int k = 0; k < static_cast<int>(animations.size()); ++k) {
    const bool sameKind = animations[k].overObjects == animations[row].overObjects;
    if (k != row && (sameKind ? k < row : !animations[k].overObjects)) ++sorted;
  }
  document_.SetAnimations(name, std::move(animations));
  ShowAnimations(sorted);
}

void TAnimationsDialog::Add(SpriteAnimation animation) {
  std::vector<SpriteAnimation> animations = document_.Animations();
  animations.push_back(animation);
  const int row = static_cast<int>(animations.size()) - 1;
  Put("Add Animation", std::move(animations), row);
}

void TAnimationsDialog::ChangeSelected(const std::function<void(SpriteAnimation&)>& change) {
  const int row = List->currentRow();
  std::vector<SpriteAnimation> animations = document_.Animations();
  if (row < 0 || row >= static_cast<int>(animations.size())) return;
  change(animations[row]);
  Put("Change Animation", std::move(animations), row);
}

void TAnimationsDialog::DeleteSelected() {
  const int row = List->currentRow();
  std::vector<SpriteAnimation> animations = document_.Animations();
  if (row < 0 || row >= static_cast<int>(animations.size())) return;
  animations.erase(animations.begin() + row);
  document_.SetAnimations("Delete Animation", std::move(animations));
  ShowAnimations(std::min(row, static_cast<int>(document_.Animations().size()) - 1));
}

}  // namespace kelvane
