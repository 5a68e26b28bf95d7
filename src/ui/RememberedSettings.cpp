#include "ui/RememberedSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "files/TextExport.h"
#include "model/C64Format.h"
#include "render/C64Palette.h"
#include "render/EditorGeometry.h"
#include "render/PngExport.h"
#include "ui/RecentFiles.h"

namespace kelvane {
namespace {

// Far beyond any desktop, and small enough that sums of them stay within an int.
constexpr qint64 kMaxCoordinate = 1 << 20;
constexpr qint64 kMaxWindowSide = 1 << 15;
constexpr qsizetype kMaxNameLength = 64;
constexpr qsizetype kMaxPathLength = 4096;
// A list written by hand, or by another program, may be long or full of holes: only so many of
// its entries are looked at for the few that are kept.
constexpr int kMaxRecentLooked = 100;
constexpr qint64 kMaxLoadAddress = 0xFFFF;

const QString kX = QStringLiteral("Window/x");
const QString kY = QStringLiteral("Window/y");
const QString kWidth = QStringLiteral("Window/width");
const QString kHeight = QStringLiteral("Window/height");
const QString kMaximized = QStringLiteral("Window/maximized");
const QString kCellSize = QStringLiteral("View/cellSize");
const QString kGrid = QStringLiteral("View/grid");
const QString kToolBar = QStringLiteral("View/toolBar");
const QString kPalette = QStringLiteral("View/palette");
const QString kTool = QStringLiteral("View/tool");
const QString kFolder = QStringLiteral("Dialogs/folder");
const QString kRecent = QStringLiteral("RecentFiles");
const QString kRecentPath = QStringLiteral("path");
const QString kFormat = QStringLiteral("Export/format");
const QString kLabelPrefix = QStringLiteral("Export/labelPrefix");
const QString kSegment = QStringLiteral("Export/segment");
const QString kNumberBase = QStringLiteral("Export/numberBase");
const QString kBytesPerLine = QStringLiteral("Export/bytesPerLine");
const QString kAttributes = QStringLiteral("Export/attributes");
const QString kColourComment = QStringLiteral("Export/colourComment");
const QString kScale = QStringLiteral("Export/scale");
const QString kColumns = QStringLiteral("Export/columns");
const QString kExpand = QStringLiteral("Export/expand");
const QString kLoadAddress = QStringLiteral("Export/loadAddress");
const QString kRange = QStringLiteral("Export/range");
const QString kFirst = QStringLiteral("Export/first");
const QString kLast = QStringLiteral("Export/last");
const QString kPath = QStringLiteral("Export/path");

constexpr std::array<std::pair<ExportRange, std::string_view>, 3> kRangeNames{
    {{ExportRange::All, "all"}, {ExportRange::Range, "range"}, {ExportRange::Current, "current"}}};

// A value as the text it was written as; a list, a picture or anything else is no text.
std::optional<QString> Text(const QSettings& settings, const QString& key,
                            qsizetype maxLength = kMaxNameLength) {
  const QVariant value = settings.value(key);
  // As read from the file every value is text; as set in this run it keeps its own type.
  switch (value.metaType().id()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
      break;
    default:
      return std::nullopt;
  }
  QString text = value.toString();
  if (text.size() > maxLength || text.contains(QChar())) return std::nullopt;
  return text;
}

std::optional<qint64> Number(const QSettings& settings, const QString& key) {
  const std::optional<QString> text = Text(settings, key);
  if (!text) return std::nullopt;
  bool ok = false;
  const qint64 number = text->trimmed().toLongLong(&ok);
  return ok ? std::optional(number) : std::nullopt;
}

int Clamped(const QSettings& settings, const QString& key, qint64 low, qint64 high, int fallback) {
  const std::optional<qint64> number = Number(settings, key);
  return number ? static_cast<int>(std::clamp(*number, low, high)) : fallback;
}

bool Flag(const QSettings& settings, const QString& key, bool fallback) {
  const QString text = Text(settings, key).value_or(QString()).trimmed().toLower();
  if (text == QStringLiteral("true") || text == QStringLiteral("1")) return true;
  if (text == QStringLiteral("false") || text == QStringLiteral("0")) return false;
  return fallback;
}

bool IsIdentifier(const std::string& name) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  const auto part = [&](char c) { return letter(c) || (c >= '0' && c <= '9') || c == '_'; };
  return !name.empty() && letter(name.front()) && std::all_of(name.begin(), name.end(), part);
}

std::optional<QRect> WindowOf(const QSettings& settings) {
  const auto x = Number(settings, kX), y = Number(settings, kY);
  const auto width = Number(settings, kWidth), height = Number(settings, kHeight);
  if (!x || !y || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  const auto coordinate = [](qint64 v) {
    return static_cast<int>(std::clamp(v, -kMaxCoordinate, kMaxCoordinate));
  };
  const auto side = [](qint64 v) { return static_cast<int>(std::min(v, kMaxWindowSide)); };
  return QRect(coordinate(*x), coordinate(*y), side(*width), side(*height));
}

std::vector<std::string> RecentOf(QSettings& settings) {
  std::vector<std::string> paths;
  const int size = std::min(settings.beginReadArray(kRecent), kMaxRecentLooked);
  for (int i = 0; i < size; ++i) {
    settings.setArrayIndex(i);
    const QVariant value = settings.value(kRecentPath);
    const int type = value.metaType().id();
    if (type != QMetaType::QByteArray && type != QMetaType::QString) continue;
    const QByteArray path = value.toByteArray();
    if (path.size() <= kMaxPathLength) paths.push_back(path.toStdString());
  }
  settings.endArray();
  RecentFiles recent;
  recent.Restore(paths);
  return recent.Paths();
}

ExportChoices ExportChoicesOf(const QSettings& settings) {
  ExportChoices choices;
  ExportRequest& request = choices.request;
  if (const auto format = Text(settings, kFormat);
      format && IsExportFormat(format->toStdString())) {
    request.format = format->toStdString();
  }
  TextExportOptions& text = request.text;
  if (const auto prefix = Text(settings, kLabelPrefix);
      prefix && IsIdentifier(prefix->toStdString())) {
    text.labelPrefix = prefix->toStdString();
  }
  if (const auto segment = Text(settings, kSegment);
      segment && IsCa65SegmentName(segment->toStdString())) {
    text.segment = segment->toStdString();
  }
  if (const auto base = Text(settings, kNumberBase)) {
    text.numberBase = NumberBaseFromId(base->toStdString());
  }
  if (const int perLine = Clamped(settings, kBytesPerLine, 0, kMaxBytesPerLine, 0); perLine > 0) {
    text.bytesPerLine = perLine;
  }
  text.attributes = Flag(settings, kAttributes, text.attributes);
  text.colourComment = Flag(settings, kColourComment, text.colourComment);
  PngExportOptions& png = request.png;
  png.scale = Clamped(settings, kScale, 1, kMaxPngScale, png.scale);
  png.columns = Clamped(settings, kColumns, 1, kSpriteCount, png.columns);
  png.expand = Flag(settings, kExpand, png.expand);
  // A negative address is the written form of "none chosen".
  if (const auto address = Number(settings, kLoadAddress); address && *address >= 0) {
    request.loadAddress = static_cast<std::uint16_t>(std::min(*address, kMaxLoadAddress));
  }
  const QString range = Text(settings, kRange).value_or(QString());
  for (const auto& [value, name] : kRangeNames) {
    if (range == QLatin1String(name.data(), static_cast<qsizetype>(name.size()))) {
      choices.range = value;
    }
  }
  choices.first = Clamped(settings, kFirst, 0, kLastSprite, choices.first);
  choices.last = Clamped(settings, kLast, 0, kLastSprite, choices.last);
  choices.path = Text(settings, kPath, kMaxPathLength).value_or(QString());
  return choices;
}

}  // namespace

RememberedSettings ReadRememberedSettings(QSettings& settings) {
  RememberedSettings remembered;
  remembered.window = WindowOf(settings);
  remembered.maximized = Flag(settings, kMaximized, false);
  // Below the least size means "fit", as 0 does.
  const int cell = Clamped(settings, kCellSize, 0, kMaxCellSize, 0);
  remembered.cellSize = cell < kMinCellSize ? 0 : cell;
  remembered.grid = Flag(settings, kGrid, true);
  remembered.toolBar = Flag(settings, kToolBar, true);
  if (const auto name = Text(settings, kPalette)) {
    remembered.palette = PaletteNamed(name->toStdString()).value_or(0);
  }
  remembered.tool = Text(settings, kTool).value_or(QString());
  const QString folder = Text(settings, kFolder, kMaxPathLength).value_or(QString());
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) remembered.folder = folder;
  remembered.exportChoices = ExportChoicesOf(settings);
  remembered.recentFiles = RecentOf(settings);
  return remembered;
}

