#include "core/month_almanac.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "astro/moon_ephemeris.h"
#include "astro/moon_sky_events.h"
#include "astro/rise_set.h"
#include "astro/twilight.h"
#include "core/covered_range.h"
#include "core/local_day_events.h"

namespace {

// The searches stop a second short of the covered range's end, since they look at the
// sky at the very end of the span they search.
constexpr double kCoveredEnd = static_cast<double>(kRangeEnd) - 1.0 / 86400;

// The part of a local day the program computes the sky for: the first local day of 1600
// begins before the covered range east of UTC, the last of 3999 ends after it west of it.
LocalDaySpan CoveredPart(const LocalDaySpan& day) {
  return {std::max(day.Start, static_cast<double>(kRangeStart)), std::min(day.End, kCoveredEnd)};
}

std::optional<TimedAngle> WithAzimuth(long double instant, const AlmanacPlace& place) {
  if (std::isnan(instant)) return std::nullopt;
  const auto t = static_cast<double>(instant);
  return TimedAngle{t, static_cast<double>(MoonAltAz(t, place.Latitude, place.Longitude, 0).Azimuth)};
}

void AddMoon(AlmanacDay& day, const LocalDaySpan& span, const AlmanacPlace& place) {
  try {
    const LocalDayEvents e = EventsOfLocalDay(span, place.Latitude, place.Longitude, RiseSetForDay);
    day.Moonrise = WithAzimuth(e.Rise, place);
    day.Moonset = WithAzimuth(e.Set, place);
  } catch (const std::domain_error&) {
    // The search failed: the day shows no rise or set rather than wrong ones.
  }
  if (const std::optional<double> t = MoonTransit(span.Start, span.End, place.Longitude)) {
    day.Transit = TimedAngle{*t, static_cast<double>(MoonAltAz(*t, place.Latitude, place.Longitude, place.ElevationM).Altitude)};
    day.Illumination = static_cast<double>(ComputeMoonHourValues(*t).Phase);
  }
}

void AddSun(AlmanacDay& day, const LocalDaySpan& span, const AlmanacPlace& place) {
  const auto rise = SunCrossings(span.Start, span.End, place.Latitude, place.Longitude, kSunriseAltitude);
  day.Sunrise = FirstCrossing(rise, true);
  day.Sunset = FirstCrossing(rise, false);
  day.NightFrom = FirstCrossing(
      SunCrossings(span.Start, span.End, place.Latitude, place.Longitude, kAstronomicalTwilightAltitude), false);
  // The night ends within the day after it began, or never (the Sun stays low).
  if (day.NightFrom)
    day.NightUntil = FirstCrossing(SunCrossings(*day.NightFrom, std::min(*day.NightFrom + 1, kCoveredEnd),
                                                place.Latitude, place.Longitude, kAstronomicalTwilightAltitude),
                                   true);
}

}  // namespace

MonthAlmanac ComputeMonthAlmanac(int year, int month, const AlmanacPlace& place, const TimeZoneRules& zone) {
  if (year < 1600 || year > 3999 || month < 1 || month > 12)
    throw std::domain_error("the almanac covers the months of 1600 ... 3999");
  if (!(std::fabs(place.Latitude) <= 90 && std::fabs(place.Longitude) <= 180))
    throw std::domain_error("the place is off the globe");
  MonthAlmanac almanac{year, month, {}, {}};
  const long double first = EncodeDate(year, month, 1);
  const int days = DaysInMonth(year, month);
  // The UTC instant of local midnight, `day` days after the month's first.
  const auto midnight = [&](int day) { return LocalToUtc(static_cast<double>(first + day), zone); };
  for (int d = 1; d <= days; ++d) {
    AlmanacDay day;
    day.Year = year;
    day.Month = month;
    day.Day = d;
    const LocalDaySpan span = CoveredPart({midnight(d - 1), midnight(d)});
    AddMoon(day, span, place);
    AddSun(day, span, place);
    almanac.Days.push_back(day);
  }
  almanac.Events = LunarEventsBetween(midnight(0), midnight(days));
  return almanac;
}
