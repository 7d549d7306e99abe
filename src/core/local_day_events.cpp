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

namespace {

constexpr long double kNone = std::numeric_limits<long double>::quiet_NaN();

// The events of the 24 hours from the local day's start: the search of a day in a time
// scale shifted to begin there, read back in UTC.
LocalDayEvents EventsFromStart(const LocalDaySpan& span, long double Latitude, long double Longitude,
                               const RiseSetSearch& riseSet) {
  const double from = std::floor(span.Start);
  const long double shift = span.Start - from;
  const RiseSetRecord rs = riseSet(from, -24 * shift, Latitude, -Longitude);
  const auto utc = [&](double t) { return t == from ? kNone : t + shift; };
  return {utc(rs.Rise), utc(rs.Set)};
}

}  // namespace

LocalDayEvents EventsOfLocalDay(const LocalDaySpan& span, long double Latitude, long double Longitude,
                                const RiseSetSearch& riseSet) {
  const auto inside = [&](long double t) { return t >= span.Start && t < span.End; };
  LocalDayEvents e{kNone, kNone};
  bool riseBefore = false, setBefore = false;  // a UTC day's event came before the local day
  for (double day = std::floor(span.Start); day < span.End; ++day) {
    const RiseSetRecord rs = riseSet(day, 0, Latitude, -Longitude);
    // The search gives the day itself where it found no event; the days go in order, so
    // an event already found is the earlier.
    if (std::isnan(e.Rise) && rs.Rise != day && inside(rs.Rise)) e.Rise = rs.Rise;
    if (std::isnan(e.Set) && rs.Set != day && inside(rs.Set)) e.Set = rs.Set;
    riseBefore = riseBefore || (rs.Rise != day && rs.Rise < span.Start);
    setBefore = setBefore || (rs.Set != day && rs.Set < span.Start);
  }
  // The search finds one event of a UTC day, and far north the Moon can rise (set) twice
  // in one: the day's first, before the local day began, can hide a second within it.
  if ((std::isnan(e.Rise) && riseBefore) || (std::isnan(e.Set) && setBefore)) {
    const LocalDayEvents later = EventsFromStart(span, Latitude, Longitude, riseSet);
    if (std::isnan(e.Rise) && inside(later.Rise)) e.Rise = later.Rise;
    if (std::isnan(e.Set) && inside(later.Set)) e.Set = later.Set;
  }
  return e;
}
