// A body's place in the local sky from its apparent place of date, for the Sun's and
// the Moon's events of the almanac: hour angle from the apparent sidereal time (IAU
// 2006 with the IAU 1980 equation of the equinoxes), geocentric altitude and azimuth.
//
// Latitudes are positive north, longitudes positive EAST, angles in degrees.
#pragma once

#include "astro/coordinates.h"

// Local hour angle, degrees in (-180, 180]: negative east of the meridian.
long double LocalHourAngleDeg(double instant, long double RightAscensionDeg, long double EastLongitude);

// Geocentric altitude (no refraction) and azimuth from north through east.
HorizontalPosition GeocentricAltAz(double instant, long double RightAscensionDeg, long double DeclinationDeg,
                                   long double Latitude, long double EastLongitude);
