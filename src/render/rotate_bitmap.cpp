#include "render/rotate_bitmap.h"

#include <cmath>
#include "astro/angles.h"

bool RotateBitmap(QImage& Bitmap, bool Crop, ColorRef BackgroundColor, long double Angle,
                  BitmapErrorReporter& Reporter) {
  QImage work = NewBitmap(Bitmap.width(), Bitmap.height());
  TStretchBitmap mapper(Reporter);
  mapper.Source = &Bitmap;
  mapper.Target = &work;
  mapper.BackgroundColor = BackgroundColor;
  mapper.ResizeTarget = true;
  const bool mapped = mapper.RotatePlane(static_cast<float>(-Angle));
  if (!Crop) {
    Bitmap = std::move(work);
    return mapped;
  }
  // The crop bitmap starts in the background colour so that a turned picture
  // narrower than Bitmap (a wide picture turned upright) leaves no blank edges.
  QImage crop(Bitmap.width(), Bitmap.height(), kBitmapFormat);
  crop.fill(ToQColor(BackgroundColor));
  const QPoint from((work.width() - Bitmap.width()) / 2, (work.height() - Bitmap.height()) / 2);
  DrawBitmap(crop, -from, work);
  Bitmap = std::move(crop);
  return mapped;
}

bool ScaleBitmap(QImage& Bitmap, long double Factor, BitmapErrorReporter& Reporter) {
  QImage target = NewBitmap(Bitmap.width(), Bitmap.height());
  TStretchBitmap mapper(Reporter);
  mapper.Source = &Bitmap;
  mapper.Target = &target;
  mapper.BackgroundColor = kBlack;
  mapper.ResizeTarget = true;
  const int w1 = Bitmap.width() - 1, h1 = Bitmap.height() - 1;
  mapper.SourcePlane = {QPoint(0, 0), QPoint(w1, 0), QPoint(0, h1)};
  mapper.TargetPlane = {QPoint(0, 0), QPoint(PlaneCoordinate(std::nearbyint(Factor * w1)), 0),
                        QPoint(0, PlaneCoordinate(std::nearbyint(Factor * h1)))};
  const bool mapped = mapper.MapPlanes();
  Bitmap = std::move(target);
  return mapped;
}

void DrawAxisLine(QPainter& Canvas, long double Angle, long double Length) {
  const QPaintDevice* device = Canvas.device();
  const int cx = device->width() / 2, cy = device->height() / 2;
  const long double phi = Angle * kRadiansPerDegree;
  const int dx = RoundEven(Length / 2 * std::sin(phi));
  const int dy = RoundEven(Length / 2 * std::cos(phi));
  Canvas.drawLine(cx - dx, cy - dy, cx + dx, cy + dy);
}
