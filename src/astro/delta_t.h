// Delta T = TT - UT, from the polynomial expressions of Espenak and Meeus
// ("Five Millennium Canon of Solar Eclipses", NASA/TP-2006-214141, section 2.6,
// and NASA's eclipse web site), which fit the observed values from 1600 to 2005
// and extrapolate them beyond.
//
// Only the Moon ephemeris (moon_ephemeris.h) uses it: the engine's other
// routines take UTC as dynamical time.
#pragma once

// Decimal year of a UTC date-time (day 0 = 1899-12-30 00:00), in Julian years
// of the Gregorian mean length counted from 2000-01-01 00:00.
long double DecimalYear(long double utcDay);

// Delta T in seconds for a decimal year; the expressions cover 1600 to 3999 (the
// last one, -20 + 32 u^2, holds beyond 2150).
long double DeltaTSeconds(long double decimalYear);

// The TT date-time of a UTC date-time: utcDay + Delta T, in days.
long double TerrestrialTimeDay(long double utcDay);
