// Operations on the whole bank.
#pragma once

#include <cstdint>
#include <span>

#include "model/SpriteBank.h"

namespace kelvane {

struct EditorModel;

// True when the 63 pixel bytes are all zero, whatever the attribute byte says.
bool IsBlankSprite(const SpriteBank& bank, int n);

// Closes up the non-blank sprites at the front, in order; the freed records become all zero,
// attribute byte included. The current sprite keeps its number.
void RemoveBlanks(EditorModel& model);

// Writes the whole attribute byte (mode, colour and the unused bits) into every sprite.
void CopyAttributesToAll(EditorModel& model, std::uint8_t attribute);

// Writes records from sprite first on, dropping any that would land past the last sprite.
void PutRecords(EditorModel& model, int first, std::span<const SpriteRecord> records);

// The model's share of "New": a fresh bank and editor state. Both clipboards survive, so a
// sprite copied before can be pasted afterwards.
void ResetForNewBank(EditorModel& model);

}  // namespace kelvane
