// Angle constants shared by the whole program: one definition of pi and of the
// factors between degrees, radians, hours and arc seconds.
#pragma once

#include <cmath>
#include <numbers>

inline constexpr long double kPi = std::numbers::pi_v<long double>;
inline constexpr long double kRadiansPerDegree = kPi / 180.0L;
inline constexpr long double kDegreesPerRadian = 180.0L / kPi;
inline constexpr long double kDegreesPerHour = 15.0L;
inline constexpr long double kArcsecondsPerDegree = 3600.0L;

// Degrees per radian to the sixteen digits with which the published series
// expressions of the Moon's position and of the lunar phases state it; those
// routines keep it so that they reproduce their published reference values.
inline constexpr long double kSeriesDegreesPerRadian = 57.29577951308232L;

// Degrees reduced to one turn, [0, 360), in extended precision, then given in
// radians (by the series' factor) as a double: past a quarter turn the extended
// sine costs twenty times the double one, which the series' terms do not need.
inline double SeriesTurnRadians(long double degrees) {
  long double v = (degrees / 360 - std::trunc(degrees / 360)) * 360;
  if (v < 0) v += 360;
  return static_cast<double>(v / kSeriesDegreesPerRadian);
}
