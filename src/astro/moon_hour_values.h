// The eleven values that describe the Moon's appearance at one instant, in the
// meaning and units of NASA's yearly "Moon Phase and Libration" tables. The
// program reads them from NASA's table where one exists and computes them itself
// for any other hour; the data panel and the drawn Moon take them from either.
#pragma once

struct MoonHourValues {
  long double Phase = 0;  // illuminated fraction of the disc (geocentric), percent
  long double Age = 0;    // days since the previous true new moon
  long double Diam = 0;   // apparent diameter, arc seconds: 2 asin(1737.4 km / Dist)
  long double Dist = 0;   // Earth's centre to the Moon's centre, km
  long double RA = 0;     // geocentric right ascension, J2000 mean equator and equinox, hours
  long double Dec = 0;    // geocentric declination, J2000, degrees
  long double Slon = 0;   // selenographic longitude of the sub-solar point, degrees (east positive)
  long double Slat = 0;   // selenographic latitude of the sub-solar point, degrees
  long double Elon = 0;   // selenographic longitude of the sub-Earth point, degrees (east positive)
  long double Elat = 0;   // selenographic latitude of the sub-Earth point, degrees
  long double AxisA = 0;  // position angle of the Moon's north pole from J2000 celestial north toward east, degrees
};
