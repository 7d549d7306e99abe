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
  std::vector<double> cuts{from, to};
  for (const long double limit : kSkyLimits)
    for (const Crossing& c : SunCrossings(from, to, Latitude, EastLongitude, limit)) cuts.push_back(c.Instant);
  std::sort(cuts.begin(), cuts.end());
  std::vector<SkySpan> spans;
  for (std::size_t i = 1; i < cuts.size(); ++i) {
    if (cuts[i] <= cuts[i - 1]) continue;
    const double middle = (cuts[i - 1] + cuts[i]) / 2;
    const SkyKind kind = SkyOfSunAltitude(SunAltAz(middle, Latitude, EastLongitude).Altitude);
    if (!spans.empty() && spans.back().Kind == kind)
      spans.back().To = cuts[i];
    else
      spans.push_back({cuts[i - 1], cuts[i], kind});
  }
  return spans;
}
