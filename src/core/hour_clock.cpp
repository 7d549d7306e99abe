#include "core/hour_clock.h"

#include <cmath>

#include "astro/time_scales.h"

std::int32_t GetHourNumber(long double x) {
  // Counted in whole milliseconds, so that an instant encoded at exactly 58 min 45 s
  // is not pushed below the boundary by the day number's rounding.
  constexpr long long kMsPerHour = 3600000, kNextHourFrom = 3525000;  // 58 min 45 s
  const long double start = EncodeDate(YearOf(x), 1, 1);
  const long long ms = std::llround((x - start) * 86400000.0L);
  const long long whole = ms >= 0 ? ms / kMsPerHour : -((-ms + kMsPerHour - 1) / kMsPerHour);
  const long long rest = ms - whole * kMsPerHour;
  return static_cast<std::int32_t>(rest >= kNextHourFrom ? whole + 1 : whole);
}

namespace {

// The date of c at the given hour, which may be 24: on into the next day.
long double AtHour(const CivilDateTime& c, int hour) {
  if (hour == 24) return EncodeDate(c.Year, c.Month, c.Day) + 1;
  return EncodeDateTimeOrZero(c.Year, c.Month, c.Day, hour, 0, 0, 0);
}

}  // namespace

long double RoundToHour(long double x, bool Truncate) {
  const CivilDateTime c = DecodeDateTime(x);
  return AtHour(c, !Truncate && c.Minute >= 30 ? c.Hour + 1 : c.Hour);
}

long double HourAtOrAfter(long double x) {
  const CivilDateTime c = DecodeDateTime(x);
  return AtHour(c, c.Minute == 0 && c.Second == 0 && c.Millisecond == 0 ? c.Hour : c.Hour + 1);
}
