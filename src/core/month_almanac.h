// A month of the Moon and the Sun at a place, day by day in the place's zone: what the
// Almanac window shows, orvanel-cli almanac prints and the CSV export holds.
#pragma once

#include <optional>
#include <vector>

#include "astro/lunar_events.h"
#include "astro/time_scales.h"

struct AlmanacPlace {
  double Latitude = 0;   // degrees north
  double Longitude = 0;  // degrees east
  int ElevationM = 0;    // lowers the horizon of the transit altitude (TopocentricAltAz)
};

// An event of the day and the angle that goes with it (an azimuth from north through
// east, or an altitude), degrees.
struct TimedAngle {
  double Instant;  // UTC date-time
  double Degrees;
};

struct AlmanacDay {
  int Year = 0, Month = 0, Day = 0;  // the local calendar day
  std::optional<TimedAngle> Moonrise, Transit, Moonset;  // azimuth, altitude, azimuth
  std::optional<double> Illumination;  // percent, at the transit
  std::optional<double> Sunrise, Sunset;
  // Astronomical night (the Sun's centre below -18 degrees) that begins this day, and
  // its end, which may fall on the next day.
  std::optional<double> NightFrom, NightUntil;
};

struct MonthAlmanac {
  int Year = 0, Month = 0;
  std::vector<AlmanacDay> Days;
  std::vector<LunarEvent> Events;  // phases, perigee and apogee within the month's local days
};

// The month (years 1600 ... 3999) at a place whose local days are those of zone.
// Rise and set are the program's (rise_set.h, as in the panel); a failed search leaves
// that day's moonrise and moonset empty. Where a local day reaches outside the covered
// range (the first of 1600 east of UTC, the last of 3999 west of it), only its part
// inside the range is searched. Throws std::domain_error for a month outside
// the years or a place off the globe.
MonthAlmanac ComputeMonthAlmanac(int year, int month, const AlmanacPlace& place, const TimeZoneRules& zone);
