// Coordinate machinery of the astronomy engine: angle helpers, the IAU 1980 and
// IAU 2000A nutation models and their fundamental arguments, the IAU 2006 mean
// obliquity, the Earth rotation angle and sidereal times, the hour angle, the
// ecliptic-to-equatorial conversion, compass points and the topocentric altitude
// and azimuth of the Moon.
//
// Instants are UTC date-times (day 0 = 1899-12-30 00:00) used directly as the time
// argument of every series (no Delta T); T is JulianCenturiesJ2000 of the instant.
// Angles are in radians unless a name ends in Deg or the comment says degrees.
#pragma once

#include <array>
#include <cstdint>

#include "astro/time_scales.h"

// Earth's equatorial radius (IERS 2003), shared with the Moon's parallax.
inline constexpr long double kEarthEquatorialRadiusKm = 6378.1366L;

// ---- Angle helpers ------------------------------------------------------------------

long double SinDeg(long double deg);
long double CosDeg(long double deg);
long double TanDeg(long double deg);
long double ArcSinDeg(long double v);                   // degrees
long double ArcTan2Deg(long double y, long double x);   // degrees, -180 ... +180

// Direction of (x, y) in radians, 0 <= angle < 2*pi. A nearly vertical direction
// (|x| < 5e-12) is taken as exactly pi/2 or 3*pi/2.
double Atan2Positive(double y, double x);

// Brings v into [0, 360] (360 itself stays) by whole turns.
long double Normalize360(long double v);
// Brings v into [0, 1] (1 itself stays) by whole units.
long double NormalizeUnit(long double v);

// ---- Nutation -----------------------------------------------------------------------

// Nutation in longitude and in obliquity, arcseconds.
struct Nutation {
  long double DeltaPsi;
  long double DeltaEpsilon;
};

// IAU 1980 series (106 terms).
Nutation NutationIau1980(double instant);

// IAU 2000A (MHB2000) series, 678 luni-solar and 687 planetary terms.
Nutation NutationIau2000A(double instant);

// The fourteen fundamental arguments of the IERS Conventions 2003 in arcseconds,
// not reduced to a turn, in the order Mercury, Venus, Earth, Mars, Jupiter, Saturn,
// Uranus, Neptune, general precession pA, l, l', F, D, Omega.
std::array<long double, 14> FundamentalArguments(double instant);

// ---- Obliquity and sidereal time ---------------------------------------------------

// IAU 2006 mean obliquity of the ecliptic, degrees.
long double MeanObliquity(double instant);

// Earth rotation angle (IAU 2000), degrees in [0, 360].
long double EarthRotationAngle(double instant);

// Greenwich mean sidereal time (IAU 2006), degrees; not reduced after adding the
// polynomial to the Earth rotation angle.
long double GreenwichMeanSiderealTime(double instant);

// Equation of the equinoxes, seconds of time, with IAU 2000A nutation when
// UseIau2000A is set, else IAU 1980.
long double EquationOfEquinoxes(bool UseIau2000A, double instant);

// Greenwich apparent sidereal time, degrees.
long double GreenwichApparentSiderealTime(bool UseIau2000A, double instant);

// Hour angle in radians (not reduced) of right ascension RightAscensionRad for an
// observer at WestLongitudeRad (positive west).
long double HourAngle(bool UseIau2000A, double instant, long double RightAscensionRad,
                      long double WestLongitudeRad);

// Altitude in radians from hour angle, declination and latitude (all radians).
long double AltitudeFromHourAngle(long double HourAngleRad, long double DeclinationRad,
                                  long double LatitudeRad);

// ---- Coordinates --------------------------------------------------------------------

// Right ascension (0 ... 2*pi) and declination, radians.
struct EquatorialPosition {
  long double RightAscension;
  long double Declination;
};

// Ecliptic longitude and latitude (radians) to equatorial coordinates, with the
// mean obliquity of the instant plus the nutation in obliquity DeltaEpsilonArcsec.
EquatorialPosition EclipticToEquatorial(double instant, long double LongitudeRad,
                                        long double LatitudeRad,
                                        long double DeltaEpsilonArcsec);

// Equatorial horizontal parallax in radians of a body at DistanceKm from the
// Earth's centre.
long double HorizontalParallax(long double DistanceKm);

// The nearest of the eight compass points "N", "NE", ... "NW" to an azimuth in
// degrees counted from north through east.
const char* CompassPoint(long double AzimuthDeg);

// ---- Simple sidereal time on the day-number calendar -------------------------------

// Greenwich mean sidereal time in degrees [0, 360) of a day number and second of
// day (Meeus 12.4, 64-bit arithmetic); -1 when the record is invalid.
long double GreenwichSiderealDegrees(const DayTimeRecord& r);

// Whole days of the instant plus its sidereal time as a fraction of a turn; the
// time of day enters in whole seconds.
long double SiderealDateTime(double instant);

// Local hour angle in degrees [0, 360) of a right ascension in hours for an
// observer at EastLongitudeDeg, from the simple sidereal time.
long double LocalHourAngle(long double RightAscensionHours, long double EastLongitudeDeg,
                           double instant);

// Altitude and azimuth in degrees; azimuth from north through east.
struct HorizontalPosition {
  long double Altitude;
  long double Azimuth;
};

// Topocentric geometric altitude and azimuth of a body of geocentric right
// ascension, declination and horizontal parallax (degrees) for an observer at
// LatitudeDeg, EastLongitudeDeg and Height metres. No refraction.
HorizontalPosition TopocentricAltAz(double instant, long double RightAscensionDeg,
                                    long double DeclinationDeg, long double ParallaxDeg,
                                    long double LatitudeDeg, long double EastLongitudeDeg,
                                    std::int32_t Height);
