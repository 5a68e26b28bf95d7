// Draws the application icon's PNG sizes from its SVG at build time.
//
// Qt can only read SVG through a module we do not build with, and the icon is pixel art made of
// rectangles, so this reads the small part of SVG the icon uses and refuses everything else:
// an edit to the artwork that this cannot draw fails the build instead of drifting.
//
// Usage: kelvane_iconraster ICON.svg SIZE OUTPUT.png
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QXmlStreamReader>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Shape {
  QRectF rect;
  double rx = 0;
  double ry = 0;
  QColor fill;
};

struct Artwork {
  QRectF viewBox;
  std::vector<Shape> shapes;
};

[[noreturn]] void Fail(const QXmlStreamReader& xml, const QString& what) {
  throw std::runtime_error(
      QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(what).toStdString());
}

void RefuseUnknownAttributes(const QXmlStreamReader& xml, const QStringList& known) {
  for (const QXmlStreamAttribute& attribute : xml.attributes()) {
    if (!known.contains(attribute.name().toString())) {
      Fail(xml, QStringLiteral("<%1> attribute '%2' is not drawn")
                    .arg(xml.name().toString(), attribute.name().toString()));
    }
  }
}

double Number(const QXmlStreamReader& xml, const QString& name, std::optional<double> fallback) {
  const QStringView text = xml.attributes().value(name);
  if (text.isEmpty()) {
    if (fallback) return *fallback;
    Fail(xml, QStringLiteral("<%1> needs '%2'").arg(xml.name().toString(), name));
  }
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || value < 0) Fail(xml, QStringLiteral("'%1' is not a plain number").arg(name));
  return value;
}

QRectF ViewBox(const QXmlStreamReader& xml) {
  const QStringList parts = xml.attributes()
                                .value(QLatin1String("viewBox"))
                                .toString()
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != 4) Fail(xml, QStringLiteral("<svg> needs a viewBox of four numbers"));
  double values[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    values[i] = parts[i].toDouble(&ok);
    if (!ok) Fail(xml, QStringLiteral("viewBox '%1' is not a number").arg(parts[i]));
  }
  if (values[2] <= 0 || values[3] <= 0) Fail(xml, QStringLiteral("viewBox is empty"));
  return {values[0], values[1], values[2], values[3]};
}

Artwork Read(QIODevice& device) {
  Artwork artwork;
  QXmlStreamReader xml(&device);
  bool sawSvg = false;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString name = xml.name().toString();
    if (name == QLatin1String("svg")) {
      RefuseUnknownAttributes(xml, {"width", "height", "viewBox", "version"});
      artwork.viewBox = ViewBox(xml);
      sawSvg = true;
    } else if (!sawSvg) {
      Fail(xml, QStringLiteral("the document is not an <svg>"));
    } else if (name == QLatin1String("title") || name == QLatin1String("desc")) {
      xml.skipCurrentElement();
    } else if (name == QLatin1String("g")) {
      // Hints for other renderers; ours draws the grid-aligned shapes crisp anyway.
      RefuseUnknownAttributes(xml, {"id", "shape-rendering"});
    } else if (name == QLatin1String("rect")) {
      RefuseUnknownAttributes(xml, {"id", "x", "y", "width", "height", "rx", "ry", "fill"});
      Shape shape;
      shape.rect = QRectF(Number(xml, "x", 0.0), Number(xml, "y", 0.0),
                          Number(xml, "width", std::nullopt), Number(xml, "height", std::nullopt));
      shape.rx = Number(xml, "rx", 0.0);
      shape.ry = Number(xml, "ry", shape.rx);
      const QString fill = xml.attributes().value(QLatin1String("fill")).toString();
      shape.fill = QColor::fromString(fill);
      if (!fill.startsWith(QLatin1Char('#')) || !shape.fill.isValid()) {
        Fail(xml, QStringLiteral("fill '%1' is not a #rrggbb colour").arg(fill));
      }
      artwork.shapes.push_back(shape);
    } else {
      Fail(xml, QStringLiteral("<%1> is not drawn").arg(name));
    }
  }
  if (xml.hasError()) Fail(xml, xml.errorString());
  if (!sawSvg) throw std::runtime_error("no <svg> element");
  return artwork;
}

QImage Draw(const Artwork& artwork, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // Antialiasing only softens the rounded corners: shapes on whole units land on whole pixels at
  // every size that is a multiple of the grid.
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.scale(size / artwork.viewBox.width(), size / artwork.viewBox.height());
  painter.translate(-artwork.viewBox.topLeft());
  for (const Shape& shape : artwork.shapes) {
    painter.setBrush(shape.fill);
    if (shape.rx > 0 || shape.ry > 0) {
      painter.drawRoundedRect(shape.rect, shape.rx, shape.ry, Qt::AbsoluteSize);
    } else {
      painter.drawRect(shape.rect);
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: kelvane_iconraster ICON.svg SIZE OUTPUT.png\n", stderr);
    return 2;
  }
  const QString input = QString::fromLocal8Bit(argv[1]);
  const QString output = QString::fromLocal8Bit(argv[3]);
  bool sizeOk = false;
  const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeOk);
  if (!sizeOk || size < 1 || size > 4096) {
    std::fprintf(stderr, "kelvane_iconraster: '%s' is not a size in pixels\n", argv[2]);
    return 2;
  }
  QFile file(input);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "kelvane_iconraster: %s: %s\n", argv[1], qPrintable(file.errorString()));
    return 1;
  }
  try {
    const QImage image = Draw(Read(file), size);
    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!image.save(output, "PNG")) {
      std::fprintf(stderr, "kelvane_iconraster: cannot write %s\n", argv[3]);
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kelvane_iconraster: %s: %s\n", argv[1], error.what());
    return 1;
  }
  return 0;
}
