// What the Export dialog was last set to: the main window keeps it for the rest of the run, so
// the next export starts from the same format, options, sprites and file.
#pragma once

#include <QString>

#include "model/C64Format.h"
#include "render/SpriteExport.h"

namespace kelvane {

enum class ExportRange { All, Range, Current };

struct ExportChoices {
  ExportRequest request;  // the format and its options
  ExportRange range = ExportRange::All;
  int first = 0;  // ExportRange::Range
  int last = kLastSprite;
  QString path;  // the file last exported to; empty: named after the sprite file
};

}  // namespace kelvane
