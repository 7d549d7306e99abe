// Parallactic angle of the Moon: the angle at the Moon between the directions
// to the celestial pole and to the zenith (Meeus, Astronomical Algorithms,
// ch. 14), from the apparent place of the lunar series and the apparent
// sidereal time with the IAU 1980 equation of the equinoxes. Geocentric: no
// topocentric correction is applied.
#pragma once

#include "astro/coordinates.h"

// psi = atan2(Y, X) with Y = sin(phi) cos(delta) - cos(phi) sin(delta) cos(H),
// X = cos(phi) sin(H): 90 degrees minus the usual parallactic angle q, in
// (-180, 180] degrees. Meeus divides both by cos(phi), which leaves the angle
// alone but blows up at the poles; in this form a pole gives the limit of the
// angle as the latitude approaches it (psi = +-90).
// Latitude positive north, longitude positive WEST, both radians; DateTime UTC.
long double ParallacticAngle(long double LatitudeRad, long double WestLongitudeRad, double DateTime);

// The same for the Moon's apparent direction given (MoonApparentDirection's).
long double ParallacticAngle(long double LatitudeRad, long double WestLongitudeRad, double DateTime,
                             const EquatorialPosition& moon);

// The rotation that turns a frame with celestial north up into the Moon as the
// observer sees it, in degrees, positive clockwise. Latitude in degrees positive
// north, Longitude in degrees positive EAST. North of the equator (latitude 0
// included) it is q in [-90, 270); south of it q + 180 in [90, 450), not reduced
// to one turn.
long double ParallacticAngleForObserver(long double Latitude, long double Longitude, double DateTime);
long double ParallacticAngleForObserver(long double Latitude, long double Longitude, double DateTime,
                                        const EquatorialPosition& moon);
