// NASA's hourly Moon values for the years NASA has published, compiled in from the
// yearly tables of the Scientific Visualization Studio ("Moon Phase and Libration",
// mooninfo_YYYY.txt). Row r of a year is the UTC hour that begins r hours after
// 1 January 00:00. A new year is one data file (data/nasa) and one line in
// nasa_tables.cmake.
// This header is plain C++: the build-time generator (tools/gen_nasa_tables.cpp) uses it too.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "astro/moon_hour_values.h"

struct NasaHourRecord {
  long double DateTime;  // UTC day number of the hour (day 0 = 1899-12-30), 8 decimals
  long double Phase;     // illuminated fraction, percent
  long double Age;       // days since new moon
  long double Diam;      // apparent diameter, arc seconds
  long double Dist;      // Earth-Moon distance, km
  long double RA;        // right ascension, hours
  long double Dec;       // declination, degrees
  long double Slon;      // selenographic longitude of the sub-solar point, degrees
  long double Slat;      // selenographic latitude of the sub-solar point, degrees
  long double Elon;      // selenographic longitude of the sub-Earth point, degrees
  long double Elat;      // selenographic latitude of the sub-Earth point, degrees
  long double AxisA;     // position angle of the Moon's north axis, degrees
};

inline constexpr int kNasaColumnCount = 12;
// The decimals NASA publishes for each field, in record order (DateTime first).
inline constexpr std::array<int, kNasaColumnCount> kNasaDecimals = {8, 2, 3, 1, 0, 4, 4, 3, 3, 3, 3, 3};
inline constexpr std::array<const char*, kNasaColumnCount> kNasaColumnNames = {
    "DateTime", "Phase", "Age", "Diam", "Dist", "RA", "Dec", "Slon", "Slat", "Elon", "Elat", "AxisA"};

// The twelve fields of a record in record order.
inline std::array<long double, kNasaColumnCount> NasaFields(const NasaHourRecord& r) {
  return {r.DateTime, r.Phase, r.Age, r.Diam, r.Dist, r.RA, r.Dec, r.Slon, r.Slat, r.Elon, r.Elat, r.AxisA};
}

// One hour as NASA printed it: each of the eleven values times 10^decimals, which
// holds NASA's text exactly in 44 bytes.
struct NasaHourRow {
  std::array<std::int32_t, kNasaColumnCount - 1> Scaled;
};

// One published year.
struct NasaYearTable {
  int Year;
  long FirstDay;  // day number of 1 January 00:00 UTC
  std::span<const NasaHourRow> Rows;
};

// The years with a table, in order; compiled in packed (nasa_packed_years.h) and
// unpacked on first use.
std::span<const NasaYearTable> NasaYearTables();

// The table of year; nullptr when NASA has published none.
const NasaYearTable* NasaTableOf(int year);
bool HasNasaTable(long double x);

// Row r of a table as values (DateTime = first day + r/24, to 8 decimals).
NasaHourRecord NasaRecord(const NasaYearTable& table, int r);

// The row of the UTC hour that holds x. An hour past a table's end (the last 75
// seconds of a year, which the hour clock counts into the next hour) is the next
// year's first row when that year has a table, else the table's last row. An
// instant of a year without a table reads the nearest table's year at the same
// hour (its last row if that hour does not exist there); callers that care ask
// HasNasaTable first.
NasaHourRecord GetNASAData(long double x);

// The eleven values of a row, and of GetNASAData(x).
MoonHourValues HourValuesOf(const NasaHourRecord& row);
MoonHourValues NasaHourValues(long double x);
