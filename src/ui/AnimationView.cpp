// The animation of the shown sprite (or of the shown object, over objects) as the editor shows
// it while the user draws: played in the preview picture, and its neighbouring frames as onion
// skin under the grid. Both are views only: they read the document and never change it.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "model/AnimationFrames.h"
#include "render/CanvasPreview.h"
#include "render/OnionSkin.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr int kOnionOpacities[] = {kLeastOnionOpacity, 30, 45, kMostOnionOpacity};

// What the editor shows as a frame: an object on its own canvas (by its index), or the shown
// sprite.
struct ShownFrame {
  int number = 0;
  bool object = false;
};

// Whether canvas is object's, whatever lies over it; read on every change, so it builds nothing.
bool ShowsObject(const SpriteCanvas& canvas, const SpriteObject& object) {
  if (canvas.Columns() != object.columns || canvas.Rows() != object.rows) return false;
  for (int k = 0; k < object.columns * object.rows; ++k) {
    const int cell = object.cells[static_cast<std::size_t>(k)];
    if (canvas.SpriteAt(0, k % object.columns, k / object.columns) != cell) return false;
  }
  return true;
}

ShownFrame Shown(const SpriteDocument& document) {
  if (document.ShowingObjects()) {
    const auto index = ObjectHolding(document.Objects(), document.CurrentSprite());
    if (index && ShowsObject(document.Canvas(), document.Objects()[*index])) {
      return {static_cast<int>(*index), true};
    }
  }
  return {document.CurrentSprite(), false};
}

std::optional<std::size_t> ShownAnimation(const SpriteDocument& document) {
  const ShownFrame shown = Shown(document);
  return AnimationHolding(document.Animations(), shown.number, shown.object);
}

// The canvas frame shows, when it is there to show.
std::optional<SpriteCanvas> FrameCanvas(const SpriteDocument& document, int frame, bool object) {
  if (!object) return SpriteCanvas::Single(frame);
  if (frame < 0) return std::nullopt;
  return document.ObjectCanvas(static_cast<std::size_t>(frame));
}

bool FrameChanged(const SpriteDocument& document, const DocumentChange& change, int frame,
                  bool object) {
  if (object && change.Has(Changed::Objects)) return true;
  const auto canvas = FrameCanvas(document, frame, object);
  if (!canvas) return false;
  return std::ranges::any_of(canvas->Sprites(), [&](int n) {
    if (change.TouchesSprite(n)) return true;
    if (object) return false;
    const std::optional<int> upper = document.OverlayOf(n);
    return upper && change.TouchesSprite(*upper);
  });
}

}  // namespace

void TForm1::AddAnimationViews() {
  ViewMenu1->addSeparator();
  const auto checkable = [this](const QString& caption, const char* name, QKeySequence key) {
    QAction* action = ViewMenu1->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
  };
  PlayPreview1 = checkable(QStringLiteral("Pla&y Preview"), "PlayPreview1", Qt::Key_F5);
  PlayPreview1->setStatusTip(QStringLiteral("play the shown sprite's animation in the preview"));
  OnionSkin1 = checkable(QStringLiteral("Onion &Skin"), "OnionSkin1", Qt::Key_F3);
  OnionSkin1->setStatusTip(QStringLiteral("show the previous frame faintly under the sprite"));
  OnionNextFrame1 = checkable(QStringLiteral("&Next Frame Too"), "OnionNextFrame1", {});
  OnionOpacity1 = ViewMenu1->addMenu(QStringLiteral("Onion Opa&city"));
  OnionOpacity1->setObjectName(QStringLiteral("OnionOpacity1"));
  auto* opacities = new QActionGroup(OnionOpacity1);
  for (const int percent : kOnionOpacities) {
    QAction* action = OnionOpacity1->addAction(QStringLiteral("%1 %").arg(percent));
    action->setCheckable(true);
    action->setChecked(percent == onionOpacity_);
    opacities->addAction(action);
    connect(action, &QAction::triggered, this, [this, percent] {
      onionOpacity_ = percent;
      editorStale_ = true;
      DrawStale();
    });
  }

  previewTimer_ = new QTimer(this);
  previewTimer_->setObjectName(QStringLiteral("PreviewTimer1"));
  // The coarse default may drift by several per cent, which shows in an animation.
  previewTimer_->setTimerType(Qt::PreciseTimer);
  connect(previewTimer_, &QTimer::timeout, this, &TForm1::PreviewTick);
  connect(PlayPreview1, &QAction::toggled, this, [this] { FollowAnimation({}); });
  for (QAction* onion : {OnionSkin1, OnionNextFrame1}) {
    connect(onion, &QAction::toggled, this, [this] {
      editorStale_ = true;
      DrawStale();
    });
  }
}

std::optional<int> TForm1::PreviewFrame() const {
  if (previewCycle_.empty()) return std::nullopt;
  return previewCycle_[previewStep_];
}

