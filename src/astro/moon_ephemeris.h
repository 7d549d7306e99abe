// The Moon's eleven hourly values of NASA's "Moon Phase and Libration" tables
// (see moon_hour_values.h) computed for any instant of 1600 ... 3999, in proper
// dynamical time (Delta T of delta_t.h).
//
// The Moon is the truncated ELP 2000-85 series (lunar_series.h) with its
// light-time and aberration correction, carried from the mean ecliptic of date to
// the J2000 equator by IAU 2006 precession (precession.h); the Sun is VSOP87B
// (earth_vsop87.h); the Moon's orientation is the IAU 2009 model (moon_rotation.h).
// As in NASA's tables: RA, Dec and the sub-Earth point are those of the Moon as
// seen (its light-time place); Dist and Diam take the astrometric distance, which
// differs from that by the displacement of annual aberration, |r| v_earth / c (up
// to 38 km with the synodic period); Phase, the sub-solar point and Age take the Sun
// as seen from the Earth, with its annual aberration.
#pragma once

#include "astro/lunar_series.h"
#include "astro/moon_hour_values.h"

// First and last UTC date-times of the ephemeris: 1600-01-01 00:00 and the end of 3999-12-31.
inline constexpr long double kEphemerisFirstDay = -109571.0L;
inline constexpr long double kEphemerisEndDay = 767011.0L;

// The values at a UTC date-time (day 0 = 1899-12-30 00:00 UTC). Throws
// std::domain_error for an instant outside [kEphemerisFirstDay, kEphemerisEndDay).
MoonHourValues ComputeMoonHourValues(long double utcDay);

// The values with the lunar series' place they come from, at the hour's TT instant:
// the Moon's direction at the UTC instant follows from it (lunar_series.h).
struct ComputedMoonHour {
  MoonHourValues Values;
  LunarSeriesPlace Series;
};

ComputedMoonHour ComputeMoonHour(long double utcDay);
