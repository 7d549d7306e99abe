#include "astro/twilight.h"

#include <algorithm>

#include "astro/local_sky.h"
#include "astro/sun_position.h"

namespace {

// Ten minutes: the Sun cannot dip below an altitude and come back within it by more
// than a few thousandths of a degree, an appearance no almanac would list.
constexpr double kScanStep = 10.0 / 1440.0;

constexpr long double kSkyLimits[] = {kSunriseAltitude, kCivilTwilightAltitude, kNauticalTwilightAltitude,
                                      kAstronomicalTwilightAltitude};

}  // namespace

HorizontalPosition SunAltAz(double instant, long double Latitude, long double EastLongitude) {
  const SunRaDec s = SunApparentPlace(instant);
  return GeocentricAltAz(instant, s.RightAscension, s.Declination, Latitude, EastLongitude);
}

SkyKind SkyOfSunAltitude(long double altitude) {
  if (altitude >= kSunriseAltitude) return SkyKind::Day;
  if (altitude >= kCivilTwilightAltitude) return SkyKind::CivilTwilight;
  if (altitude >= kNauticalTwilightAltitude) return SkyKind::NauticalTwilight;
  if (altitude >= kAstronomicalTwilightAltitude) return SkyKind::AstronomicalTwilight;
  return SkyKind::Night;
}

std::vector<Crossing> SunCrossings(double from, double to, long double Latitude, long double EastLongitude,
                                   long double altitude) {
  return FindCrossings(
      [&](double t) { return SunAltAz(t, Latitude, EastLongitude).Altitude - altitude; }, from, to, kScanStep);
}

std::vector<SkySpan> SkySpans(double from, double to, long double Latitude, long double EastLongitude) {
  const auto altitude = [&](double t) { return SunAltAz(t, Latitude, EastLongitude).Altitude; };
  std::vector<double> cuts{from, to};
  // One scan of the altitude; only a step where it passes a limit is searched further.
  double t0 = from;
  long double a0 = altitude(t0);
  while (t0 < to) {
    const double t1 = std::min(t0 + kScanStep, to);
    const long double a1 = altitude(t1);
    for (const long double limit : kSkyLimits)
      if ((a0 < limit) != (a1 < limit))
        for (const Crossing& c : FindCrossings([&](double t) { return altitude(t) - limit; }, t0, t1, t1 - t0))
          cuts.push_back(c.Instant);
    t0 = t1;
    a0 = a1;
  }
  std::sort(cuts.begin(), cuts.end());
  std::vector<SkySpan> spans;
  for (std::size_t i = 1; i < cuts.size(); ++i) {
    if (cuts[i] <= cuts[i - 1]) continue;
    const SkyKind kind = SkyOfSunAltitude(altitude((cuts[i - 1] + cuts[i]) / 2));
    if (!spans.empty() && spans.back().Kind == kind)
      spans.back().To = cuts[i];
    else
      spans.push_back({cuts[i - 1], cuts[i], kind});
  }
  return spans;
}
