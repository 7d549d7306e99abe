// NASA's hourly Moon values for 2024 and 2025, compiled in from the yearly tables of
// the Scientific Visualization Studio ("Moon Phase and Libration", mooninfo_YYYY.txt).
// Row r of a year is the UTC hour that begins r hours after 1 January 00:00.
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

inline constexpr std::int32_t kNasaRows2024 = 8784;  // 366 days x 24 hours
inline constexpr std::int32_t kNasaRows2025 = 8760;  // 365 days x 24 hours

// Generated at build time (see nasa_tables.cmake).
extern const NasaHourRecord NasaMoonData2024[kNasaRows2024];
extern const NasaHourRecord NasaMoonData2025[kNasaRows2025];

using NasaHourTable = std::span<const NasaHourRecord>;

// The row of the UTC hour that holds x. Instants of 2024 read the 2024 table, all
// others the 2025 table at the same hour of their own year. An hour past a table's
// end (the last 75 seconds of a year, which the hour clock counts into the next
// hour, or the extra day of a leap year other than 2024) reads no memory outside
// the tables: the hour after the last one of 2024 is 2025 row 0, any other
// overflow gives the table's last row.
const NasaHourRecord& GetNASAData(long double x);

// The eleven values of a row, and of GetNASAData(x).
MoonHourValues HourValuesOf(const NasaHourRecord& row);
MoonHourValues NasaHourValues(long double x);
