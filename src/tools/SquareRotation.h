// Rotate Right and Left without a selection: a quarter turn of the largest square at the left of
// a hi-res sprite, its 21 rows by its first 21 columns; the columns right of it stay.
#pragma once

#include "model/SpriteDocument.h"

namespace kelvane {

// False, with nothing done, when the sprite on show is multi-colour: its 12 x 21 grid holds no
// square but a selection's.
bool RotateSpriteSquare(SpriteDocument& document, bool right);

}  // namespace kelvane
