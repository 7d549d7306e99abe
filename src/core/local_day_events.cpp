#include "core/local_day_events.h"

#include <cmath>
#include <limits>
#include <tuple>

#include "core/hour_clock.h"

LocalDaySpan LocalDayOf(double instant, const TimeZoneRules& zone) {
  const double localDay = std::floor(UtcToLocal(instant, zone));
  return {LocalToUtc(localDay, zone), LocalToUtc(localDay + 1, zone)};
}

long double NearestHourOfLocalDay(double instant, const TimeZoneRules& zone) {
  const auto localDate = [&](long double t) {
    const CivilDateTime c = DecodeDateTime(UtcToLocal(static_cast<double>(t), zone));
    return std::tuple(c.Year, c.Month, c.Day);
  };
  const long double nearest = RoundToHour(instant, false);
  if (localDate(nearest) == localDate(instant)) return nearest;
  // The nearest hour is across a midnight: the one on this side of it.
  return nearest > instant ? RoundToHour(instant, true) : HourAtOrAfter(instant);
}

LocalDayEvents EventsOfLocalDay(const LocalDaySpan& span, long double Latitude, long double Longitude,
                                const RiseSetSearch& riseSet) {
  const auto inside = [&](double t) { return t >= span.Start && t < span.End; };
  LocalDayEvents e{std::numeric_limits<long double>::quiet_NaN(), std::numeric_limits<long double>::quiet_NaN()};
  for (double day = std::floor(span.Start); day < span.End; ++day) {
    const RiseSetRecord rs = riseSet(day, 0, Latitude, -Longitude);
    // The search gives the day itself where it found no event; the days go in order, so
    // an event already found is the earlier.
    if (std::isnan(e.Rise) && rs.Rise != day && inside(rs.Rise)) e.Rise = rs.Rise;
    if (std::isnan(e.Set) && rs.Set != day && inside(rs.Set)) e.Set = rs.Set;
  }
  return e;
}
