#include "astro/horizon_scan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "astro/coordinates.h"
#include "astro/lunar_series.h"
#include "astro/rise_set.h"

namespace {

constexpr long double kRadiansPerDegree = 0.017453292519943295769L;

// Sidereal degrees per solar day (Meeus, ch. 15).
constexpr long double kSiderealRate = 360.985647L;

// Four-hour places from one step before the day to one step after it.
constexpr int kPlaceStepsPerDay = 6;
constexpr int kPlaces = kPlaceStepsPerDay + 3;
constexpr long double kPlaceStep = 1.0L / kPlaceStepsPerDay;

// Ten-minute altitude steps: the Moon's altitude bends so little within one that
// an appearance shorter than it would top the standard altitude by a few
// thousandths of a degree at most, less than the lunar theory can tell.
constexpr int kAltitudeSteps = 144;

// A tenth of a second, in days.
constexpr long double kBisectionLimit = 0.1L / 86400.0L;

// The Moon's place through one day, right ascension kept on one branch.
struct MoonTrack {
  long double SiderealTime;  // at the day's start, degrees
  long double Latitude;
  long double WestLongitude;
  std::array<MoonRaDec, kPlaces> Places;  // Start + (k - 1) * kPlaceStep
};

MoonTrack TabulateTrack(double Start, long double Latitude, long double WestLongitude) {
  MoonTrack track{GreenwichApparentSiderealTime(false, Start), Latitude, WestLongitude, {}};
  for (int k = 0; k < kPlaces; ++k) {
    MoonRaDec p = MoonRaDecParallax(Start + (k - 1) * kPlaceStep);
    if (k > 0)
      p.RightAscension +=
          360.0L * std::round((track.Places[k - 1].RightAscension - p.RightAscension) / 360.0L);
    if (!(std::isfinite(p.RightAscension) && std::isfinite(p.Declination) &&
          std::isfinite(p.HorizontalParallax)))
      throw std::domain_error("the Moon's place is not finite");
    track.Places[k] = p;
  }
  if (!std::isfinite(track.SiderealTime)) throw std::domain_error("the sidereal time is not finite");
  return track;
}

// Height of the Moon's centre above the standard altitude, degrees, m days after the start.
long double AboveStandardAltitude(const MoonTrack& track, long double m) {
  const long double x = m / kPlaceStep + 1.0L;
  const int c = std::clamp(static_cast<int>(std::lround(x)), 1, kPlaces - 2);
  const long double n = x - c;
  const MoonRaDec &a = track.Places[c - 1], &b = track.Places[c], &d = track.Places[c + 1];
  const long double alpha = InterpolateThree(a.RightAscension, b.RightAscension, d.RightAscension, n);
  const long double delta = InterpolateThree(a.Declination, b.Declination, d.Declination, n);
  const long double parallax =
      InterpolateThree(a.HorizontalParallax, b.HorizontalParallax, d.HorizontalParallax, n);
  const long double hourAngle = track.SiderealTime + kSiderealRate * m - track.WestLongitude - alpha;
  const long double altitude =
      AltitudeFromHourAngle(hourAngle * kRadiansPerDegree, delta * kRadiansPerDegree,
                            track.Latitude * kRadiansPerDegree) /
      kRadiansPerDegree;
  return altitude - MoonStandardAltitude(parallax);
}

// The crossing between lo (on the side the Moon leaves) and hi, days from the start.
long double Bisected(const MoonTrack& track, long double lo, long double hi, bool rising) {
  while (hi - lo > kBisectionLimit) {
    const long double mid = (lo + hi) / 2;
    ((AboveStandardAltitude(track, mid) < 0) == rising ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace

long double MoonStandardAltitude(long double HorizontalParallax) {
  return 0.7275L * HorizontalParallax - 34.0L / 60.0L;
}

HorizonCrossings ScanHorizonCrossings(double Start, long double Latitude, long double WestLongitude) {
  const MoonTrack track = TabulateTrack(Start, Latitude, WestLongitude);
  HorizonCrossings found{false, Start, false, Start};
  long double before = AboveStandardAltitude(track, 0);
  for (int i = 1; i <= kAltitudeSteps && !(found.HasRise && found.HasSet); ++i) {
    const long double lo = (i - 1.0L) / kAltitudeSteps, hi = static_cast<long double>(i) / kAltitudeSteps;
    const long double after = AboveStandardAltitude(track, hi);
    if (before < 0 && after >= 0 && !found.HasRise)
      found = {true, static_cast<double>(Start + Bisected(track, lo, hi, true)), found.HasSet, found.Set};
    if (before >= 0 && after < 0 && !found.HasSet)
      found = {found.HasRise, found.Rise, true, static_cast<double>(Start + Bisected(track, lo, hi, false))};
    before = after;
  }
  return found;
}
