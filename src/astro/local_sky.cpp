#include "astro/local_sky.h"

#include <cmath>

#include "astro/angles.h"

long double LocalHourAngleDeg(double instant, long double RightAscensionDeg, long double EastLongitude) {
  const long double h = std::remainder(
      GreenwichApparentSiderealTime(false, instant) + EastLongitude - RightAscensionDeg, 360.0L);
  return h == -180.0L ? 180.0L : h;
}

HorizontalPosition GeocentricAltAz(double instant, long double RightAscensionDeg, long double DeclinationDeg,
                                   long double Latitude, long double EastLongitude) {
  const long double h = LocalHourAngleDeg(instant, RightAscensionDeg, EastLongitude) * kRadiansPerDegree;
  const long double d = DeclinationDeg * kRadiansPerDegree, phi = Latitude * kRadiansPerDegree;
  const long double altitude = std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h));
  // Azimuth from north through east (ERFA's eraHd2ae convention).
  const long double azimuth = std::atan2(-std::cos(d) * std::sin(h),
                                         std::sin(d) * std::cos(phi) - std::cos(d) * std::cos(h) * std::sin(phi));
  return {altitude * kDegreesPerRadian, Normalize360(azimuth * kDegreesPerRadian)};
}
