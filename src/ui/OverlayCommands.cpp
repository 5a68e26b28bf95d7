// Overlay pairs in the window: the overlay bit of the shown sprite, which sprite of a shown pair
// the tools write, the faint other layer, and the pens of both sprites.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>

#include "files/ColourNames.h"
#include "ui/ColourSwatch.h"
#include "ui/Placement.h"
#include "ui/TForm1.h"
#include "ui/ToolManager.h"

namespace kelvane {
namespace {

// The upper sprite's pen: in the free room between the preview and the Grid box, the four pens
// left where they are.
constexpr int kUpperPenTop = 118;
constexpr int kSwatchLeft = 203;
constexpr int kPenLeft = 222;
constexpr int kPenWidth = 60;
constexpr int kSwatchSide = 16;
constexpr int kPenHeight = 17;

}  // namespace

void TForm1::BuildOverlayCommands() {
  OverlayNext1 = Sprite1->addAction(QStringLiteral("Over&lay Next Sprite"));
  OverlayNext1->setObjectName(QStringLiteral("OverlayNext1"));
  OverlayNext1->setCheckable(true);
  OverlayNext1->setStatusTip(QStringLiteral("draw the sprite after this one over it"));
  connect(OverlayNext1, &QAction::triggered, this, [this](bool on) { document_.SetOverlay(on); });

  EditLayer1 = Sprite1->addMenu(QStringLiteral("Edi&t Layer"));
  EditLayer1->setObjectName(QStringLiteral("EditLayer1"));
  auto* layers = new QActionGroup(EditLayer1);
  const struct {
    const char* name;
    QString caption;
    EditLayer layer;
    QAction* TForm1::*action;
  } items[] = {{"LayerLower1", QStringLiteral("&Lower"), EditLayer::Lower, &TForm1::LayerLower1},
               {"LayerUpper1", QStringLiteral("&Upper"), EditLayer::Upper, &TForm1::LayerUpper1},
               {"LayerByColour1", QStringLiteral("By &Colour"), EditLayer::ByColour,
                &TForm1::LayerByColour1}};
  for (const auto& item : items) {
    QAction* action = EditLayer1->addAction(item.caption);
    action->setObjectName(QString::fromLatin1(item.name));
    action->setCheckable(true);
    layers->addAction(action);
    connect(action, &QAction::triggered, this, [this, layer = item.layer] {
      // A selection holds pixels of the layer it was lifted from: it is put down first.
      tools_->Current().Leave();
      ShowToolPreview();
      document_.SetEditLayer(layer);
    });
    this->*item.action = action;
  }

  DimOtherLayer1 = ViewMenu1->addAction(QStringLiteral("&Dim Other Layer"));
  DimOtherLayer1->setObjectName(QStringLiteral("DimOtherLayer1"));
  DimOtherLayer1->setCheckable(true);
  DimOtherLayer1->setStatusTip(QStringLiteral("draw the layer of a pair not being edited faint"));
  connect(DimOtherLayer1, &QAction::toggled, this, [this](bool on) {
    dimOtherLayer_ = on;
    editorStale_ = true;
    RedrawEditor();
  });

  Panel5 = Place(new ColourSwatch(TabSheet1), "Panel5", kSwatchLeft, kUpperPenTop, kSwatchSide,
                 kSwatchSide);
  RadioButton5 = Place(new QRadioButton(TabSheet1), "RadioButton5", kPenLeft, kUpperPenTop,
                       kPenWidth, kPenHeight);
  Panel5->setAccessibleName(QStringLiteral("Upper sprite colour pen colour"));
  RadioButton5->setStatusTip(
      QStringLiteral("select the colour pen of the sprite drawn over this one"));
  const auto select = [this] { document_.SelectPen(kUpperColourPen); };
  connect(RadioButton5, &QRadioButton::clicked, this, select);
  connect(Panel5, &ColourSwatch::Clicked, this, select);
  // Radio buttons of one parent are exclusive already; this one joins the four.
  penButtons_[kUpperColourPen] = RadioButton5;
  swatches_[kUpperColourPen] = Panel5;
  for (QWidget* widget : {static_cast<QWidget*>(RadioButton5), static_cast<QWidget*>(Panel5)}) {
    anchors_.push_back({widget, widget->geometry(), true, false, false, false});
  }
  ShowOverlayState();
}

void TForm1::ShowOverlayState() {
  if (!OverlayNext1) return;  // not built yet: the build shows it
  const int lower = document_.CurrentSprite();
  const int upper = document_.PenUpper().value_or(lower);
  const std::uint8_t upperAttribute = document_.Bank().Attribute(upper);
  // Called after every change, a painted cell included: the controls change only when the
  // state does.
  const OverlayState state{document_.PairShown(),
                           (document_.CurrentAttribute() & kOverlayFlag) != 0,
                           document_.Layer(),
                           lower,
                           upper,
                           upperAttribute,
                           document_.CurrentIsMultiColour()};
  penButtons_[document_.CurrentPen()]->setChecked(true);
  if (state == shownOverlay_) return;
  shownOverlay_ = state;
  const bool pair = state.pair;
  {
    const QSignalBlocker quiet(OverlayNext1);
    OverlayNext1->setChecked(state.overlayBit);
  }
  EditLayer1->setEnabled(pair);
  const EditLayer layer = state.layer;
  LayerLower1->setChecked(layer == EditLayer::Lower);
  LayerUpper1->setChecked(layer == EditLayer::Upper);
  LayerByColour1->setChecked(layer == EditLayer::ByColour);

  const bool upperMulti = IsMultiColour(upperAttribute);
  const auto upperColour = static_cast<std::uint8_t>(SpriteColour(upperAttribute));
  swatches_[kUpperColourPen]->SetColour(PaletteRgb(upperColour), ColourName(upperColour));
  // "#27": the room beside the preview takes no more; the tooltip says it in words.
  RadioButton5->setText(QStringLiteral("#%1").arg(upper));
  RadioButton5->setAccessibleName(QStringLiteral("Sprite %1 colour").arg(upper));
  for (int pen = 0; pen < kPairPenCount; ++pen) {
    const auto value = static_cast<std::uint8_t>(pen);
    const bool offered = PenOffered(value, pair, layer, state.lowerMultiColour, upperMulti);
    penButtons_[pen]->setVisible(offered);
    swatches_[pen]->setVisible(offered);
    // Which sprite the pen writes, while two are shown.
    QString writes;
    if (pair && pen != kTransparentPen) {
      const bool toUpper =
          layer == EditLayer::Upper ||
          (layer == EditLayer::ByColour && PenWritesUpper(value, state.lowerMultiColour));
      writes = QStringLiteral("writes sprite %1").arg(toUpper ? upper : lower);
      if (!toUpper && layer == EditLayer::ByColour) {
        writes += QStringLiteral(", clearing sprite %1 over it").arg(upper);
      }
    } else if (pair) {
      writes =
          layer == EditLayer::ByColour
              ? QStringLiteral("clears sprites %1 and %2").arg(lower).arg(upper)
              : QStringLiteral("clears sprite %1").arg(layer == EditLayer::Upper ? upper : lower);
    }
    penButtons_[pen]->setToolTip(writes);
    swatches_[pen]->setToolTip(writes);
  }
}

PairLook TForm1::EditorPairLook() const {
  PairLook look{document_.OverlayDistance()};
  if (!dimOtherLayer_ || !document_.PairShown()) return look;
  const EditLayer layer = document_.Layer();
  const std::uint8_t pen = document_.CurrentPen();
  if (layer == EditLayer::Lower) {
    look.faint = FaintLayer::Upper;
  } else if (layer == EditLayer::Upper) {
    look.faint = FaintLayer::Lower;
  } else if (pen != kTransparentPen) {  // the transparent pen clears both
    look.faint = PenWritesUpper(pen, document_.CurrentIsMultiColour()) ? FaintLayer::Lower
                                                                       : FaintLayer::Upper;
  }
  return look;
}

}  // namespace kelvane
