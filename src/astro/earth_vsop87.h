// Heliocentric position and velocity of the Earth from the VSOP87B series
// (Bretagnon & Francou 1988, A&A 202, 309), rotated from the VSOP87 J2000
// ecliptic to the J2000 mean equator (FK5) with the rotation that accompanies the
// series (its "VSOP87 to FK5" matrix). The geocentric Sun is the negative position.
//
// The series is cut at build time (tools/gen_ephemeris_tables.cpp); the bound of
// the truncation error over 1600 ... 3999 is kVsopEarthTruncationBound of
// ephemeris_tables.h (2.2" in longitude, 0.74" in latitude, 7.4e-6 AU in radius;
// against eraEpv00 the place keeps within 0.24" in 1700 ... 2300). The Sun's motion about
// the barycentre (at most 0.01 arc second of aberration) is left out.
#pragma once

#include "astro/vector3.h"

struct EarthState {
  Vector3 Position;  // AU, J2000 mean equator and equinox
  Vector3 Velocity;  // AU per day
};

// The Earth at a TT date-time (day 0 = 1899-12-30 00:00 TT; TDB taken as TT).
EarthState EarthHeliocentric(long double ttDay);
