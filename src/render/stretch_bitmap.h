// TStretchBitmap maps an axis-aligned rectangle of a source bitmap onto any
// parallelogram of a target bitmap by integer edge walks, copying whole pixels
// (nearest sample, no blending). Rotation and scaling are two choices of the
// target parallelogram.
//
// Both bitmaps must be QImage::Format_BGR888. A failed check is reported through
// the BitmapErrorReporter and leaves the target untouched.
#pragma once

#include <QImage>
#include <QPoint>

#include "render/bitmap_color.h"
#include "render/bitmap_error_reporter.h"

// Three corners of a plane, in pixels (x to the right, y downwards): P0 the
// origin, P1 the end of the x edge, P2 the end of the y edge.
struct PlanePoints {
  QPoint P0, P1, P2;
};

class TStretchBitmap {
 public:
  explicit TStretchBitmap(BitmapErrorReporter& Reporter) : Reporter(Reporter) {}

  const QImage* Source = nullptr;  // not owned
  QImage* Target = nullptr;        // not owned; must not be Source
  bool ResizeTarget = true;        // size Target to the parallelogram's bounding box
  ColorRef BackgroundColor = kWhite;
  PlanePoints SourcePlane;  // P1 on the row of P0, P2 in the column of P0
  PlanePoints TargetPlane;  // where P0, P1 and P2 land

  // Maps SourcePlane onto TargetPlane; false (after a message) when a check fails.
  bool MapPlanes();
  // Maps the whole source turned counter-clockwise on screen by Angle degrees.
  bool RotatePlane(float Angle);

 private:
  bool Fail(const char* message);
  bool CheckBitmaps();
  bool CheckSourcePlane();
  bool PrepareTarget();

  BitmapErrorReporter& Reporter;
};

// A plane coordinate from a computed value: the value truncated toward zero, or a
// value that MapPlanes rejects when it is not finite or lies beyond any bitmap.
int PlaneCoordinate(long double v);
