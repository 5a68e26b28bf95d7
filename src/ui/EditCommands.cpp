// The Edit menu and the glyph buttons: clipboard, transforms and undo.
#include "model/Transforms.h"
#include "tools/SelectTool.h"
#include "ui/ImageControl.h"
#include "ui/TForm1.h"

namespace kelvane {
namespace {

constexpr Transform kGlyphTransforms[] = {Transform::NudgeUp,
                                          Transform::NudgeDown,
                                          Transform::NudgeLeft,
                                          Transform::NudgeRight,
                                          Transform::FlipTopToBottom,
                                          Transform::FlipLeftToRight,
                                          Transform::SymmetrizeTopToBottom,
                                          Transform::SymmetrizeLeftToRight};

}  // namespace

void TForm1::TransformSpriteOrSelection(Transform transform) {
  if (!OnSelection([transform](SelectTool& s) { s.Apply(transform); })) {
    document_.TransformSprite(transform);
  }
}

void TForm1::Action1Execute() {
  if (!OnSelection([](SelectTool& s) { s.Clear(); })) document_.CutSprite();
}
void TForm1::Action2Execute() {
  if (!OnSelection([](SelectTool& s) { s.Copy(); })) document_.CopySprite();
}
void TForm1::Action3Execute() {
  document_.PasteSprite();
}
void TForm1::Action4Execute() {
  TransformSpriteOrSelection(Transform::NudgeUp);
}
void TForm1::Action5Execute() {
  TransformSpriteOrSelection(Transform::NudgeDown);
}
void TForm1::Action6Execute() {
  TransformSpriteOrSelection(Transform::NudgeLeft);
}
void TForm1::Action7Execute() {
  TransformSpriteOrSelection(Transform::NudgeRight);
}
void TForm1::Action8Execute() {
  TransformSpriteOrSelection(Transform::FlipTopToBottom);
}
void TForm1::Action9Execute() {
  TransformSpriteOrSelection(Transform::FlipLeftToRight);
}
void TForm1::Action10Execute() {
  TransformSpriteOrSelection(Transform::SymmetrizeTopToBottom);
}
void TForm1::Action11Execute() {
  TransformSpriteOrSelection(Transform::SymmetrizeLeftToRight);
}
void TForm1::Action12Execute() {
  document_.Undo();
}
void TForm1::Redo1Click() {
  document_.Redo();
}

void TForm1::ShowPressed(int button) {
  imageList1_.Draw(*Glyphs[button], 0, 0, GlyphImageList::PressedIndex(button));
  Glyphs[button]->update();
}

void TForm1::GlyphMouseDown(int button) {
  switch (button) {
    case kGlyphCut:
      Action1Execute();
      break;
    case kGlyphCopy:
      Action2Execute();
      break;
    case kGlyphPaste:
      if (!document_.PasteSprite()) return;  // nothing to paste: not even the pressed picture
      break;
    case kGlyphUndo:
      if (!document_.Undo()) return;
      break;
    default:
      TransformSpriteOrSelection(kGlyphTransforms[button - kGlyphUp]);
      break;
  }
  ShowPressed(button);
}

void TForm1::DrawGlyphsForScreen() {
  if (imageList1_.Ratio() == devicePixelRatioF()) return;
  imageList1_ = GlyphImageList(devicePixelRatioF());
  ShowGlyphsAtRest();
  ShowToolCursor(toolPicture_);
}

void TForm1::ShowGlyphsAtRest() {
  for (int k = 0; k < kGlyphButtons; ++k) GlyphMouseUp(k);
}

void TForm1::GlyphMouseUp(int button) {
  imageList1_.Draw(*Glyphs[button], 0, 0, GlyphImageList::RestIndex(button));
  Glyphs[button]->update();
}

}  // namespace kelvane
