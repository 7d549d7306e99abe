// Helpers of the rendering tests and benchmarks: a recorder of the bitmap mapper's
// messages, a fixed time zone, pictures whose pixels say where they came from, and
// pixel reads in the program's 0x00BBGGRR colour order. Header-only so that the
// benchmarks can use it too.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "astro/time_scales.h"
#include "support/fixed_zone.h"
#include "render/bitmap_color.h"
#include "render/bitmap_error_reporter.h"

class RecordingBitmapErrorReporter : public BitmapErrorReporter {
 public:
  void Report(const QString& message) override { Messages.push_back(message); }
  std::vector<QString> Messages;
};


// The colour at (x, y) of a Format_BGR888 bitmap, read from its bytes (blue,
// green, red in memory).
inline ColorRef PixelAt(const QImage& bitmap, int x, int y) {
  const uchar* p = bitmap.constScanLine(y) + 3 * x;
  return RGBColor(p[2], p[1], p[0]);
}

inline void SetPixel(QImage& bitmap, int x, int y, ColorRef color) {
  uchar* p = bitmap.scanLine(y) + 3 * x;
  p[0] = static_cast<uchar>(BlueOf(color));
  p[1] = static_cast<uchar>(GreenOf(color));
  p[2] = static_cast<uchar>(RedOf(color));
}

// A 24-bit picture whose every pixel encodes its own position (x and y up to 4095),
// so that a mapped picture tells for each pixel which source pixel it got.
inline QImage MakeCoordinateBitmap(int width, int height) {
  QImage bitmap(width, height, QImage::Format_BGR888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel(bitmap, x, y, RGBColor((x >> 8) | (y >> 8) << 4, y & 0xFF, x & 0xFF));
  return bitmap;
}

// The source position encoded in a pixel of MakeCoordinateBitmap.
inline QPoint CoordinateOf(ColorRef pixel) {
  const int high = RedOf(pixel);
  return QPoint(BlueOf(pixel) | (high & 0x0F) << 8, GreenOf(pixel) | (high >> 4) << 8);
}

// A 24-bit bitmap of one colour.
inline QImage MakeSolidBitmap(int width, int height, ColorRef color) {
  QImage bitmap(width, height, QImage::Format_BGR888);
  bitmap.fill(ToQColor(color));
  return bitmap;
}

// A Moon frame: black sky, a light grey (150, unlike the overlays' grey 128) disc
// of radius 0.4 size in the middle and an orange square of side 0.1 size on the
// disc's northern part.
inline constexpr ColorRef kDiscColor = RGBColor(150, 150, 150);
inline constexpr ColorRef kNorthMark = RGBColor(250, 120, 0);

inline QImage MakeMarkedDiscFrame(int size) {
  QImage frame = MakeSolidBitmap(size, size, kBlack);
  const double r = 0.4 * size, c = size / 2.0, half = 0.05 * size, north = 0.2 * size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      if (std::fabs(dx) <= half && std::fabs(y + 0.5 - north) <= half)
        SetPixel(frame, x, y, kNorthMark);
      else if (dx * dx + dy * dy <= r * r)
        SetPixel(frame, x, y, kDiscColor);
    }
  return frame;
}

// How many pixels of a rectangle (clipped to the bitmap) have exactly this colour.
inline int CountColor(const QImage& bitmap, const QRect& area, ColorRef color) {
  const QRect clipped = area.intersected(bitmap.rect());
  int count = 0;
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x) count += PixelAt(bitmap, x, y) == color;
  return count;
}

