#include "core/covered_range.h"

#include "astro/time_scales.h"

bool InCoveredRange(long double x) { return x >= kRangeStart && x < kRangeEnd; }

long double NearestCoveredInstant(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  if (c.Year >= kFirstCoveredYear && c.Year <= kLastCoveredYear) return x;
  const int year = c.Year > kLastCoveredYear ? kLastCoveredYear : kFirstCoveredYear;
  const int day = c.Month == 2 && c.Day == 29 && !IsLeapYear(year) ? 28 : c.Day;
  return EncodeDateTimeOrZero(year, c.Month, day, c.Hour, c.Minute, c.Second, c.Millisecond);
}
