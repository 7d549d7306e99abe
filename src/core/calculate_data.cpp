#include "core/calculate_data.h"

#include <cmath>
#include <stdexcept>

#include "core/hour_clock.h"
#include "core/local_day_events.h"
#include "astro/coordinates.h"
#include "astro/lunar_series.h"
#include "astro/moon_position.h"
#include "astro/parallactic_angle.h"
#include "astro/topocentric_moon.h"

MoonRecord CalculateMoonRecord(long double x, long double Latitude, long double Longitude,
                               const TimeZoneRules& zone, HourValuesLookup hourValues,
                               const RiseSetSearch& riseSet, long double ElevationM) {
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
    const LocalDayEvents e = EventsOfLocalDay(LocalDayOf(instant, zone), Latitude, Longitude, riseSet);
    r.Rise = e.Rise;
    r.Set = e.Set;
  } catch (const std::exception&) {
    r.Rise = 0;
    r.Set = 0;
  }
  // Computed values have just summed the lunar series near the instant.
  const EquatorialPosition moon =
      source.Series ? MoonApparentDirection(instant, *source.Series, m) : MoonApparentDirection(instant);
  r.ParallacticAngle = ParallacticAngleForObserver(Latitude, Longitude, instant, moon);
  r.Topocentric = TopocentricMoon(source.Values, x, ObserverPlace{Latitude, Longitude, ElevationM});
  r.HourNumber = GetHourNumber(x);
  return r;
}
