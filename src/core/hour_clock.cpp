#include "core/hour_clock.h"

#include <cmath>

#include "astro/time_scales.h"

std::int32_t GetHourNumber(long double x) {
  const long double start = EncodeDate(YearOf(x), 1, 1);
  const long double hours = (x - start) * 24.0L;
  const long double whole = std::floor(hours);
  const auto result = static_cast<std::int32_t>(whole);
  return hours - whole >= 23.5L / 24.0L ? result + 1 : result;
}

long double RoundToHour(long double x, bool Truncate) {
  const CivilDateTime c = DecodeDateTime(x);
  const int hour = !Truncate && c.Minute >= 30 ? c.Hour + 1 : c.Hour;
  if (hour == 24) return EncodeDate(c.Year, c.Month, c.Day) + 1;  // on into the next day
  return EncodeDateTimeOrZero(c.Year, c.Month, c.Day, hour, 0, 0, 0);
}
