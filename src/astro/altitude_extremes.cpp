#include "astro/altitude_extremes.h"

#include <cmath>

#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "astro/time_scales.h"

namespace {
// Date-times of 0001-01-01 and 9999-12-31, the calendar that DecodeDateTime covers.
constexpr long double kFirstDateTime = -693593.0L, kLastDateTime = 2958466.0L;
}  // namespace

AltitudeExtremes SearchAltitudeExtremes(long double CurrentDateTime,
                                        long double (*AltitudeAt)(long double instant)) {
  AltitudeExtremes extremes{CurrentDateTime, 0, CurrentDateTime, 0};
  if (!(CurrentDateTime >= kFirstDateTime && CurrentDateTime < kLastDateTime)) return extremes;
  const int year = YearOf(CurrentDateTime);
  const long double start = EncodeDate(year, 1, 1);
  const int samples = 24 * (IsLeapYear(year) ? 366 : 365) + 1;
  for (int i = 0; i < samples; ++i) {
    const long double t = start + i * (1.0L / 24.0L);
    const long double altitude = AltitudeAt(t);
    if (altitude >= extremes.MaxAltitude) {
      extremes.MaxAltitude = altitude;
      extremes.MaxInstant = t;
    } else if (altitude <= extremes.MinAltitude) {
      extremes.MinAltitude = altitude;
      extremes.MinInstant = t;
    }
  }
  return extremes;
}

long double ReferenceAltitude(long double instant) {
  const auto x = static_cast<double>(instant);
  const MoonPositionRecord moon = MoonPosition(x);
  return TopocentricAltAz(x, moon.RightAscension, moon.Declination, moon.HorizontalParallax,
                          ReferenceLatitude, ReferenceLongitude, 0)
      .Altitude;
}

AltitudeExtremes FindAltitudeExtremes(long double CurrentDateTime) {
  return SearchAltitudeExtremes(CurrentDateTime, ReferenceAltitude);
}
