#include "app/covered_range.h"

#include "astro/time_scales.h"

long double NearestCoveredInstant(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  if (c.Year == 2024 || c.Year == 2025) return x;
  const int year = c.Year > 2025 ? 2025 : 2024;
  const int day = c.Month == 2 && c.Day == 29 && !IsLeapYear(year) ? 28 : c.Day;
  return EncodeDateTimeOrZero(year, c.Month, day, c.Hour, c.Minute, c.Second, c.Millisecond);
}
