// The scale a sprite sheet was drawn at, written into the picture beside its pixels. Reading a
// picture back, the scale is otherwise a guess: the largest at which every block is one colour,
// which a sheet of blank or fat-pixelled sprites passes at more than the scale it was drawn at,
// and then reads back as fewer, coarser sprites. The mark also records the picture's size, so a
// sheet scaled or cropped since no longer matches it and is measured instead.
#pragma once

#include <QImage>
#include <optional>

namespace kelvane {

void MarkSheetScale(QImage& sheet, int scale);
// The scale marked in sheet, if the mark is there and sheet is still the size it records.
std::optional<int> MarkedSheetScale(const QImage& sheet);

}  // namespace kelvane
