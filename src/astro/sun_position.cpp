#include "astro/sun_position.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/earth_vsop87.h"
#include "astro/precession.h"

namespace {

constexpr long double kJ2000Day = 36526.5L;  // 2000-01-01 12:00
constexpr long double kLightAuPerDay = 173.1446326846693L;

}  // namespace

SunRaDec SunApparentPlace(double instant) {
  const long double tt = TerrestrialTimeDay(instant);
  const EarthState earth = EarthHeliocentric(tt);
  // The Sun seen from the Earth: the opposite of the Earth's place, displaced by the
  // annual aberration |r| v / c (the Sun's own motion in the light time is negligible).
  const Vector3 sun = (-1.0L) * earth.Position + (Norm(earth.Position) / kLightAuPerDay) * earth.Velocity;
  const Vector3 ofDate = EclipticPrecessionMatrix((tt - kJ2000Day) / 36525.0L) * sun;
  const Nutation n = NutationIau1980(static_cast<double>(tt));
  const long double longitude = std::atan2(ofDate[1], ofDate[0]) + n.DeltaPsi / kArcsecondsPerDegree * kRadiansPerDegree;
  const long double latitude = std::asin(ofDate[2] / Norm(ofDate));
  const EquatorialPosition e = EclipticToEquatorial(static_cast<double>(tt), longitude, latitude, n.DeltaEpsilon);
  return {e.RightAscension * kDegreesPerRadian, e.Declination * kDegreesPerRadian};
}