void TForm1::FollowAnimation(const DocumentChange& change) {
  const std::vector<SpriteAnimation>& animations = document_.Animations();
  const std::optional<std::size_t> holder = ShownAnimation(document_);
  if (!PlayPreview1->isChecked() || !holder) {
    if (!previewCycle_.empty()) StopPreview();
  } else if (previewCycle_.empty() || animations[*holder] != previewAnimation_) {
    StartPreview(animations[*holder]);
  } else if (FrameChanged(document_, change, *PreviewFrame(), previewAnimation_.overObjects) ||
             change.Has(Changed::SharedColours) || change.Has(Changed::Pairs)) {
    // A stroke on the frame playing, or on its partner over it, shows in the preview at once.
    previewImageStale_ = true;
    Image3->update();
  }
  // The onion skin's frames follow the list, and show what was painted in them.
  if (OnionSkin1->isChecked() && change.Has(Changed::Animations)) editorStale_ = true;
  const bool objects = Shown(document_).object;
  for (const int frame : OnionFrames()) {
    if (FrameChanged(document_, change, frame, objects)) editorStale_ = true;
  }
}

void TForm1::StartPreview(const SpriteAnimation& animation) {
  previewAnimation_ = animation;
  previewCycle_ = AnimationCycle(animation);
  // From the shown sprite (or object) on, which the user is looking at.
  const auto at = std::ranges::find(previewCycle_, Shown(document_).number);
  previewStep_ =
      at == previewCycle_.end() ? 0 : static_cast<std::size_t>(at - previewCycle_.begin());
  previewTimer_->start(animation.FrameMilliseconds());
  previewImageStale_ = true;
  Image3->update();
}

void TForm1::StopPreview() {
  previewTimer_->stop();
  previewCycle_.clear();
  previewStep_ = 0;
  Image3->update();  // the shown sprite again
}

void TForm1::PreviewTick() {
  if (previewCycle_.empty()) return;
  previewStep_ = (previewStep_ + 1) % previewCycle_.size();
  previewImageStale_ = true;
  Image3->update();  // the preview alone, not the window
}

void TForm1::DrawPreviewPicture(QImage& band, int top) {
  const std::optional<int> frame = PreviewFrame();
  // An object shows whole, and so does each object of its animation as it plays.
  const bool object = document_.Canvas().Columns() * document_.Canvas().Rows() > 1;
  const auto playing =
      frame && previewAnimation_.overObjects ? FrameCanvas(document_, *frame, true) : std::nullopt;
  if (playing) {
    if (previewImageStale_ || previewImage_.size() != QSize(playing->Width(), playing->Height())) {
      if (previewImage_.size() != QSize(playing->Width(), playing->Height())) {
        previewImage_ = MakeWorkImage(playing->Width(), playing->Height(), PaletteRgb(0));
      }
      RenderCanvas(previewImage_, document_.Bank(), document_.State(), *playing, EditorPairLook());
      previewImageStale_ = false;
    }
    DrawCanvasPreviewBand(band, previewImage_, editorLook_.background, top);
    return;
  }
  if (object || (frame && previewAnimation_.overObjects)) {
    DrawCanvasPreviewBand(band, canvasImage_, editorLook_.background, top);
    return;
  }
  if (!frame) {
    DrawPreviewBand(band, canvasImage_, editorLook_.background, top,
                    MachineZoom(document_.CurrentAttribute()));
    DrawToolPreviewOnPicture(band, top);
    return;
  }
  if (previewImageStale_ || previewImage_.size() != QSize(kHiresColumns, kSpriteRows)) {
    if (previewImage_.size() != QSize(kHiresColumns, kSpriteRows)) {
      previewImage_ = MakeWorkImage(kHiresColumns, kSpriteRows, PaletteRgb(0));
    }
    // With its overlay partner over it, as the Animator and an exported GIF show the frame.
    RenderSprite(previewImage_, document_.Bank(), document_.State(), *frame, false,
                 PairLook{document_.OverlayDistance()});
    previewImageStale_ = false;
  }
  DrawPreviewBand(band, previewImage_, editorLook_.background, top,
                  MachineZoom(document_.Bank().Attribute(*frame)));
  if (*frame == document_.CurrentSprite()) DrawToolPreviewOnPicture(band, top);
}

std::vector<int> TForm1::OnionFrames() const {
  if (!OnionSkin1 || !OnionSkin1->isChecked()) return {};
  const ShownFrame shown = Shown(document_);
  // Under a sprite shown on its own, or an object: a canvas of others has no one frame to lay it
  // under.
  if (!shown.object && document_.Canvas() != SpriteCanvas::Single(shown.number)) return {};
  const std::vector<SpriteAnimation>& animations = document_.Animations();
  const std::optional<std::size_t> holder = ShownAnimation(document_);
  if (!holder) return {};
  const NeighbourFrames around = FramesAround(animations[*holder], shown.number);
  std::vector<int> frames;
  if (around.previous) frames.push_back(*around.previous);
  // Once each: a frame laid twice would show twice as strong.
  if (OnionNextFrame1->isChecked() && around.next && around.next != around.previous) {
    frames.push_back(*around.next);
  }
  return frames;
}

void TForm1::DrawOnionSkin() {
  const std::vector<int> frames = OnionFrames();
  if (frames.empty()) {
    onionImage_ = QImage();
    return;
  }
  onionImage_ = canvasImage_.copy();
  const bool objects = Shown(document_).object;
  std::vector<SpriteCanvas> canvases;
  for (const int frame : frames) {
    if (const auto canvas = FrameCanvas(document_, frame, objects)) canvases.push_back(*canvas);
  }
  DrawCanvasOnionSkin(onionImage_, document_.Bank(), document_.State(), document_.Canvas(),
                      canvases, onionOpacity_);
}

}  // namespace kelvane
