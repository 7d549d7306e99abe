#include "core/feature_sun_events.h"

#include <cmath>

#include "astro/selenographic_sun.h"
#include "core/covered_range.h"

namespace {

bool SunUp(double latDeg, double lonDeg, long double hour, HourValuesLookup hourValues) {
  const MoonHourValues v = hourValues(hour).Values;
  return AltitudeOverPlaceDeg(latDeg, lonDeg, static_cast<double>(v.Slat), static_cast<double>(v.Slon)) > 0;
}

}  // namespace

std::optional<long double> NextSunEvent(SunEvent event, double latDeg, double lonDeg, long double from,
                                        HourValuesLookup hourValues) {
  const bool upAfter = event == SunEvent::Sunrise;
  // Hour numbers from day 0; the small margin keeps a whole hour from rounding down to the one before.
  const long double first = std::floor(from * 24 + 1e-6L) + 1;
  if (!InCoveredRange((first - 1) / 24)) return std::nullopt;
  bool upBefore = SunUp(latDeg, lonDeg, (first - 1) / 24, hourValues);
  for (int i = 0; i < kSunEventSearchHours; ++i) {
    const long double hour = (first + i) / 24;
    if (!InCoveredRange(hour)) return std::nullopt;
    const bool up = SunUp(latDeg, lonDeg, hour, hourValues);
    if (up == upAfter && upBefore != upAfter) return hour;
    upBefore = up;
  }
  return std::nullopt;
}
