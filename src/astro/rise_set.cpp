#include "astro/rise_set.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/horizon_scan.h"
#include "astro/lunar_series.h"

namespace {


// Sidereal degrees per solar day (Meeus, ch. 15).
constexpr long double kSiderealRate = 360.985647L;

// A set corrected to within this fraction of a day after DayStart is taken to
// belong to the following day.
constexpr long double kEarlySetLimit = 0.02L;

// The three-day interpolation is trusted while the cosine of the hour angle at
// rising stays within this bound on all five tabulated days: the Moon then rises
// and sets every day and crosses the horizon steeply enough for the corrections
// to converge on the crossing of that day. Against an independent ephemeris, 0.97
// still let wrong events through at high latitudes and 0.95 none; 0.9 keeps a margin.
constexpr long double kTrustedCosineLimit = 0.9L;

// A division by zero or an invalid operation must fail the whole search (the
// caller then shows no times), but C++ arithmetic quietly yields inf or NaN; so
// every value that could carry one is checked and the failure raised here.
long double Finite(long double value, const char* what) {
  if (!std::isfinite(value))
    throw std::domain_error(std::string(what) + " is not finite");
  return value;
}

// One Newton step of an event fraction m towards the standard altitude.
long double Corrected(const RiseSetEstimate& e, long double m) {
  const auto& d = e.Days;
  const long double theta = Normalize360(e.SiderealTime + kSiderealRate * m);
  const long double alpha =
      InterpolateThree(d[0].RightAscension, d[1].RightAscension, d[2].RightAscension, m);
  const long double delta =
      InterpolateThree(d[0].Declination, d[1].Declination, d[2].Declination, m);
  // Not reduced: only its sine and cosine are used.
  const long double hourAngle = theta - e.WestLongitude - alpha;
  const long double altitude =
      AltitudeFromHourAngle(hourAngle * kRadiansPerDegree, delta * kRadiansPerDegree,
                            e.Latitude * kRadiansPerDegree) *
      kDegreesPerRadian;
  const long double dm = (altitude - e.StandardAltitude) /
                         (360.0L * CosDeg(delta) * CosDeg(e.Latitude) * SinDeg(hourAngle));
  return m + Finite(dm, "the correction of an event");
}

// cos H0 of Meeus 15.1 for a body of declination Declination.
long double CosineOfRisingHourAngle(long double StandardAltitude, long double Latitude,
                                    long double Declination) {
  return (SinDeg(StandardAltitude) - SinDeg(Latitude) * SinDeg(Declination)) /
         (CosDeg(Latitude) * CosDeg(Declination));
}

bool ClearOfCircumpolarLimits(const std::array<DayPositionRecord, 5>& table, long double Latitude) {
  for (const DayPositionRecord& day : table) {
    const long double cosH0 =
        CosineOfRisingHourAngle(MoonStandardAltitude(day.HorizontalParallax), Latitude, day.Declination);
    if (!(std::fabs(cosH0) <= kTrustedCosineLimit)) return false;
  }
  return true;
}

// The entry's event that falls on D's calendar day, or D itself. The day is the
// floor, not the truncation: before 1899-12-30 date-times are negative.
double OnCalendarDay(double D, double before, double at, double after) {
  const double day = std::floor(D);
  for (const double event : {before, at, after})
    if (std::floor(event) == day) return event;
  return D;
}

// The Moon's place at an instant, remembered for the searches that follow on the
// same thread: the days around neighbouring days are mostly the same days (a local
// day asks for two UTC days, the window and the almanac for day after day), and the
// place is most of a search's cost.
MoonRaDec RememberedPlace(double instant) {
  struct Place {
    double Instant = std::numeric_limits<double>::quiet_NaN();
    MoonRaDec Value{};
  };
  thread_local std::array<Place, 8> recent;
  thread_local std::size_t next = 0;
  for (const Place& p : recent)
    if (p.Instant == instant) return p.Value;
  recent[next] = {instant, MoonRaDecParallax(instant)};
  const MoonRaDec value = recent[next].Value;
  next = (next + 1) % recent.size();
  return value;
}

// Days D-2 ... D+2 at D's own time of day.
std::array<DayPositionRecord, 5> TabulateDays(double D) {
  std::array<DayPositionRecord, 5> table;
  for (int k = 0; k < 5; ++k) {
    const MoonRaDec m = RememberedPlace(D + (k - 2));
    table[k].RightAscension = m.RightAscension;
    table[k].Declination = m.Declination;
    table[k].HorizontalParallax = m.HorizontalParallax;
  }
  return table;
}

RiseSetRecord InterpolatedRiseSet(std::array<DayPositionRecord, 5> table, double D, long double OffsetHours,
                                  long double Latitude, long double WestLongitude) {
  // Days D-1, D and D+1, each interpolated between its neighbours.
  for (int k = 1; k <= 3; ++k) {
    std::array<DayPositionRecord, 3> block = {table[k - 1], table[k], table[k + 1]};
    UnwrapRightAscension(block[0].RightAscension, block[1].RightAscension, block[2].RightAscension);
    const long double standardAltitude = MoonStandardAltitude(block[1].HorizontalParallax);
    const double dayStart = D + (k - 2);
    const EventFractions events =
        RiseTransitSet(block, OffsetHours, standardAltitude, Latitude, WestLongitude, dayStart);
    table[k].Rise = static_cast<double>(dayStart + events.Rise);
    table[k].Set = static_cast<double>(dayStart + events.Set);
  }
  return {OnCalendarDay(D, table[1].Rise, table[2].Rise, table[3].Rise),
          OnCalendarDay(D, table[1].Set, table[2].Set, table[3].Set)};
}

// The calendar day of D in the shifted time scale, searched by the altitude scan.
RiseSetRecord ScannedRiseSet(double D, long double OffsetHours, long double Latitude,
                             long double WestLongitude) {
  const long double offset = OffsetHours / 24.0L;
  const HorizonCrossings c =
      ScanHorizonCrossings(static_cast<double>(std::floor(D) - offset), Latitude, WestLongitude);
  return {c.HasRise ? static_cast<double>(c.Rise + offset) : D,
          c.HasSet ? static_cast<double>(c.Set + offset) : D};
}

}  // namespace

