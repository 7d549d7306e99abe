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

#include "app/moon_record.h"
#include "render/view_options.h"

// Composes the view ViewKind (0 Moon, 1 Chart H, 2 Orbit, 3 Globe, 4 Chart V; any
// other value draws the Moon) for Instant and copies it onto Image2 (made a 730 x
// 730 24-bit bitmap if it is not one); the rest of Image2 is left as it was. Sets
// the calendar, UTCLab, LocLab, RotateBox's visibility and, for the Moon view,
// ParallacticLab. Outside 2024-2025 it draws and changes nothing. FrameTiff
// receives the TIFF frame of the other views.
ViewLabels ShowMoon(int ViewKind, long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                    const MoonViewServices& Services, const QImage& FrameJpeg, QImage& FrameTiff, QImage& Image2);

// The Moon view into Bitmap (24-bit, any size; the limb circle assumes a 730 frame).
// WideInset gives the cross an inset of 10 pixels instead of 5. Returns the text
// of ParallacticLab.
LabelText DrawMoon(QImage& Bitmap, bool WideInset, const MoonRecord& Record, const MoonViewOptions& Options,
                   const QImage& FrameJpeg, BitmapErrorReporter& Reporter);

// NASA's TIFF frame of Kind (1 and 4 the composite chart of 1920 x 1080 and 1080 x
// 1920, 3 the globe, any other the orbit) for Options.CurrentDateTime, fetched into
// FrameTiff and drawn at (0, 0) into Bitmap, which is then shrunk by Scale unless
// Scale is exactly 1. A failed fetch leaves Bitmap as it was (blank, full size).
void DrawFancy(QImage& Bitmap, int Kind, long double Scale, const MoonViewOptions& Options,
               const MoonViewServices& Services, QImage& FrameTiff);

// The tiny moon of the altitude chart: FrameJpeg shrunk by Scale, turned clockwise
// by Angle degrees and drawn on Canvas with its top-left corner at (X, Y), leaving
// out the pixels of its bottom-left pixel's colour (the black sky and corners).
// With Options.ShowLines the axis gets a blue line and the disc a circle in grey
// drawn with the canvas's current brush.
void DrawTinyMoon(QPainter& Canvas, int X, int Y, long double Scale, long double Angle, const MoonRecord& Record,
                  const MoonViewOptions& Options, const QImage& FrameJpeg, BitmapErrorReporter& Reporter);
