// The Moon's principal phases, perigees and apogees between two instants, in UTC, for
// the almanac and the calendar export.
//
// Phases are Meeus's chapter 49 instants (lunar_phases.h) taken from dynamical time
// to UTC with Delta T (delta_t.h). Perigee and apogee are the extremes of the distance
// of the truncated ELP 2000-85 series (lunar_series.h), found from the change of sign
// of its rate; the series is evaluated at UTC, a minute's shift that does not show at
// the flat extremes of the distance.
#pragma once

#include <vector>

enum class LunarEventKind { NewMoon, FirstQuarter, FullMoon, LastQuarter, Perigee, Apogee };

struct LunarEvent {
  LunarEventKind Kind;
  double Instant;  // UTC date-time
};

// Every phase, perigee and apogee in [from, to) (UTC date-times), in order of time.
// Throws std::domain_error outside the series' years.
std::vector<LunarEvent> LunarEventsBetween(double from, double to);

// "New Moon", "First Quarter", "Full Moon", "Last Quarter", "Perigee", "Apogee".
const char* LunarEventName(LunarEventKind kind);
