// The colour picker: a press makes the pen of the pixel under it the current pen. It changes no
// pixel and takes no step.
#pragma once

#include "model/SpriteDocument.h"
#include "tools/Tool.h"

namespace kelvane {

class PickerTool : public Tool {
 public:
  explicit PickerTool(SpriteDocument& document) : document_(document) {}

  void Press(const ToolEvent& event) override {
    if (!event.point) return;
    if (const auto pen = document_.Pixels().PenAt(*event.point)) document_.SelectPen(*pen);
  }
  void Move(const ToolEvent&) override {}
  void Release(const ToolEvent&) override {}
  void Cancel() override {}

 private:
  SpriteDocument& document_;
};

}  // namespace kelvane
