// The per-instant record that the show pipeline computes and the data panel and
// the Moon view read.
#pragma once

#include <cstdint>

#include "astro/moon_hour_values.h"
#include "astro/topocentric_moon.h"

struct MoonRecord {
  long double Latitude = 0;          // degrees, north positive
  long double Longitude = 0;         // degrees, east positive
  long double Altitude = 0;          // degrees above the horizon, topocentric
  long double Azimuth = 0;           // degrees from north through east
  long double Rise = 0;              // date-time of moonrise (UTC shifted by the offset); 0: none
  long double Set = 0;               // date-time of moonset, same scale; 0: none
  long double ParallacticAngle = 0;  // degrees
  long double DateTime = 0;          // the UTC instant of the record
  long double Phase = 0;             // hourly: illuminated fraction, percent
  long double Age = 0;               // hourly: days since new moon
  long double Diam = 0;              // hourly: apparent diameter, arc seconds
  long double Dist = 0;              // hourly: Earth-Moon distance, km
  long double RA = 0;                // hourly: right ascension, hours
  long double Dec = 0;               // hourly: declination, degrees
  long double Slon = 0;              // hourly: sub-solar selenographic longitude, degrees
  long double Slat = 0;              // hourly: sub-solar selenographic latitude, degrees
  long double Elon = 0;              // hourly: sub-Earth selenographic longitude, degrees
  long double Elat = 0;              // hourly: sub-Earth selenographic latitude, degrees
  long double AxisA = 0;             // hourly: position angle of the north axis, degrees
  std::int32_t HourNumber = 0;       // zero-based UTC hour of the year of DateTime
  bool FromNasa = true;              // Phase ... AxisA are NASA's, else the program's own
  TopocentricMoonValues Topocentric;  // the hourly values as seen from the place (at its elevation)
};

// The eleven hourly values of a record, and a record given them.
inline void SetHourValues(MoonRecord& r, const MoonHourValues& v) {
  r.Phase = v.Phase;
  r.Age = v.Age;
  r.Diam = v.Diam;
  r.Dist = v.Dist;
  r.RA = v.RA;
  r.Dec = v.Dec;
  r.Slon = v.Slon;
  r.Slat = v.Slat;
  r.Elon = v.Elon;
  r.Elat = v.Elat;
  r.AxisA = v.AxisA;
}

inline MoonHourValues HourValuesOf(const MoonRecord& r) {
  return {r.Phase, r.Age, r.Diam, r.Dist, r.RA, r.Dec, r.Slon, r.Slat, r.Elon, r.Elat, r.AxisA};
}
