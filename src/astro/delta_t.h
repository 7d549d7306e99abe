// Delta T = TT - UT, from the polynomial expressions of Espenak and Meeus
// ("Five Millennium Canon of Solar Eclipses", NASA/TP-2006-214141, section 2.6),
// which fit the observed values from 1600 to 2005, continued by Espenak's 2014
// revision (64.69 + 0.2930 t from 2005, 67.62 + 0.3645 t + 0.0039755 t^2 from 2015)
// up to 3191.6, where it meets their long-term parabola -20 + 32 u^2, u = (y -
// 1820) / 100, which holds after. The revision still runs about 2.8 s above the
// observed 69.1 s of 2025.
//
// Only the Moon ephemeris (moon_ephemeris.h) uses it: the engine's other
// routines take UTC as dynamical time.
#pragma once

// Decimal year of a UTC date-time (day 0 = 1899-12-30 00:00), in Julian years
// of the Gregorian mean length counted from 2000-01-01 00:00.
long double DecimalYear(long double utcDay);

// Delta T in seconds for a decimal year of 1600 ... 3999 (the first and the last
// expressions also serve before and after).
long double DeltaTSeconds(long double decimalYear);

// The TT date-time of a UTC date-time: utcDay + Delta T, in days.
long double TerrestrialTimeDay(long double utcDay);
