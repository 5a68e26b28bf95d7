#include "render/PngImport.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "files/ColourNames.h"
#include "model/EditorState.h"
#include "render/C64Palette.h"
#include "render/SheetScaleMark.h"

namespace kelvane {
namespace {

constexpr std::uint8_t kClear = kColourCount;  // a transparent pixel, after the 16 colours
constexpr int kOpaqueAlpha = 128;
constexpr std::uint8_t kNoOwnColour = SpriteColour(kDefaultAttribute);

using Counts = std::array<long, kColourCount + 1>;

std::uint8_t NearestColour(QRgb rgb) {
  if (qAlpha(rgb) < kOpaqueAlpha) return kClear;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < kColourCount; ++i) {
    const QRgb entry = PaletteRgb(i);
    const long dr = qRed(rgb) - qRed(entry);
    const long dg = qGreen(rgb) - qGreen(entry);
    const long db = qBlue(rgb) - qBlue(entry);
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

// The picture as palette indices (or kClear), one byte a pixel.
struct Indexed {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Indexed ToIndexed(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  Indexed indexed{argb.width(), argb.height(), {}};
  indexed.pixels.resize(static_cast<std::size_t>(indexed.width) * indexed.height);
  std::unordered_map<QRgb, std::uint8_t> seen;  // pictures hold few colours
  for (int y = 0; y < indexed.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < indexed.width; ++x) {
      auto [entry, added] = seen.try_emplace(line[x], 0);
      if (added) entry->second = NearestColour(line[x]);
      indexed.pixels[static_cast<std::size_t>(y) * indexed.width + x] = entry->second;
    }
  }
  return indexed;
}

// The first pixel that differs from its block's top-left pixel at scale, or nullopt.
std::optional<std::pair<int, int>> BreaksScale(const Indexed& picture, int scale) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) != picture.At(x - x % scale, y - y % scale)) return std::pair{x, y};
    }
  }
  return std::nullopt;
}

Indexed Downscaled(const Indexed& picture, int scale) {
  Indexed small{picture.width / scale, picture.height / scale, {}};
  small.pixels.reserve(static_cast<std::size_t>(small.width) * small.height);
  for (int y = 0; y < small.height; ++y) {
    for (int x = 0; x < small.width; ++x) small.pixels.push_back(picture.At(x * scale, y * scale));
  }
  return small;
}

std::string ColourText(int colour) {
  return std::string(ColourName(colour)) + " (" + std::to_string(colour) + ")";
}

class SheetReader {
 public:
  SheetReader(const std::string& path, const PngImportOptions& options)
      : path_(path), options_(options) {}

  Result<SpriteSet> Read(const QImage& sheet) {
    if (sheet.isNull()) return Refuse("the picture is empty");
    Indexed picture = ToIndexed(sheet);
    if (picture.width % kHiresColumns != 0 || picture.height % kSpriteRows != 0) {
      return Refuse(Size(picture) + ", not a whole number of 24 x 21 cells");
    }
    if (auto problem = ChooseScale(picture, MarkedSheetScale(sheet))) return Refuse(*problem);
    cells_ = Downscaled(picture, scale_);
    columns_ = cells_.width / kHiresColumns;
    cellCount_ = columns_ * (cells_.height / kSpriteRows);
    while (cellCount_ > 0 && IsClearCell(cellCount_ - 1)) --cellCount_;
    if (cellCount_ == 0) return Refuse("every cell is transparent: there is no sprite");

    FindBackground();
    multiColour_.resize(cellCount_);
    for (int cell = 0; cell < cellCount_; ++cell) multiColour_[cell] = !SingleWidthPixel(cell);
    FindMultiColours();

    SpriteSet set;
    set.format = std::string(kPngFormatId);
    set.colours = colours_;
    for (int cell = 0; cell < cellCount_; ++cell) {
      auto record = multiColour_[cell] ? ReadMultiColour(cell) : ReadHires(cell);
      if (!record) return record.error();
      set.records.push_back(*record);
    }
    return set;
  }

 private:
  FileError Refuse(const std::string& reason) const {
    return FileError{path_, FileProblem::Format, reason};
  }
  static std::string Size(const Indexed& picture) {
    return "the picture is " + std::to_string(picture.width) + " x " +
           std::to_string(picture.height) + " pixels";
  }

