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

// std::fmod(x, m) to the bit, without the x87 remainder loop the long-double fmod
// runs, for a modulus of at most 14 significant bits (360, 1296000): m times a whole
// quotient below 2^50 is then exact, the quotient never rounds up to the next whole
// number (x lies at least one unit of n m below n m, more than m half units of n),
// and the difference of two so near numbers is exact. Past that, fmod itself.
inline long double ExactFmod(long double x, long double m) {
  if (!(std::fabs(x) < 0x1p50L * m)) return std::fmod(x, m);
  const long double r = x - m * std::trunc(x / m);
  return r == 0 ? std::copysign(0.0L, x) : r;  // fmod's zero keeps x's sign
}

// Degrees reduced to one turn, [0, 360), in extended precision, then given in
// radians (by the series' factor) as a double: past a quarter turn the extended
// sine costs twenty times the double one, which the series' terms do not need.
inline double SeriesTurnRadians(long double degrees) {
  long double v = (degrees / 360 - std::trunc(degrees / 360)) * 360;
  if (v < 0) v += 360;
  return static_cast<double>(v / kSeriesDegreesPerRadian);
}
