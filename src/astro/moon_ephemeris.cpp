#include "astro/moon_ephemeris.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "astro/delta_t.h"
#include "astro/geocentric_scene.h"
#include "astro/lunar_phases.h"
#include "astro/lunar_series.h"
#include "astro/moon_position.h"
#include "astro/moon_rotation.h"
#include "astro/vector3.h"

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kDegPerRad = 180 / kPi;
constexpr long double kLightKmPerDay = 299792.458L * 86400;
constexpr long double kMoonRadiusKm = 1737.4L;
constexpr long double kJulianDateOfDayZero = 2415018.5L;
constexpr long double kSynodicMonth = 29.530588861L;     // days
constexpr long double kFirstLunationDay = 36531.59766L;  // mean new moon of lunation 0, 2000-01-06, TT

// Elongation in ecliptic longitude of the Moon from the Sun, radians in (-pi, pi];
// zero at the true new moon.
long double LongitudeElongation(long double moonLongitude, const Matrix3& ecliptic, const Vector3& sun) {
  const Vector3 sunOfDate = ecliptic * sun;
  const long double e = std::remainder(moonLongitude - std::atan2(sunOfDate[1], sunOfDate[0]), 2 * kPi);
  return e == -kPi ? kPi : e;
}

// The elongation alone, from the series' longitude alone: the new moon needs no more.
long double ElongationAt(long double ttDay) {
  const double x = static_cast<double>(ttDay);
  const long double longitude = MoonLongitudeSeen(LunarSeriesLongitude(x), MoonApparentCorrections(x));
  return LongitudeElongation(longitude, EclipticOfDate(ttDay), SunSeenAt(ttDay).Sun);
}

// The TT instant of the true new moon of lunation k: Meeus's chapter 49 instant
// (within a minute of it, with the terms lunar_phases.h leaves out), then one
// Newton step on the elongation with the mean rate, which the true rate differs
// from by a fifth at most: about 10 s remain, 0.0001 day.
long double TrueNewMoon(long double k) {
  // Consecutive hours mostly ask for the same lunation: the last answer is kept.
  thread_local long double lastK = 0.5L, lastNewMoon = 0;
  if (k != lastK) {
    const long double guess = PhaseJulianDate(static_cast<double>(k)) - kJulianDateOfDayZero;
    lastNewMoon = guess - ElongationAt(guess) / (2 * kPi) * kSynodicMonth;
    lastK = k;
  }
  return lastNewMoon;
}

// Days from the previous true new moon to ttDay, given the elongation at ttDay.
long double MoonAge(long double ttDay, long double elongation) {
  const long double turns = elongation < 0 ? elongation / (2 * kPi) + 1 : elongation / (2 * kPi);
  long double k = std::round((ttDay - turns * kSynodicMonth - kFirstLunationDay) / kSynodicMonth);
  long double newMoon = TrueNewMoon(k);
  if (newMoon > ttDay) newMoon = TrueNewMoon(--k);
  return ttDay - newMoon;
}

// Selenographic longitude (east positive, -180 ... 180) and latitude, degrees.
void Selenographic(const Vector3& body, long double& longitude, long double& latitude) {
  longitude = std::atan2(body[1], body[0]) * kDegPerRad;
  latitude = std::asin(body[2] / Norm(body)) * kDegPerRad;
}

// Position angle of the pole (ra0, dec0) at the place (ra, dec), from north through
// east, radians in [0, 2 pi).
long double PolePositionAngle(long double ra0, long double dec0, long double ra, long double dec) {
  const long double dra = ra0 - ra;
  const long double angle = std::atan2(std::cos(dec0) * std::sin(dra),
                                       std::sin(dec0) * std::cos(dec) - std::cos(dec0) * std::sin(dec) * std::cos(dra));
  return angle < 0 ? angle + 2 * kPi : angle;
}

}  // namespace

MoonHourValues ComputeMoonHourValues(long double utcDay) { return ComputeMoonHour(utcDay).Values; }

ComputedMoonHour ComputeMoonHour(long double utcDay) {
  if (!(utcDay >= kEphemerisFirstDay && utcDay < kEphemerisEndDay))
    throw std::domain_error("Moon ephemeris: the instant lies outside 1600-01-01 ... 3999-12-31");
  const long double tt = TerrestrialTimeDay(utcDay);
  const GeocentricScene s = GeocentricSceneAt(tt);
  MoonHourValues v;

  // NASA's distance is the astrometric one: the Moon's place at the light-time
  // instant from the Earth's place at the instant of observation.
  const long double seenDistance = Norm(s.Moon);
  v.Dist = Norm(s.Moon - (seenDistance / kLightKmPerDay) * s.Seen.EarthVelocity);
  v.Diam = 2 * std::asin(kMoonRadiusKm / v.Dist) * kDegPerRad * 3600;
  long double ra = std::atan2(s.Moon[1], s.Moon[0]);
  if (ra < 0) ra += 2 * kPi;
  const long double dec = std::asin(s.Moon[2] / seenDistance);
  v.RA = ra * kDegPerRad / 15;
  v.Dec = dec * kDegPerRad;

  const Vector3 toEarth = (-1.0L) * s.Moon;
  const Vector3 toSun = s.Seen.Sun - s.Moon;
  v.Phase = 50 * (1 + Dot(toEarth, toSun) / (seenDistance * Norm(toSun)));

  // The Moon's orientation when the light left it.
  const MoonOrientation o = MoonOrientationAt(tt - seenDistance / kLightKmPerDay);
  const Matrix3 body = MoonBodyMatrix(o);
  Selenographic(body * toEarth, v.Elon, v.Elat);
  Selenographic(body * toSun, v.Slon, v.Slat);
  v.AxisA = PolePositionAngle(o.PoleRa, o.PoleDec, ra, dec) * kDegPerRad;

  v.Age = MoonAge(tt, LongitudeElongation(s.MoonLongitude, s.Ecliptic, s.Seen.Sun));
  return {v, {s.Series, static_cast<double>(tt)}};
}
