#include "astro/moon_sky_events.h"

#include "astro/crossing_search.h"
#include "astro/local_sky.h"
#include "astro/lunar_series.h"

namespace {

// Two hours: the Moon's hour angle runs through 360 degrees in about 24.8 hours, so a
// step finds at most one pass of zero or of the +-180 wrap.
constexpr double kTransitScanStep = 2.0 / 24.0;

}  // namespace

HorizontalPosition MoonAltAz(double instant, long double Latitude, long double EastLongitude, int HeightM) {
  const MoonRaDec m = MoonRaDecParallax(instant);
  return TopocentricAltAz(instant, m.RightAscension, m.Declination, m.HorizontalParallax, Latitude, EastLongitude,
                          HeightM);
}

std::optional<double> MoonTransit(double from, double to, long double EastLongitude) {
  const auto hourAngle = [&](double t) {
    return LocalHourAngleDeg(t, MoonRaDecParallax(t).RightAscension, EastLongitude);
  };
  // The hour angle rises through zero at the transit and jumps from +180 to -180 at
  // the lower transit; only the first is a rising crossing.
  for (const Crossing& c : FindCrossings(hourAngle, from, to, kTransitScanStep))
    if (c.Rising) return c.Instant;
  return std::nullopt;
}
