// The per-instant record that the show pipeline computes and the data panel and
// the Moon view read.
#pragma once

#include <cstdint>

struct MoonRecord {
  long double Latitude = 0;          // degrees, north positive
  long double Longitude = 0;         // degrees, east positive
  long double Altitude = 0;          // degrees above the horizon, topocentric
  long double Azimuth = 0;           // degrees from north through east
  long double Rise = 0;              // date-time of moonrise (UTC shifted by the offset); 0: none
  long double Set = 0;               // date-time of moonset, same scale; 0: none
  long double ParallacticAngle = 0;  // degrees
  long double DateTime = 0;          // the UTC instant of the record
  long double Phase = 0;             // NASA: illuminated fraction, percent
  long double Age = 0;               // NASA: days since new moon
  long double Diam = 0;              // NASA: apparent diameter, arc seconds
  long double Dist = 0;              // NASA: Earth-Moon distance, km
  long double RA = 0;                // NASA: right ascension, hours
  long double Dec = 0;               // NASA: declination, degrees
  long double Slon = 0;              // NASA: sub-solar selenographic longitude, degrees
  long double Slat = 0;              // NASA: sub-solar selenographic latitude, degrees
  long double Elon = 0;              // NASA: sub-Earth selenographic longitude, degrees
  long double Elat = 0;              // NASA: sub-Earth selenographic latitude, degrees
  long double AxisA = 0;             // NASA: position angle of the north axis, degrees
  std::int32_t HourNumber = 0;       // zero-based UTC hour of the year of DateTime
};