  // An error message if the scale given does not fit, or none can be found. A scale the sheet
  // is marked with is taken where it fits.
  std::optional<std::string> ChooseScale(const Indexed& picture, std::optional<int> marked) {
    const int fit = std::gcd(picture.width / kHiresColumns, picture.height / kSpriteRows);
    if (options_.scale) {
      scale_ = *options_.scale;
      if (scale_ < 1 || fit % scale_ != 0) {
        return Size(picture) + ", not a whole number of 24 x 21 cells at scale " +
               std::to_string(scale_);
      }
      if (const auto pixel = BreaksScale(picture, scale_)) {
        const int cell =
            (pixel->second / (kSpriteRows * scale_)) * (picture.width / (kHiresColumns * scale_)) +
            pixel->first / (kHiresColumns * scale_);
        return CellName(cell, picture.width / (kHiresColumns * scale_)) + ": the pixel at " +
               Point(pixel->first, pixel->second) + " differs from the rest of its " +
               std::to_string(scale_) + " x " + std::to_string(scale_) + " block";
      }
      return std::nullopt;
    }
    if (marked && fit % *marked == 0 && !BreaksScale(picture, *marked)) {
      scale_ = *marked;
      return std::nullopt;
    }
    for (scale_ = fit; scale_ > 1; --scale_) {
      if (fit % scale_ == 0 && !BreaksScale(picture, scale_)) break;
    }
    return std::nullopt;
  }

  static std::string CellName(int cell, int columns) {
    return "cell " + std::to_string(cell) + " (column " + std::to_string(cell % columns) +
           ", row " + std::to_string(cell / columns) + ")";
  }
  std::string CellName(int cell) const { return CellName(cell, columns_); }
  static std::string Point(int x, int y) { return std::to_string(x) + ", " + std::to_string(y); }

  int Left(int cell) const { return (cell % columns_) * kHiresColumns; }
  int Top(int cell) const { return (cell / columns_) * kSpriteRows; }
  std::uint8_t Pixel(int cell, int c, int r) const {
    return cells_.At(Left(cell) + c, Top(cell) + r);
  }
  // Where (c, r) of cell starts in the picture as given.
  std::string PicturePoint(int cell, int c, int r) const {
    return Point((Left(cell) + c) * scale_, (Top(cell) + r) * scale_);
  }

