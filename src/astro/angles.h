// Angle constants shared by the whole program: one definition of pi and of the
// factors between degrees, radians, hours and arc seconds.
#pragma once

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
