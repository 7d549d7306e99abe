#include "astro/parallactic_angle.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/lunar_series.h"

long double ParallacticAngle(long double LatitudeRad, long double WestLongitudeRad, double DateTime) {
  return ParallacticAngle(LatitudeRad, WestLongitudeRad, DateTime, MoonApparentDirection(DateTime));
}

long double ParallacticAngle(long double LatitudeRad, long double WestLongitudeRad, double DateTime,
                             const EquatorialPosition& moon) {
  const long double alpha = moon.RightAscension, delta = moon.Declination;
  const long double H = HourAngle(false, DateTime, alpha, WestLongitudeRad);
  const long double cosPhi = std::cos(LatitudeRad);
  const long double Y = std::sin(LatitudeRad) * std::cos(delta) - cosPhi * std::sin(delta) * std::cos(H);
  const long double X = cosPhi * std::sin(H);
  const long double psi = ArcTan2Deg(Y, X);
  // atan2 gives -180 for a negative zero Y; the half-open range keeps +180.
  return psi <= -180.0L ? psi + 360.0L : psi;
}

long double ParallacticAngleForObserver(long double Latitude, long double Longitude, double DateTime) {
  return ParallacticAngleForObserver(Latitude, Longitude, DateTime, MoonApparentDirection(DateTime));
}

long double ParallacticAngleForObserver(long double Latitude, long double Longitude, double DateTime,
                                        const EquatorialPosition& moon) {
  const long double psi =
      ParallacticAngle(Latitude * kRadiansPerDegree, -Longitude * kRadiansPerDegree, DateTime, moon);
  return (Latitude >= 0 ? 90.0L : 270.0L) - psi;
}