void WriteRememberedSettings(QSettings& settings, const RememberedSettings& remembered) {
  if (remembered.window) {
    settings.setValue(kX, remembered.window->x());
    settings.setValue(kY, remembered.window->y());
    settings.setValue(kWidth, remembered.window->width());
    settings.setValue(kHeight, remembered.window->height());
  }
  settings.setValue(kMaximized, remembered.maximized);
  settings.setValue(kCellSize, remembered.cellSize);
  settings.setValue(kGrid, remembered.grid);
  settings.setValue(kToolBar, remembered.toolBar);
  const std::string_view palette =
      kPalettes[std::clamp(remembered.palette, 0, kPaletteCount - 1)].name;
  settings.setValue(kPalette,
                    QString::fromLatin1(palette.data(), static_cast<qsizetype>(palette.size())));
  settings.setValue(kTool, remembered.tool);
  settings.setValue(kFolder, remembered.folder);

  const ExportChoices& choices = remembered.exportChoices;
  const ExportRequest& request = choices.request;
  settings.setValue(kFormat, QString::fromStdString(request.format));
  settings.setValue(kLabelPrefix, QString::fromStdString(request.text.labelPrefix));
  settings.setValue(kSegment, QString::fromStdString(request.text.segment));
  const std::string_view base =
      request.text.numberBase ? NumberBaseId(*request.text.numberBase) : std::string_view();
  settings.setValue(kNumberBase,
                    QString::fromLatin1(base.data(), static_cast<qsizetype>(base.size())));
  settings.setValue(kBytesPerLine, request.text.bytesPerLine.value_or(0));
  settings.setValue(kAttributes, request.text.attributes);
  settings.setValue(kColourComment, request.text.colourComment);
  settings.setValue(kScale, request.png.scale);
  settings.setValue(kColumns, request.png.columns);
  settings.setValue(kExpand, request.png.expand);
  settings.setValue(kLoadAddress, request.loadAddress ? int{*request.loadAddress} : -1);
  for (const auto& [value, name] : kRangeNames) {
    if (choices.range == value) {
      settings.setValue(kRange,
                        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
  }
  settings.setValue(kFirst, choices.first);
  settings.setValue(kLast, choices.last);
  settings.setValue(kPath, choices.path);

  settings.remove(kRecent);
  settings.beginWriteArray(kRecent, static_cast<int>(remembered.recentFiles.size()));
  for (int i = 0; i < static_cast<int>(remembered.recentFiles.size()); ++i) {
    settings.setArrayIndex(i);
    // As bytes: a file name need not be valid UTF-8.
    settings.setValue(kRecentPath, QByteArray::fromStdString(remembered.recentFiles[i]));
  }
  settings.endArray();
  settings.sync();
}

}  // namespace kelvane
