#include "core/calculate_data.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/hour_clock.h"
#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "astro/parallactic_angle.h"
#include "astro/topocentric_moon.h"

namespace {

struct LocalDayEvents {
  long double Rise, Set;  // UTC, NaN for none
};

// The rise and the set within the observer's local calendar day of the instant. The
// search finds the events of a UTC day; a local day overlaps two of them, and the Moon
// rises (sets) at most once in 24 hours, so each event of the local day is the one of
// those two days' that falls inside it.
LocalDayEvents EventsOfLocalDay(double instant, const TimeZoneRules& zone, long double Latitude,
                                long double Longitude, const RiseSetSearch& riseSet) {
  const double localDay = std::floor(UtcToLocal(instant, zone));
  const double start = LocalToUtc(localDay, zone), end = LocalToUtc(localDay + 1, zone);
  const auto inside = [&](double t) { return t >= start && t < end; };
  LocalDayEvents e{std::numeric_limits<long double>::quiet_NaN(), std::numeric_limits<long double>::quiet_NaN()};
  for (double day = std::floor(start); day < end; ++day) {
    const RiseSetRecord rs = riseSet(day, 0, Latitude, -Longitude);
    // The search gives the day itself where it found no event.
    if (rs.Rise != day && inside(rs.Rise)) e.Rise = rs.Rise;
    if (rs.Set != day && inside(rs.Set)) e.Set = rs.Set;
  }
  return e;
}

}  // namespace

MoonRecord CalculateMoonRecord(long double x, long double Latitude, long double Longitude,
                               const TimeZoneRules& zone, HourValuesLookup hourValues,
                               const RiseSetSearch& riseSet) {
  const auto instant = static_cast<double>(x);
  const HourValues source = hourValues(x);
  MoonRecord r;
  r.DateTime = x;
  SetHourValues(r, source.Values);
  r.FromNasa = source.FromNasa;
  r.Latitude = Latitude;
  r.Longitude = Longitude;

  const MoonPositionRecord m = MoonPosition(instant);
  const HorizontalPosition h = TopocentricAltAz(instant, m.RightAscension, m.Declination,
                                                m.HorizontalParallax, Latitude, Longitude, 0);
  r.Altitude = h.Altitude;
  r.Azimuth = h.Azimuth;

  try {
    const LocalDayEvents e = EventsOfLocalDay(instant, zone, Latitude, Longitude, riseSet);
    r.Rise = e.Rise;
    r.Set = e.Set;
  } catch (const std::exception&) {
    r.Rise = 0;
    r.Set = 0;
  }
  r.ParallacticAngle = ParallacticAngleForObserver(Latitude, Longitude, instant);
  r.Topocentric = TopocentricMoon(source.Values, x, ObserverPlace{Latitude, Longitude, 0});
  r.HourNumber = GetHourNumber(x);
  return r;
}
