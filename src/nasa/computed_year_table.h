// NASA's yearly Moon table (mooninfo_YYYY.txt) for any year the ephemeris covers,
// with the program's own values: NASA's header line, then one line per hour of the
// year in NASA's layout (the date, the hour and the eleven values right-aligned in
// NASA's widths with NASA's decimals). Each value is printed as `orvanel-cli
// ephemeris` prints it for the same hour.
#pragma once

#include <string>
#include <vector>

#include "astro/moon_hour_values.h"

// Value of column Column (0 = DateTime ... 11 = AxisA) with NASA's decimals, "-55.867".
std::string NasaValueText(int Column, long double Value);

// The header line of NASA's yearly tables.
std::string NasaTableHeader();

// The line of the hour at UTC date-time Hour with the values v.
std::string NasaTableLine(long double Hour, const MoonHourValues& v);

// The header and the lines of every hour of Year (8,760 or 8,784), computed in
// order; throws std::domain_error for a year outside 1600 ... 3999.
std::vector<std::string> ComputedYearTable(int Year);

// The file name of a computed table, told apart from NASA's own: "mooninfo_2027_orvanel.txt".
std::string ComputedYearTableFileName(int Year);
