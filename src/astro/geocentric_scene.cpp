#include "astro/geocentric_scene.h"

#include <numbers>

#include "astro/earth_vsop87.h"
#include "astro/lunar_series.h"
#include "astro/precession.h"

namespace {

constexpr long double kDegPerRad = 180 / std::numbers::pi_v<long double>;
constexpr long double kKmPerAu = 149597870.7L;
constexpr long double kLightKmPerDay = 299792.458L * 86400;
constexpr long double kJ2000Day = 36526.5L;  // 2000-01-01 12:00

}  // namespace

SunSeen SunSeenAt(long double ttDay) {
  const EarthState earth = EarthHeliocentric(ttDay);
  const Vector3 velocity = kKmPerAu * earth.Velocity;
  const Vector3 sun = (-kKmPerAu) * earth.Position;
  return {sun + (Norm(sun) / kLightKmPerDay) * velocity, velocity};
}

Matrix3 EclipticOfDate(long double ttDay) { return EclipticPrecessionMatrix((ttDay - kJ2000Day) / 36525); }

long double MoonLongitudeSeen(long double seriesLongitude, const MoonCorrections& c) {
  return (seriesLongitude + c.Longitude) / kDegPerRad;
}

GeocentricScene GeocentricSceneAt(long double ttDay) {
  const double x = static_cast<double>(ttDay);
  const LunarSeriesPosition p = LunarSeries(x);
  const MoonCorrections c = MoonApparentCorrections(x);
  const long double longitude = MoonLongitudeSeen(p.Longitude, c);
  const Vector3 moonOfDate = p.Distance * FromSpherical(longitude, (p.Latitude + c.Latitude) / kDegPerRad);
  const Matrix3 ecliptic = EclipticOfDate(ttDay);
  return {TransposeTimes(ecliptic, moonOfDate), SunSeenAt(ttDay), longitude, ecliptic, p};
}
