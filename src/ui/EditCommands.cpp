// The Edit menu and the glyph buttons: clipboard, transforms and undo.
#include <QAction>
#include <QCheckBox>

#include "model/ClipboardOperations.h"
#include "model/Transforms.h"
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

void TForm1::CutCommand() {
  CutSprite(model_);
  Paste1->setEnabled(true);
  RefreshEditor();
}

void TForm1::CopyCommand() {
  CopySprite(model_);
  Paste1->setEnabled(true);
}

bool TForm1::PasteCommand() {
  if (!PasteSprite(model_)) return false;
  RefreshEditor();
  return true;
}

void TForm1::TransformCommand(Transform transform) {
  // The mode is the state of the box at this moment, which always mirrors the sprite's flag.
  RunTransform(model_, transform, MCToggle->isChecked());
  RefreshEditor();
}

void TForm1::Action1Execute() {
  CutCommand();
  DrawBrowserSheet();
}

void TForm1::Action2Execute() {
  CopyCommand();
  DrawBrowserSheet();
}

void TForm1::Action3Execute() {
  if (PasteCommand()) DrawBrowserSheet();
}

void TForm1::Action4Execute() {
  MenuTransform(Transform::NudgeUp);
}
void TForm1::Action5Execute() {
  MenuTransform(Transform::NudgeDown);
}
void TForm1::Action6Execute() {
  MenuTransform(Transform::NudgeLeft);
}
void TForm1::Action7Execute() {
  MenuTransform(Transform::NudgeRight);
}
void TForm1::Action8Execute() {
  MenuTransform(Transform::FlipTopToBottom);
}
void TForm1::Action9Execute() {
  MenuTransform(Transform::FlipLeftToRight);
}
void TForm1::Action10Execute() {
  MenuTransform(Transform::SymmetrizeTopToBottom);
}
void TForm1::Action11Execute() {
  MenuTransform(Transform::SymmetrizeLeftToRight);
}

void TForm1::MenuTransform(Transform transform) {
  TransformCommand(transform);
  DrawBrowserSheet();
}

void TForm1::Action12Execute() {
  RestoreUndoSnapshot();
  DrawBrowserSheet();
}

void TForm1::ShowPressed(int button) {
  imageList1_.Draw(*Glyphs[button], 0, 0, GlyphImageList::PressedIndex(button));
  Glyphs[button]->RepaintNow();
}

void TForm1::GlyphMouseDown(int button) {
  switch (button) {
    case kGlyphCut:
      CutCommand();
      ShowPressed(button);
      DrawBrowserSheet();
      break;
    case kGlyphCopy:
      CopyCommand();
      ShowPressed(button);
      break;
    case kGlyphPaste:
      if (!PasteCommand()) return;
      ShowPressed(button);
      DrawBrowserSheet();
      break;
    case kGlyphUndo:
      if (!RestoreUndoSnapshot()) return;
      ShowPressed(button);
      break;
    default:
      // The transform glyphs sit on the "Editor" page; the sheet is redrawn when it is shown.
      TransformCommand(kGlyphTransforms[button - kGlyphUp]);
      ShowPressed(button);
      break;
  }
}

void TForm1::GlyphMouseUp(int button) {
  imageList1_.Draw(*Glyphs[button], 0, 0, GlyphImageList::RestIndex(button));
  Glyphs[button]->RepaintNow();
}

}  // namespace kelvane
