// The left picture: the Moon's topocentric altitude for the observer over the 24
// hours before and after an instant, 15.2083 pixels an hour across and 3.4 pixels a
// degree up from the horizon at y = 365, with the tiny moon on the curve at the
// instant, turned by the parallactic angle as the Moon is seen in the sky.
#pragma once

#include <QImage>

#include "core/moon_record.h"
#include "render/view_options.h"

// The altitude, in whole degrees, of the horizontal grid line of sample i (4, 8,
// ... 44): 90, 72, 54, ... -90. The chart is square and four hours across equal 18
// degrees up, so the line lies at the row equal to the sample's column.
int ChartGridAltitude(int i);

// A chart drawn for a box and what it changes in the window.
struct ChartPicture {
  QImage Picture;  // 24-bit, Shown.DevicePixels() square, with Shown's device pixel ratio; null outside the range
  ViewLabels Labels;
};

// The chart of Instant for a box of Shown: the 730-pixel layout scaled to the box and
// drawn at the screen's resolution, its labels never under 9 logical pixels high and
// its lines at least one logical pixel wide. Record, FrameJpeg and the labels as for
// DrawPolyLine; outside the covered range the picture is null and the labels empty.
ChartPicture DrawAltitudeChart(long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                               const MoonViewServices& Services, const QImage& FrameJpeg, const ShownSize& Shown);

// Draws the chart of Instant into Image1 (made a 730 x 730 24-bit bitmap if it is
// not one). Record is the window's CurrentMoonRecord (q, Diam, AxisA), FrameJpeg
// the Moon frame of the hour. Sets the calendar, the status bar (altitude, compass
// point and azimuth at Instant) and ParallacticLab2. Outside the covered range it draws
// and changes nothing.
ViewLabels DrawPolyLine(long double Instant, const MoonRecord& Record, const MoonViewOptions& Options,
                        const MoonViewServices& Services, const QImage& FrameJpeg, QImage& Image1);
