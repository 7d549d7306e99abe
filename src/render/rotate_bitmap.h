// Turning, scaling and axis lines for the Moon view, on 24-bit bitmaps
// (QImage::Format_BGR888). The mapper behind them is TStretchBitmap; the fills and
// block copies are in bitmap_helpers.h.
#pragma once

#include <QImage>
#include <QPainter>

#include "render/bitmap_color.h"
#include "render/bitmap_error_reporter.h"
#include "render/bitmap_helpers.h"
#include "render/stretch_bitmap.h"

// Turns Bitmap clockwise on screen by Angle degrees. Without Crop, Bitmap becomes
// the whole turned picture (its bounding box); with Crop it keeps its size, cut
// from the middle of the turned picture, and the corners turned in show
// BackgroundColor. When the mapper refuses the bitmap (after its message) Bitmap
// becomes a blank 24-bit bitmap of its former size and the result is false.
bool RotateBitmap(QImage& Bitmap, bool Crop, ColorRef BackgroundColor, long double Angle,
                  BitmapErrorReporter& Reporter);

// Resizes Bitmap by Factor with whole-pixel sampling: (round(Factor (W - 1)) + 1) by
// (round(Factor (H - 1)) + 1) pixels, rounding ties to even. Below 1 source pixels
// are dropped evenly, above 1 repeated. Failure as for RotateBitmap.
bool ScaleBitmap(QImage& Bitmap, long double Factor, BitmapErrorReporter& Reporter);

// A line of Length pixels through the centre of the canvas's device with the
// canvas's current pen. Angle 0 is vertical; a positive Angle turns its upper end
// to the left (counter-clockwise), as position angles run from north through east
// on a sky picture with north up and east left.
void DrawAxisLine(QPainter& Canvas, long double Angle, long double Length);
