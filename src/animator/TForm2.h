// The Animator: plays a run of consecutive sprites in the main window's editor.
#pragma once

#include <QDialog>

#include "animator/AnimatorImageList.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace kelvane {

class ImageControl;
class TForm1;

inline constexpr int kFrameInterval50Hz = 20;
inline constexpr int kFrameInterval25Hz = 40;
inline constexpr int kFrameInterval12Hz = 80;

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  // The main window is the owner; the frames show there, never in this window.
  explicit TForm2(TForm1& owner);

  void FormCreate();

  // Each spin box carries its number edit inside it; the run reads only the spin positions.
  QSpinBox* UpDown1 = nullptr;  // first sprite of the run
  QSpinBox* UpDown2 = nullptr;  // last sprite of the run
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  ImageControl* Btn_Play = nullptr;
  ImageControl* Btn_Stop = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QRadioButton* RadioButton3 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QTimer* Timer1 = nullptr;
  // Only while the document has animations: the list above the controls ("(none)" first, then
  // the animations) and the speed of a chosen one that none of the three buttons plays.
  QComboBox* ComboBox1 = nullptr;
  QRadioButton* RadioButton4 = nullptr;

  const AnimatorImageList& ImageList1() const { return imageList1_; }

 public slots:
  void Btn_PlayMouseDown();
  void Btn_StopMouseDown();
  void Btn_StopMouseUp();
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  // Fills the run from the animation at that place of the list and plays it at its speed; 0,
  // "(none)", leaves the run as it is.
  void ComboBox1Change(int index);
  void Timer1Timer();

 protected:
  // Every way of closing (close box, system menu, Escape) ends here.
  void done(int result) override;

 private:
  void FormClose();
  // AnimFrame in the main window: the sprite, or while an animation over objects is chosen, the
  // object (From and To then number objects).
  void ShowFrame();
  void ShowGlyph(ImageControl& button, int picture);

  TForm1& form1_;
  AnimatorImageList imageList1_;
  // Signed, as the turning and wrapping tests compare them.
  int AnimFrom = 0;
  int AnimTo = 0;
  int AnimFrame = 0;
  int AnimBackwards = 0;
  int AnimSavedSprite = 0;
  int otherSpeed_ = 0;  // the frames a step of RadioButton4
  bool overObjects_ = false;
  bool savedShowObjects_ = false;  // Show Object as it was when the Animator opened
};

}  // namespace kelvane
