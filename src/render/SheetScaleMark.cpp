#include "render/SheetScaleMark.h"

#include <QString>
#include <cstdio>

namespace kelvane {
namespace {

// A PNG text chunk; short, so that it is stored plain (tEXt) and any viewer shows it.
const QString kKey = QStringLiteral("Sprite sheet");
constexpr const char* kValueFormat = "scale %d, %d x %d pixels";

}  // namespace

void MarkSheetScale(QImage& sheet, int scale) {
  sheet.setText(kKey, QString::asprintf(kValueFormat, scale, sheet.width(), sheet.height()));
}

std::optional<int> MarkedSheetScale(const QImage& sheet) {
  const QByteArray value = sheet.text(kKey).toLatin1();
  int scale = 0;
  int width = 0;
  int height = 0;
  if (std::sscanf(value.constData(), kValueFormat, &scale, &width, &height) != 3) {
    return std::nullopt;
  }
  if (scale < 1 || width != sheet.width() || height != sheet.height()) return std::nullopt;
  return scale;
}

}  // namespace kelvane
