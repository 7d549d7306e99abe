// The Sun's apparent place for the almanac and the chart's twilight: VSOP87B's Earth
// (earth_vsop87.h) in proper dynamical time (delta_t.h), the displacement of annual
// aberration, IAU 2006 precession (precession.h) and IAU 1980 nutation to the true
// equator and equinox of date. Good to about a second of arc, a tenth of a second of
// time at sunrise.
#pragma once

// Apparent geocentric place of date, degrees.
struct SunRaDec {
  long double RightAscension;  // [0, 360)
  long double Declination;
};

// At a UTC date-time (day 0 = 1899-12-30 00:00).
SunRaDec SunApparentPlace(double instant);
