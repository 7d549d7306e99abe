// The Sun seen from a place on the Moon: its altitude over the place's horizon and
// the Sun's selenographic colongitude, from the sub-solar point of NASA's tables
// (Slon, Slat). The Sun is taken as a point at infinite distance (its centre; the
// parallax of 1 AU against the Moon's radius is below 0.0007 degrees).
#pragma once

// The altitude, degrees, of a far body over the horizon of the selenographic place
// (latDeg, lonDeg) when the body stands overhead at (subLatDeg, subLonDeg): 90
// degrees less the arc between the two places. With the sub-solar point (Slat,
// Slon) it is the Sun's altitude; with the sub-Earth point (Elat, Elon) the Earth's,
// above zero on the side of the Moon that faces us.
double AltitudeOverPlaceDeg(double latDeg, double lonDeg, double subLatDeg, double subLonDeg);

// How a place is lit: the Sun below its horizon, 0 to 8 degrees above it (the long
// shadows where relief shows), or higher.
enum class SunLight { Dark, Terminator, Sunlit };

inline constexpr double kTerminatorSunAltitudeDeg = 8.0;

SunLight SunLightOf(double sunAltitudeDeg);

// "in darkness", "on the terminator", "sunlit".
const char* SunLightText(SunLight light);

// The Sun's selenographic colongitude, degrees in [0, 360): 90 degrees less the
// sub-solar longitude. The morning terminator lies near longitude -colongitude:
// 0 at first quarter, 90 at full moon, 180 at last quarter, 270 at new moon.
double ColongitudeDeg(double slonDeg);
