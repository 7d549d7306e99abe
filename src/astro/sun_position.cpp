#include "astro/sun_position.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/geocentric_scene.h"

SunRaDec SunApparentPlace(double instant) {
  const long double tt = TerrestrialTimeDay(instant);
  // The Sun's own motion in the light time is negligible.
  const Vector3 ofDate = EclipticOfDate(tt) * SunSeenAt(tt).Sun;
  const Nutation n = NutationIau1980(static_cast<double>(tt));
  const long double longitude = std::atan2(ofDate[1], ofDate[0]) + n.DeltaPsi / kArcsecondsPerDegree * kRadiansPerDegree;
  const long double latitude = std::asin(ofDate[2] / Norm(ofDate));
  const EquatorialPosition e = EclipticToEquatorial(static_cast<double>(tt), longitude, latitude, n.DeltaEpsilon);
  return {e.RightAscension * kDegreesPerRadian, e.Declination * kDegreesPerRadian};
}