  bool IsClearCell(int cell) const {
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int c = 0; c < kHiresColumns; ++c) {
        if (Pixel(cell, c, r) != kClear) return false;
      }
    }
    return true;
  }

  // Decides the background, then makes every transparent pixel of the sprites background.
  void FindBackground() {
    if (options_.colours) {
      colours_ = *options_.colours;
      for (std::uint8_t& colour : colours_) colour &= kColourIndexMask;
    } else {
      Counts counts{};
      for (int cell = 0; cell < cellCount_; ++cell) CountCell(cell, counts);
      const auto opaque = std::max_element(counts.begin(), counts.begin() + kColourCount);
      colours_[0] = counts[kClear] > *opaque ? kInitialPenColours[kTransparentPen]
                                             : static_cast<std::uint8_t>(opaque - counts.begin());
    }
    for (int cell = 0; cell < cellCount_; ++cell) {
      for (int r = 0; r < kSpriteRows; ++r) {
        for (int c = 0; c < kHiresColumns; ++c) {
          std::uint8_t& pixel =
              cells_
                  .pixels[static_cast<std::size_t>(Top(cell) + r) * cells_.width + Left(cell) + c];
          if (pixel == kClear) pixel = colours_[0];
        }
      }
    }
  }

  void CountCell(int cell, Counts& counts) const {
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int c = 0; c < kHiresColumns; ++c) ++counts[Pixel(cell, c, r)];
    }
  }

  // The first column of a pixel narrower than a multi-colour pixel, or nullopt.
  std::optional<std::pair<int, int>> SingleWidthPixel(int cell) const {
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int c = 0; c < kHiresColumns; c += 2) {
        if (Pixel(cell, c, r) != Pixel(cell, c + 1, r)) return std::pair{c, r};
      }
    }
    return std::nullopt;
  }

  void FindMultiColours() {
    if (options_.colours) return;
    Counts counts{};
    for (int cell = 0; cell < cellCount_; ++cell) {
      if (multiColour_[cell]) CountCell(cell, counts);
    }
    counts[colours_[0]] = 0;
    std::array<int, kColourCount> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&counts](int a, int b) { return counts[a] > counts[b]; });
    colours_[1] = counts[order[0]] > 0 ? order[0] : kInitialPenColours[kMultiColour1Pen];
    colours_[2] = counts[order[1]] > 0 ? order[1] : kInitialPenColours[kMultiColour2Pen];
  }

  // The colours of cell other than those in known, in order of first appearance.
  std::vector<std::uint8_t> OtherColours(int cell, std::span<const std::uint8_t> known) const {
    std::vector<std::uint8_t> others;
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int c = 0; c < kHiresColumns; ++c) {
        const std::uint8_t colour = Pixel(cell, c, r);
        if (std::find(known.begin(), known.end(), colour) == known.end() &&
            std::find(others.begin(), others.end(), colour) == others.end()) {
          others.push_back(colour);
        }
      }
    }
    return others;
  }

  Result<SpriteRecord> ReadMultiColour(int cell) const {
    const std::vector<std::uint8_t> own = OtherColours(cell, colours_);
    if (own.size() > 1) {
      return Refuse(CellName(cell) +
                    " is multi-colour but has more than one colour besides the shared ones: " +
                    ColourText(own[0]) + " and " + ColourText(own[1]));
    }
    const std::uint8_t colour = own.empty() ? kNoOwnColour : own[0];
    SpriteRecord record{};
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int m = 0; m < kMultiColumns; ++m) {
        const std::uint8_t pixel = Pixel(cell, 2 * m, r);
        // The first match wins where shared colours are equal: background before the others.
        const int pen = pixel == colours_[0]   ? kTransparentPen
                        : pixel == colours_[1] ? kMultiColour1Pen
                        : pixel == colours_[2] ? kMultiColour2Pen
                                               : kSpriteColourPen;
        record[r * kRowBytes + m / 4] |= static_cast<std::uint8_t>(pen << (6 - 2 * (m % 4)));
      }
    }
    record[kAttributeOffset] = static_cast<std::uint8_t>(kMultiColourFlag | colour);
    return record;
  }

  Result<SpriteRecord> ReadHires(int cell) const {
    const std::array<std::uint8_t, 1> background{colours_[0]};
    const std::vector<std::uint8_t> own = OtherColours(cell, background);
    if (own.size() > 1) {
      const auto [c, r] = *SingleWidthPixel(cell);
      return Refuse(CellName(cell) + " is hi-res (the pixel at " + PicturePoint(cell, c, r) +
                    " is single-width) but has more than one colour besides the background: " +
                    ColourText(own[0]) + " and " + ColourText(own[1]));
    }
    SpriteRecord record{};
    for (int r = 0; r < kSpriteRows; ++r) {
      for (int c = 0; c < kHiresColumns; ++c) {
        if (Pixel(cell, c, r) != colours_[0]) {
          record[r * kRowBytes + c / kBitsPerByte] |=
              static_cast<std::uint8_t>(0x80 >> (c % kBitsPerByte));
        }
      }
    }
    // A hi-res cell has a pixel pair of two colours, so at least one is not the background.
    record[kAttributeOffset] = own.empty() ? kNoOwnColour : own[0];
    return record;
  }

  const std::string& path_;
  const PngImportOptions& options_;
  int scale_ = 1;
  Indexed cells_;  // the picture at one pixel a hi-res pixel
  int columns_ = 0;
  int cellCount_ = 0;
  std::vector<bool> multiColour_;
  SharedColours colours_{};
};

}  // namespace

Result<SpriteSet> ImportSpriteSheet(const QImage& sheet, const std::string& path,
                                    const PngImportOptions& options) {
  return SheetReader(path, options).Read(sheet);
}

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

Result<SpriteSet> ImportPng(const FileImage& file, const PngImportOptions& options) {
  if (!HasPngSignature(file.bytes)) {
    return FileError{file.path, FileProblem::Format, "not a PNG picture"};
  }
  QImage sheet;
  const QByteArrayView bytes(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
  if (!sheet.loadFromData(bytes, "PNG")) {
    return FileError{file.path, FileProblem::Format, "the PNG picture is damaged or too large"};
  }
  return ImportSpriteSheet(sheet, file.path, options);
}

}  // namespace kelvane
