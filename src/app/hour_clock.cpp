#include "app/hour_clock.h"

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
  const long double hour = EncodeDate(c.Year, c.Month, c.Day) + c.Hour / 24.0L;
  return !Truncate && c.Minute >= 30 ? hour + 1.0L / 24.0L : hour;
}
