// Time scales and calendar: date-times, Julian dates, the day-number calendar
// used by the simple sidereal time and the phase search, and the time-zone offset.
//
// A date-time is a linear day count with the time of day as fraction; day 0 is
// 1899-12-30 00:00, so 45292.0 is 2024-01-01 00:00, 46023.0 is 2026-01-01 00:00 and
// -1.75 is 1899-12-28 06:00.
// The engine works in UTC throughout and uses UTC directly as the argument of
// every theory (no Delta T).
#pragma once

#include <cstdint>
#include <optional>

// ---- Civil calendar on date-times -------------------------------------------------

struct CivilDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Splits a date-time into its Gregorian date and time of day. The value is first
// rounded to the nearest millisecond, so 23:59:59.9996 becomes 00:00 of the next day.
CivilDateTime DecodeDateTime(long double x);

// Year of the calendar date of a date-time.
int YearOf(long double x);

// Date-time of a valid Gregorian date (years 1 to 9999) at 00:00; 0 when invalid.
long double EncodeDate(int year, int month, int day);

// Inline, so that the build's table generators can use it without the library.
inline bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
int DaysInMonth(int year, int month);

// Date-time of the given civil moment; 0 when year, month or day is 0 or the
// combination is no valid date-time.
long double EncodeDateTimeOrZero(int year, int month, int day, int hour, int minute,
                                 int second, int millisecond);

// ---- Julian dates -------------------------------------------------------------------

// Julian Date of a date-time (proleptic Gregorian calendar). The date-time is one
// linear day count on both sides of 1899-12-30 in the proleptic Gregorian calendar,
// so its Julian Date is an offset, and the sum is exact in long double for every
// double date-time of the years the engine serves.
inline long double DateTimeToJulianDate(double x) { return static_cast<long double>(x) + 2415018.5L; }

// Julian centuries from J2000.0 (JD 2451545.0). Inline: every series starts from it.
inline long double JulianCenturiesJ2000(double x) { return (DateTimeToJulianDate(x) - 2451545.0L) / 36525.0L; }

// ---- Day-number calendar from 1600-01-01 (day 0) to 3999-12-31 (day 876581) ---------

using DayNumber = std::int32_t;   // -1 marks an invalid date
using SecondOfDay = std::int32_t; // 0 ... 86399; -1 marks an invalid time

inline constexpr DayNumber kLastDayNumber = 876581;

struct DayTimeRecord {
  DayNumber Day = -1;
  SecondOfDay Second = -1;
};

struct DMY {
  int Day = 0, Month = 0, Year = 0;
};

DayNumber DMYToDayNumber(int day, int month, int year);
DMY DayNumberToDMY(DayNumber d);
long double DayNumberToJulianDate(DayNumber d);
DayNumber JulianDateToDayNumber(long double jd, bool truncate);
DayNumber DateTimeToDayNumber(double x);
SecondOfDay DateTimeToSecondOfDay(double x);
double DayNumberToDateTime(DayNumber d);
double SecondOfDayToDateTime(SecondOfDay s);
bool IsValidDayTime(const DayTimeRecord& r);

// ---- Time-zone offset ---------------------------------------------------------------

// A time zone: the offset of local time from UTC at an instant. The program asks
// QTimeZone (core/system_time_zone.h); tests give fixed offsets.
class TimeZoneRules {
 public:
  virtual ~TimeZoneRules() = default;
  // Local minus UTC in seconds at the UTC date-time x; nothing when the zone cannot tell.
  virtual std::optional<int> OffsetSecondsAt(double x) const = 0;
};

// Local-minus-UTC offset in hours that applies at the UTC instant x; 0 when the
// zone query fails.
long double UtcOffsetHours(double x, const TimeZoneRules& zone);

// Local date-time to UTC and back. From local time the offset is the one in force at
// the UTC instant it gives, so a local time after a change of offset maps with the new
// offset; a local time shown twice, as the clocks are turned back, maps to the first
// instant that shows it; a local time skipped by a change maps as if the old offset
// still held.
double LocalToUtc(double x, const TimeZoneRules& zone);
double UtcToLocal(double x, const TimeZoneRules& zone);
