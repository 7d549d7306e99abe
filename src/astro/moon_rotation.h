// Orientation of the Moon's mean-Earth/polar-axis frame in the GCRS (J2000
// equator and equinox): the IAU WGCCRE 2009 rotation model with its 13 periodic
// terms (Archinal et al. 2011, Celest. Mech. Dyn. Astr. 109, 101, Table 2).
#pragma once

#include "astro/vector3.h"

struct MoonOrientation {
  long double PoleRa;    // right ascension of the north pole, J2000, radians
  long double PoleDec;   // declination of the north pole, J2000, radians
  long double Meridian;  // W, the prime meridian's angle from the node on the J2000 equator, radians
};

// The orientation at a TT date-time (day 0 = 1899-12-30 00:00 TT; TDB taken as TT).
MoonOrientation MoonOrientationAt(long double ttDay);

// GCRS to the Moon's body frame: Rz(W) Rx(90 deg - dec0) Rz(90 deg + ra0). Its x axis
// points to selenographic longitude 0, its z axis to the north pole.
Matrix3 MoonBodyMatrix(const MoonOrientation& o);
