// A year's phases, perigees and apogees as an iCalendar file (RFC 5545): one VEVENT
// each, its DTSTART the instant in UTC, lines ended by CRLF.
#pragma once

#include <string>
#include <vector>

#include "astro/lunar_events.h"
#include "astro/time_scales.h"

// DtStampUtc is the date-time of the export (the DTSTAMP every event must carry).
std::string LunarCalendarIcs(const std::vector<LunarEvent>& events, double DtStampUtc);

// The phases, perigees and apogees of a calendar year (1600 ... 3999) as the zone's
// clocks count it, UTC's without one; only the instants the program covers.
std::vector<LunarEvent> LunarEventsOfYear(int year, const TimeZoneRules* zone = nullptr);
