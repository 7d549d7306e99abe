// IAU 2006 precession (with the frame bias) as rotation matrices, from the
// Fukushima-Williams angles of Hilton et al. 2006 / Capitaine et al. 2003, as in
// ERFA's eraPfw06, eraFw2m and eraPmat06 (IERS Conventions 2010, ch. 5).
//
// T is in Julian centuries TT from J2000.0. GCRS is the J2000 mean equator and
// equinox to within the frame bias of about 0.02 arc second that the matrices carry.
#pragma once

#include "astro/vector3.h"

// GCRS to the mean equator and equinox of date: eraPmat06.
Matrix3 PrecessionMatrix(double T);

// GCRS to the mean ecliptic and equinox of date: the precession matrix followed by
// the turn about the equinox through the IAU 2006 mean obliquity (eraObl06).
Matrix3 EclipticPrecessionMatrix(double T);
