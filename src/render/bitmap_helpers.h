// Small operations on the program's 24-bit working bitmaps (QImage::Format_BGR888:
// 3 bytes a pixel, blue, green, red in memory) and their canvas (QPainter).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>

#include "render/bitmap_color.h"

inline constexpr QImage::Format kBitmapFormat = QImage::Format_BGR888;

// A fresh 24-bit bitmap, white as a new canvas is.
QImage NewBitmap(int width, int height);

// Makes Bitmap a 24-bit bitmap of the given size; a bitmap of another size or
// format is replaced by a black one.
void EnsureBitmap(QImage& Bitmap, int width, int height);

// Nearest integer, ties to even (the rounding the drawing formulas are defined with);
// saturates at +-2^30 and gives 0 for NaN, so a wild value never overflows.
int RoundEven(long double v);

// Integer part (toward zero), saturating like RoundEven.
int TruncateToInt(long double v);

// The rectangle with left, top, right and bottom edges; right and bottom are
// excluded, as the canvas fills.
QRect RectLTRB(int left, int top, int right, int bottom);

// Solid fills of the whole paint device or of Rect. The canvas's brush is left as it was.
void FillBitmap(QPainter& Canvas, ColorRef Color);
void FillBitmapRect(QPainter& Canvas, ColorRef Color, const QRect& Rect);

// A 1-pixel pen of the colour and style (solid, dotted, dash-dot).
QPen CanvasPen(ColorRef Color, Qt::PenStyle Style);

// The ellipse inside the rectangle with left, top, right and bottom edges, right
// and bottom excluded (its outline spans columns left ... right - 1), drawn with
// the canvas's current pen and brush.
void DrawEllipseLTRB(QPainter& Canvas, int left, int top, int right, int bottom);

// Block copy of Source into Target with its top-left corner at At, clipped to
// Target; Source is converted to Target's format when they differ.
void DrawBitmap(QImage& Target, QPoint At, const QImage& Source);

// Source with every pixel of its bottom-left pixel's colour made fully transparent
// (ARGB32), for drawing with the canvas so that those pixels are left out.
QImage TransparentFromBottomLeft(const QImage& Source);
