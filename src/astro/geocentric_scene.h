// The Moon and the Sun as seen from the Earth's centre at one TT instant, GCRS, km,
// as NASA's hourly values and the eclipses' shadow take them:
// - the Moon: the lunar series' place of date with its light-time and aberration
//   correction (Chapront's -0.70" and the rest of MoonApparentCorrections), precessed
//   to J2000; for the Moon both effects together amount to its geocentric light time;
// - the Sun: VSOP87B's geometric Sun with the displacement of annual aberration,
//   |r| v / c, as its light arrives.
#pragma once

#include "astro/lunar_series.h"
#include "astro/moon_position.h"
#include "astro/vector3.h"

struct SunSeen {
  Vector3 Sun;
  Vector3 EarthVelocity;  // km per day
};

SunSeen SunSeenAt(long double ttDay);

// GCRS to the mean ecliptic and equinox of date.
Matrix3 EclipticOfDate(long double ttDay);

// The series' longitude of date (degrees) with its light-time and aberration
// correction, radians.
long double MoonLongitudeSeen(long double seriesLongitude, const MoonCorrections& c);

struct GeocentricScene {
  Vector3 Moon;
  SunSeen Seen;
  long double MoonLongitude;  // of date, radians (MoonLongitudeSeen)
  Matrix3 Ecliptic;           // EclipticOfDate
  LunarSeriesPosition Series; // the geometric place of date the Moon above is made from
};

GeocentricScene GeocentricSceneAt(long double ttDay);
