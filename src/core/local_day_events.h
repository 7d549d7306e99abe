// Moonrise and moonset of a local calendar day in a place's zone.
#pragma once

#include "astro/time_scales.h"
#include "core/calculate_data.h"

struct LocalDayEvents {
  long double Rise, Set;  // UTC, NaN for none
};

// The first UTC instant of the local calendar day that holds the instant, and of the next.
struct LocalDaySpan {
  double Start, End;
};
LocalDaySpan LocalDayOf(double instant, const TimeZoneRules& zone);

// The whole UTC hour nearest the instant among those of its own local day: an event of
// a day is shown at an hour of that day, also near a midnight a fraction of an hour off
// the UTC hours.
long double NearestHourOfLocalDay(double instant, const TimeZoneRules& zone);

// The rise and the set within the local day. The search finds the events of a UTC day;
// a local day overlaps two of them, and each event of the local day is the first of
// those two days' that falls inside it (far north the Moon can rise or set twice
// within 24 hours). Where a UTC day's event came before the local day and the local
// day has none, the 24 hours from its start are searched as one day, for a second
// event of that UTC day.
// Latitude north, Longitude east positive, degrees. Throws what the search throws.
LocalDayEvents EventsOfLocalDay(const LocalDaySpan& day, long double Latitude, long double Longitude,
                                const RiseSetSearch& riseSet);
