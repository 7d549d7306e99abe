// The month almanac as text: the CSV of the export and of orvanel-cli almanac --csv,
// and the times and angles as every view of the almanac writes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/time_scales.h"
#include "core/month_almanac.h"

// "HH:MM:SS" of a UTC date-time in the zone, to the nearest second.
std::string LocalTimeText(double instant, const TimeZoneRules& zone);
// "YYYY-MM-DD HH:MM:SS" of a UTC date-time in the zone.
std::string LocalDateTimeText(double instant, const TimeZoneRules& zone);
// Degrees with two decimals.
std::string AngleText(double degrees);

// The twelve columns' names, as in the CSV header.
std::vector<std::string> AlmanacColumnNames();
// The twelve fields of one day, as in the CSV; an empty field where the day has no such event.
std::vector<std::string> AlmanacRowFields(const AlmanacDay& day, const TimeZoneRules& zone);

// The header line and one line per local day, each ended by "\n":
// date,moonrise,moonrise_azimuth,transit,transit_altitude,moonset,moonset_azimuth,
// illumination,sunrise,sunset,night_from,night_until — times in the zone, an empty
// field where the day has no such event.
std::string AlmanacCsv(const MonthAlmanac& almanac, const TimeZoneRules& zone);
