// The record of one instant: the Moon's hourly values (NASA's row of the hour) joined
// with the program's own astronomy for the observer's place.
#pragma once

#include <functional>
#include <optional>

#include "astro/lunar_series.h"
#include "astro/moon_hour_values.h"
#include "astro/rise_set.h"
#include "astro/time_scales.h"
#include "core/moon_record.h"

// The hourly values of an instant and whether they are NASA's (else computed).
struct HourValues {
  MoonHourValues Values;
  bool FromNasa = true;
  std::optional<LunarSeriesPlace> Series;  // where computed: the series' place they come from
};

// Where the hourly values of an instant come from: the program passes NASA's tables
// with its own ephemeris for the other years.
using HourValuesLookup = HourValues (*)(long double x);

using RiseSetSearch =
    std::function<RiseSetRecord(double D, long double OffsetHours, long double Latitude, long double WestLongitude)>;

// x: UTC instant; Latitude north positive, Longitude east positive, degrees.
// Rise and Set (UTC) are those of the observer's local calendar day of x in zone; a
// day without one leaves it NaN. A rise/set search that fails leaves Rise = Set = 0
// and fills everything else. ElevationM (metres) moves the observer of the topocentric
// values above the ellipsoid.
MoonRecord CalculateMoonRecord(long double x, long double Latitude, long double Longitude,
                               const TimeZoneRules& zone, HourValuesLookup hourValues,
                               const RiseSetSearch& riseSet = RiseSetForDay, long double ElevationM = 0);
