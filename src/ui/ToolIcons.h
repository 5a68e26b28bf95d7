// The drawing tools' pictures: keys in the glyph buttons' look for the tool bar, drawn at each
// screen scale rather than scaled, and cursors that say which tool the editor is using.
#pragma once

#include <QCursor>
#include <QIcon>

namespace kelvane {

enum class ToolPicture {
  Pen,
  Fill,
  Line,
  Rectangle,
  FilledRectangle,
  Ellipse,
  FilledEllipse,
  Picker,
  Select
};

// A grey key, dark when the tool is checked, at 1x, 2x and ratio.
QIcon ToolIcon(ToolPicture picture, qreal ratio);
// Cross hairs with the tool's symbol beside them, hot at the cross's centre.
QCursor ToolCursor(ToolPicture picture, qreal ratio);

}  // namespace kelvane