long double InterpolateThree(long double y1, long double y2, long double y3, long double n) {
  const long double a = y2 - y1, b = y3 - y2, c = b - a;
  return y2 + n / 2.0L * (a + b + n * c);
}

void UnwrapRightAscension(long double& a1, long double& a2, long double& a3) {
  if (std::fabs(a3 - a2) > 300.0L) {
    a3 += 360.0L;
  } else if (std::fabs(a2 - a1) > 300.0L) {
    a2 += 360.0L;
    a3 += 360.0L;
  }
}

void RefineEvents(RiseSetEstimate& estimate) {
  estimate.Rise = Corrected(estimate, estimate.Rise);
  const long double set = Corrected(estimate, estimate.Set);
  estimate.Set = set > 0 && set < kEarlySetLimit ? estimate.Set + 1.0L : set;
}

EventFractions RiseTransitSet(const std::array<DayPositionRecord, 3>& days, long double OffsetHours,
                              long double StandardAltitude, long double Latitude,
                              long double WestLongitude, double DayStart) {
  const long double siderealTime = GreenwichApparentSiderealTime(false, DayStart);
  const long double declination = days[1].Declination;
  const long double cosH0 = Finite(CosineOfRisingHourAngle(StandardAltitude, Latitude, declination),
                                   "the cosine of the hour angle at rising");
  if (cosH0 >= 1.0L) return {NeverRises, NeverRises, NeverRises};
  if (cosH0 <= -1.0L) return {AlwaysAbove, AlwaysAbove, AlwaysAbove};

  const long double H0 = std::acos(cosH0) * kDegreesPerRadian;
  const long double transit = (days[1].RightAscension + WestLongitude - siderealTime) / 360.0L;
  RiseSetEstimate estimate{days, siderealTime, StandardAltitude, Latitude, WestLongitude,
                           NormalizeUnit(transit - H0 / 360.0L), NormalizeUnit(transit + H0 / 360.0L)};
  for (int pass = 0; pass < 3; ++pass) RefineEvents(estimate);

  const long double offset = OffsetHours / 24.0L;
  return {estimate.Rise + offset, NormalizeUnit(transit) + offset, estimate.Set + offset};
}

RiseSetRecord RiseSetForDay(double D, long double OffsetHours, long double Latitude,
                            long double WestLongitude) {
  // A place off the globe has no rise or set.
  if (!(std::fabs(Latitude) <= 90.0L && std::isfinite(WestLongitude) && std::isfinite(OffsetHours)))
    throw std::domain_error("latitude, longitude or offset out of range");
  if (!std::isfinite(D)) throw std::domain_error("the instant is not finite");
  const std::array<DayPositionRecord, 5> table = TabulateDays(D);
  const RiseSetRecord interpolated = ClearOfCircumpolarLimits(table, Latitude)
                                         ? InterpolatedRiseSet(table, D, OffsetHours, Latitude, WestLongitude)
                                         : RiseSetRecord{D, D};
  if (interpolated.Rise != D && interpolated.Set != D) return interpolated;
  // The interpolation can lose an event that lies near the instants of its
  // tabulated days or beyond their reach; a day without one is confirmed by the scan.
  const RiseSetRecord scanned = ScannedRiseSet(D, OffsetHours, Latitude, WestLongitude);
  return {interpolated.Rise != D ? interpolated.Rise : scanned.Rise,
          interpolated.Set != D ? interpolated.Set : scanned.Set};
}
