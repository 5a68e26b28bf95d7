// What the Export dialog was last set to: the main window keeps it for the rest of the run, so
// the next export starts from the same format, options, sprites and file.
#pragma once

#include <QString>
#include <string>

#include "files/SpriteFormat.h"
#include "model/C64Format.h"
#include "render/SpriteExport.h"

namespace kelvane {

enum class ExportRange { All, Range, Current };

struct ExportChoices {
  ExportRequest request;  // the format and its options
  ExportRange range = ExportRange::All;
  int first = 0;  // ExportRange::Range
  int last = kLastSprite;
  int animation = 0;  // of the document's, for an animated GIF
  QString path;       // the file last exported to; empty: named after the sprite file
};

// The file the bank was last read from or saved to, as far as an export keeps it: an export of
// all its records in its own format keeps what it held beyond them (a SpritePad file's
// animations and tiles), as kelvane-convert keeps them converting that file.
struct OpenedFile {
  std::string format = "spr";  // the codec's id
  FormatDetails details;
  int records = 0;
  int overlayDistance = 1;  // SpriteSet::overlayDistance of that file
};

}  // namespace kelvane
