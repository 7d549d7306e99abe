#include "core/calculate_data.h"

#include <stdexcept>

#include "core/hour_clock.h"
#include "astro/coordinates.h"
#include "astro/moon_position.h"
#include "astro/parallactic_angle.h"

MoonRecord CalculateMoonRecord(long double x, long double Latitude, long double Longitude,
                               const TimeZoneRules& zone, HourValuesLookup hourValues,
                               RiseSetSearch riseSet) {
  const auto instant = static_cast<double>(x);
  const HourValues source = hourValues(x);
  const MoonHourValues& n = source.Values;
  MoonRecord r;
  r.DateTime = x;
  r.Phase = n.Phase;
  r.Age = n.Age;
  r.Diam = n.Diam;
  r.Dist = n.Dist;
  r.RA = n.RA;
  r.Dec = n.Dec;
  r.Slon = n.Slon;
  r.Slat = n.Slat;
  r.Elon = n.Elon;
  r.Elat = n.Elat;
  r.AxisA = n.AxisA;
  r.FromNasa = source.FromNasa;
  r.Latitude = Latitude;
  r.Longitude = Longitude;

  const MoonPositionRecord m = MoonPosition(instant);
  const HorizontalPosition h = TopocentricAltAz(instant, m.RightAscension, m.Declination,
                                                m.HorizontalParallax, Latitude, Longitude, 0);
  r.Altitude = h.Altitude;
  r.Azimuth = h.Azimuth;

  // Observers west of Greenwich are passed a zero offset, so their times stay UTC
  // and the panel converts them to local time.
  long double z = UtcOffsetHours(instant, zone);
  if (z < 0) z = 0;
  try {
    const RiseSetRecord rs = riseSet(instant, z, Latitude, -Longitude);
    r.Rise = rs.Rise;
    r.Set = rs.Set;
  } catch (const std::exception&) {
    r.Rise = 0;
    r.Set = 0;
  }
  r.ParallacticAngle = ParallacticAngleForObserver(Latitude, Longitude, instant);
  r.HourNumber = GetHourNumber(x);
  return r;
}
