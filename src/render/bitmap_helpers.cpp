#include "render/bitmap_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

QImage NewBitmap(int width, int height) {
  QImage bitmap(width, height, kBitmapFormat);
  bitmap.fill(Qt::white);
  return bitmap;
}

void EnsureBitmap(QImage& Bitmap, int width, int height) {
  if (Bitmap.format() == kBitmapFormat && Bitmap.width() == width && Bitmap.height() == height) return;
  Bitmap = QImage(width, height, kBitmapFormat);
  Bitmap.fill(Qt::black);
}

namespace {

// Far outside any bitmap the exact value no longer matters; the canvas clips.
long double Saturated(long double v) {
  constexpr long double kFar = 1 << 30;
  return std::isnan(v) ? 0 : std::clamp(v, -kFar, kFar);
}

}  // namespace

int RoundEven(long double v) { return static_cast<int>(std::nearbyint(Saturated(v))); }

int TruncateToInt(long double v) { return static_cast<int>(Saturated(v)); }

QRect RectLTRB(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

void FillBitmap(QPainter& Canvas, ColorRef Color) {
  const QPaintDevice* device = Canvas.device();
  FillBitmapRect(Canvas, Color, QRect(0, 0, device->width(), device->height()));
}

void FillBitmapRect(QPainter& Canvas, ColorRef Color, const QRect& Rect) {
  Canvas.fillRect(Rect, ToQColor(Color));
}

QPen CanvasPen(ColorRef Color, Qt::PenStyle Style) { return QPen(ToQColor(Color), 1, Style); }

void DrawEllipseLTRB(QPainter& Canvas, int left, int top, int right, int bottom) {
  Canvas.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
}

void DrawBitmap(QImage& Target, QPoint At, const QImage& Source) {
  if (Source.isNull() || Target.isNull()) return;
  const QImage converted = Source.format() == Target.format() ? Source : Source.convertToFormat(Target.format());
  const QRect area = QRect(At, converted.size()).intersected(Target.rect());
  if (area.isEmpty()) return;
  const int bytesPerPixel = Target.depth() / 8;
  const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * bytesPerPixel;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const uchar* from = converted.constScanLine(y - At.y()) + (area.left() - At.x()) * bytesPerPixel;
    std::memcpy(Target.scanLine(y) + area.left() * bytesPerPixel, from, rowBytes);
  }
}

QImage TransparentFromBottomLeft(const QImage& Source) {
  QImage result = Source.convertToFormat(QImage::Format_ARGB32);
  if (result.isNull()) return result;
  const QRgb transparent = result.pixel(0, result.height() - 1);
  for (int y = 0; y < result.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if (row[x] == transparent) row[x] = 0;
  }
  return result;
}
