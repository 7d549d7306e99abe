#include "astro/time_scales.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double kMsPerDay = 86400000.0L;

// Days from 0001-01-01 to the given Gregorian date (proleptic), 0-based.
constexpr long long DaysFromCivilEpoch(int y, int m, int d) {
  // Howard Hinnant's days_from_civil, shifted so that 1899-12-30 is day 0 below.
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe);
}

// constexpr: other files' static instants are built before any dynamic initialisation here.
constexpr long long kDateTimeEpoch = DaysFromCivilEpoch(1899, 12, 30);

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += kDateTimeEpoch;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

CivilDateTime DecodeDateTime(long double x) {
  const long double ms = std::round(x * kMsPerDay);
  long long days = static_cast<long long>(std::floor(ms / kMsPerDay));
  long long msOfDay = static_cast<long long>(ms - static_cast<long double>(days) * kMsPerDay);
  if (msOfDay >= 86400000LL) {  // guards the floor of a value a hair below a whole day
    ++days;
    msOfDay -= 86400000LL;
  }
  CivilDateTime c;
  CivilFromDays(days, c.Year, c.Month, c.Day);
  c.Hour = static_cast<int>(msOfDay / 3600000);
  c.Minute = static_cast<int>(msOfDay / 60000 % 60);
  c.Second = static_cast<int>(msOfDay / 1000 % 60);
  c.Millisecond = static_cast<int>(msOfDay % 1000);
  return c;
}

int YearOf(long double x) { return DecodeDateTime(x).Year; }

long double EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return 0;
  return static_cast<long double>(DaysFromCivilEpoch(year, month, day) - kDateTimeEpoch);
}

long double EncodeDateTimeOrZero(int year, int month, int day, int hour, int minute,
                                 int second, int millisecond) {
  if (year == 0 || month == 0 || day == 0) return 0;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    return 0;
  const long double date = EncodeDate(year, month, day);
  if (date == 0 && !(year == 1899 && month == 12 && day == 30)) return 0;
  const long double time =
      ((hour * 3600.0L + minute * 60.0L + second) * 1000.0L + millisecond) / kMsPerDay;
  // One linear count on both sides of 1899-12-30, as DecodeDateTime reads it, so that
  // adding an hour is an hour later in every century the program shows.
  return date + time;
}

// ---- Day-number calendar ------------------------------------------------------------

DayNumber DMYToDayNumber(int day, int month, int year) {
  if (year < 1600 || year > 3999 || day < 1 || day > DaysInMonth(year, month)) return -1;
  if (year == 1600 && month <= 2) return month == 1 ? day - 1 : day + 30;
  int m;
  if (month > 2) {
    m = month - 3;
  } else {
    m = month + 9;
    --year;
  }
  const int y = year - 1600;
  const int c = y / 100;
  const int r = y % 100;
  return (146097 * c) / 4 + (1461 * r) / 4 + (153 * m + 2) / 5 + day + 59;
}

DMY DayNumberToDMY(DayNumber d) {
  if (d < 0 || d > kLastDayNumber) return {};
  // Day 0 is 1600-01-01; count in date-times and decode.
  const long double x = EncodeDate(1600, 1, 1) + d;
  const CivilDateTime c = DecodeDateTime(x);
  return {c.Day, c.Month, c.Year};
}

long double DayNumberToJulianDate(DayNumber d) { return d + 2305447.5L; }

DayNumber JulianDateToDayNumber(long double jd, bool truncate) {
  const long double v = jd + 0.5L - 2305448.0L;
  if (v < 0 || v > kLastDayNumber) return -1;
  return static_cast<DayNumber>(truncate ? std::trunc(v) : std::trunc(v + 0.5L));
}

DayNumber DateTimeToDayNumber(double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return DMYToDayNumber(c.Day, c.Month, c.Year);
}

SecondOfDay DateTimeToSecondOfDay(double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return ((c.Hour % 24) * 3600 + c.Minute * 60 + c.Second) % 86400;
}

double DayNumberToDateTime(DayNumber d) {
  const DMY dmy = DayNumberToDMY(d);
  if (dmy.Year == 0) return 0;
  return static_cast<double>(EncodeDate(dmy.Year, dmy.Month, dmy.Day));
}

double SecondOfDayToDateTime(SecondOfDay s) {
  if (s < 0 || s >= 86400) return 0;
  return static_cast<double>(s / 86400.0L);
}

bool IsValidDayTime(const DayTimeRecord& r) {
  return r.Day >= 0 && r.Day <= kLastDayNumber && r.Second >= 0 && r.Second < 86400;
}

// ---- Time-zone offset ---------------------------------------------------------------

long double UtcOffsetHours(double x, const TimeZoneRules& zone) {
  return zone.OffsetSecondsAt(x).value_or(0) / 3600.0L;
}

double LocalToUtc(double x, const TimeZoneRules& zone) {
  // The instants x can be are within a day of it, so x read with the offset in force a
  // day before it and with the one a day after it gives each of them (a zone's changes
  // are days apart). A reading the clocks show at the instant it gives is a true one.
  const long double oldOffset = UtcOffsetHours(x - 1, zone);
  const long double newOffset = UtcOffsetHours(x + 1, zone);
  const long double byOld = x - oldOffset / 24.0L;
  if (newOffset == oldOffset) return static_cast<double>(byOld);  // no change near x
  const long double byNew = x - newOffset / 24.0L;
  const bool oldShown = UtcOffsetHours(static_cast<double>(byOld), zone) == oldOffset;
  const bool newShown = UtcOffsetHours(static_cast<double>(byNew), zone) == newOffset;
  // Shown twice, as the clocks are turned back: the first time. Skipped, as they are
  // turned forward: x is read with the old offset (a skipped midnight gives the change).
  if (oldShown && newShown) return static_cast<double>(std::min(byOld, byNew));
  return static_cast<double>(newShown ? byNew : byOld);
}

double UtcToLocal(double x, const TimeZoneRules& zone) {
  return static_cast<double>(x + UtcOffsetHours(x, zone) / 24.0L);
}
