// The Moon the program draws itself when NASA's frame of the hour cannot be had:
// a 730 x 730 frame in the geometry of NASA's frames (celestial north up, east to
// the left, the disc centred at pixel (365, 365) and Diam x 0.3439 + 9.7203 pixels
// across, black sky), the LRO colour mosaic seen from the sub-Earth point and lit
// from the sub-solar point, the night side faintly lit by earthshine.
#pragma once

#include <QImage>

class QThreadPool;

#include "astro/moon_hour_values.h"
#include "nasa/nasa_tables.h"
#include "render/moon_globe.h"

inline constexpr int kDrawnFrameSize = 730;
inline constexpr int kDrawnFrameCentre = 365;

// The disc's diameter in pixels for an apparent diameter Diam in arcseconds.
inline constexpr long double kDiscPixelsPerArcsec = 0.3439L, kDiscPixelsOffset = 9.7203L;
constexpr double DrawnDiscDiameter(long double diam) {
  return static_cast<double>(diam * kDiscPixelsPerArcsec + kDiscPixelsOffset);
}
// The largest Diam whose disc fits the frame (the Moon never exceeds 2010 arcseconds).
inline constexpr long double kLargestDiam = (kDrawnFrameSize - kDiscPixelsOffset) / kDiscPixelsPerArcsec;

MoonGlobe GlobeOf(const MoonHourValues& values);

// Whether values describe a Moon that can be drawn: finite angles, a disc that fits.
bool Drawable(const MoonHourValues& values);

// The frame of the hour, 24-bit (QImage::Format_BGR888), all black for values that
// are not Drawable. The rows are shared between the calling thread and rowPool's
// threads (the program's pool for the drawn Moon), or all drawn here without one.
QImage DrawMoonFrame(const MoonHourValues& values, QThreadPool* rowPool = nullptr);
