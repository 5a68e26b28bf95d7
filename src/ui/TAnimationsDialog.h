// Sprite > Animations...: the document's animations, of sprites and over objects, listed, added,
// deleted and changed, each change one undo step.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "model/SpriteAnimation.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace kelvane {

class SpriteDocument;

class TAnimationsDialog : public QDialog {
  Q_OBJECT
 public:
  // The boxes start at the shown sprite, ready to add an animation of it.
  TAnimationsDialog(QWidget* owner, SpriteDocument& document);

  QListWidget* List = nullptr;
  QComboBox* KindBox = nullptr;  // sprites, objects (offered while there are objects)
  QSpinBox* FirstBox = nullptr;
  QSpinBox* LastBox = nullptr;
  QSpinBox* SpeedBox = nullptr;
  QComboBox* ModeBox = nullptr;  // forward, ping-pong
  QPushButton* AddButton = nullptr;
  QPushButton* AddShownButton = nullptr;
  QPushButton* DeleteButton = nullptr;
  QPushButton* CloseButton = nullptr;

 private:
  // The animation the boxes describe, keeping the flag bits of base other than ping-pong.
  SpriteAnimation FromBoxes(const SpriteAnimation& base) const;
  void ShowAnimations(int selected);
  void ShowInBoxes(int row);
  // From and To reach as far as the kind chosen numbers: the sprites, or the objects.
  void FitNumberBoxes();
  // animations through the document, showing where the one at row stands once sorted by kind.
  void Put(const char* name, std::vector<SpriteAnimation> animations, int row);
  void Add(SpriteAnimation animation);
  // The selected animation changed by change, as one undo step.
  void ChangeSelected(const std::function<void(SpriteAnimation&)>& change);
  void DeleteSelected();

  SpriteDocument& document_;
};

}  // namespace kelvane
