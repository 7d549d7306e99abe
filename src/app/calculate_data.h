// The record of one instant: NASA's row of the hour joined with the program's own
// astronomy for the observer's place.
#pragma once

#include "app/moon_record.h"
#include "astro/time_scales.h"

// x: UTC instant; Latitude north positive, Longitude east positive, degrees.
// A failed rise/set search leaves Rise = Set = 0 and fills everything else.
MoonRecord CalculateMoonRecord(long double x, long double Latitude, long double Longitude,
                               const TimeZoneRules& zone);
