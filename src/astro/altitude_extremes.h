// The hours of a calendar year at which the Moon stands highest and lowest for
// a fixed reference place, by hourly sampling of MoonPosition and
// TopocentricAltAz. The main window's hidden "Go Max" and "Go Min" buttons move
// the display to the instant found.
#pragma once

#include "astro/default_place.h"

// The place of the search (degrees, north and east positive); it equals the
// default observer place of the settings and ignores the current one.
inline constexpr long double ReferenceLatitude = kDefaultLatitude, ReferenceLongitude = kDefaultLongitude;

struct AltitudeExtremes {
  long double MaxInstant, MaxAltitude, MinInstant, MinAltitude;  // date-times (UTC), degrees
};

// Samples the altitude at every whole hour of the year of CurrentDateTime, from
// 00:00 on 1 January to 00:00 on 1 January of the following year inclusive.
// Both extremes start at 0 degrees and at CurrentDateTime, so an extreme that no
// sample reaches leaves its instant at CurrentDateTime. Ties go to the later
// hour, and a sample that raises the maximum is not considered for the minimum.
// A CurrentDateTime that is not a finite date-time of the years 1 to 9999
// leaves both extremes at their start.
AltitudeExtremes SearchAltitudeExtremes(long double CurrentDateTime,
                                        long double (*AltitudeAt)(long double instant));

// Topocentric altitude of the Moon's centre at the reference place, degrees.
long double ReferenceAltitude(long double instant);

AltitudeExtremes FindAltitudeExtremes(long double CurrentDateTime);   // searches the year of CurrentDateTime
