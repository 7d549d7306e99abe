// The right picture: NASA's frame of the hour as the "Show:" choice asks for it.
// For the Moon view the 730-pixel frame gets the north line (red), the Moon's axis
// (blue), the limb circle (grey) and a cross (white), and can be turned by the
// parallactic angle; the chart, orbit and globe views are NASA's TIFF frames shrunk
// to the 730-pixel box. All bitmaps are 24-bit (QImage::Format_BGR888).
//
// The record passed in is the window's CurrentMoonRecord: ParallacticAngle (q,
// degrees, positive turns the picture clockwise on screen), Diam (arcseconds) and
// AxisA (degrees from north through east) are read from it.
#pragma once

#include <QImage>
#include <QPainter>

#include "core/moon_record.h"
#include "core/view_kind.h"
#include "render/view_options.h"

// Composes the view View for Instant and copies it onto Image2 (made a 730 x 730
// 24-bit bitmap if it is not one) at the view's place; the rest of Image2 is left as
// it was. The Moon view draws FrameJpeg ("Moon from here" the frame of
// DrawMoonFrameFromHere, zenith up), the others NASA's TIFF frame of the hour,
// FrameTiff (null when it could not be had: the view's box stays black). Sets the
// calendar, UTCLab, LocLab, RotateBox's visibility and, for the Moon view,
// ParallacticLab. Outside the covered range it draws and changes nothing.
ViewLabels ShowMoon(ViewKind View, long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                    const MoonViewServices& Services, const QImage& FrameJpeg, const QImage& FrameTiff,
                    QImage& Image2);

// The Moon view into Bitmap (24-bit, any size; the limb circle assumes a 730 frame).
// WideInset gives the cross an inset of 10 pixels instead of 5. With Options.Names
// the features' names are written last, upright on the turned picture. Returns the
// text of ParallacticLab.
LabelText DrawMoon(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                   const QImage& FrameJpeg, BitmapErrorReporter& Reporter);

// The Moon view's lines, the turn and the names over Bitmap, which holds the Moon
// frame scaled to Shown (the 730-pixel frame itself for ShownSize{}). Returns the text
// of ParallacticLab.
LabelText DrawMoonOverlays(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                           const ShownSize& Shown, BitmapErrorReporter& Reporter);

// The right picture of ShowMoon for a box of Shown, for the screen: the frame of the
// view scaled smoothly to the box at the screen's resolution and, for the Moon views,
// the lines drawn over it at that size (at least one logical pixel wide) rather than
// shrunk with it. The rest of the box is black. The labels are ShowMoon's.
QImage DrawShownView(ViewKind View, const MoonRecord& Record, const MoonViewOptions& Options,
                     const QImage& FrameJpeg, const QImage& FrameTiff, const ShownSize& Shown,
                     BitmapErrorReporter& Reporter);

// NASA's TIFF frame drawn at (0, 0) into Bitmap, which is then shrunk by Scale unless
// Scale is exactly 1. A null frame leaves Bitmap as it was (blank, full size).
void DrawFancy(QImage& Bitmap, long double Scale, const QImage& FrameTiff, BitmapErrorReporter& Reporter);

// The tiny moon of the altitude chart: FrameJpeg shrunk by Scale, turned clockwise
// by Angle degrees and drawn on Canvas with its top-left corner at (X, Y), leaving
// out the pixels of its bottom-left pixel's colour (the black sky and corners).
// With Options.ShowLines the axis gets a blue line and the disc a circle in grey
// drawn with the canvas's current pen width and brush. PixelsPerUnit is the device
// pixels of one canvas pixel: the tiny moon is made at the device's resolution.
void DrawTinyMoon(QPainter& Canvas, int X, int Y, long double Scale, long double Angle, const MoonRecord& Record,
                  const MoonViewOptions& Options, const QImage& FrameJpeg, BitmapErrorReporter& Reporter,
                  qreal PixelsPerUnit = 1);
