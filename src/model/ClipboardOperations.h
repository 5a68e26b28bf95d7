// Cut, copy and paste of the current sprite, and of runs of sprites.
#pragma once

namespace kelvane {

struct EditorModel;

// Moves the current sprite into the clipboard and leaves the default blank sprite.
void CutSprite(EditorModel& model);
void CopySprite(EditorModel& model);
// False, with nothing changed, until something has been cut or copied.
bool PasteSprite(EditorModel& model);

// Copies sprites from..to into the range clipboard and, if cut, zeroes them in place (attribute
// byte included). from > to takes nothing and leaves a negative span.
// ASSUMPTION: from and to are sprite numbers 0..255.
void TakeRange(EditorModel& model, int from, int to, bool cut);
// Overwrites sprites from the current one on with the taken range, dropping what would land past
// the last sprite.
void PasteRangeAtCurrent(EditorModel& model);

}  // namespace kelvane
