// Moonrise and moonset of a calendar day by the classic three-day
// interpolation (Meeus, Astronomical Algorithms, ch. 15): apparent right
// ascension and declination from MoonRaDecParallax once per day, a first
// estimate from the middle day and the standard altitude, then three
// correction passes interpolated in the table. Where that breaks down (the Moon
// near its circumpolar limits) or finds no event, the day is searched by
// following the altitude instead (horizon_scan.h).
//
// Latitudes are positive north, longitudes positive WEST, angles in degrees.
#pragma once

#include <array>

// One tabulated day.
struct DayPositionRecord {
  long double RightAscension = 0;      // degrees
  long double Declination = 0;         // degrees
  long double HorizontalParallax = 0;  // degrees
  double Rise = 0;                     // date-time
  double Set = 0;                      // date-time
};

struct RiseSetRecord {
  double Rise;
  double Set;
};

// Event fractions of a day with no crossing of the standard altitude.
inline constexpr long double NeverRises = -4;   // below it all day
inline constexpr long double AlwaysAbove = -3;  // above it all day

// Rise, transit and set as fractions of a day from DayStart, or all three a marker.
struct EventFractions {
  long double Rise;
  long double Transit;
  long double Set;
};

// The rise and set that fall on the calendar day of D (its integer part), each
// chosen independently from the days before, of and after D; D itself where
// none does. OffsetHours is added to every event before the day is chosen, and
// the results are in D's time scale shifted by it. While the Moon rises and sets
// well clear of its circumpolar limits on the five days around D, the events are
// the interpolated ones; an event the interpolation leaves out, and both events
// near those limits, come from the altitude scan of the day.
// Throws std::domain_error when an intermediate value is not finite (the caller stores Rise = Set = 0),
// and likewise for a latitude beyond +-90 or a D, longitude or offset that is not finite.
RiseSetRecord RiseSetForDay(double D, long double OffsetHours, long double Latitude, long double WestLongitude);

// Rise, transit and set for the middle day of three consecutive tabulated days
// whose right ascensions are already unwrapped; DayStart is the instant of the
// middle day's position. OffsetHours/24 is added to the fractions, never to
// the markers. Throws std::domain_error on a non-finite intermediate value.
EventFractions RiseTransitSet(const std::array<DayPositionRecord, 3>& days, long double OffsetHours,
                              long double StandardAltitude, long double Latitude,
                              long double WestLongitude, double DayStart);

// The state that one correction pass works on.
struct RiseSetEstimate {
  std::array<DayPositionRecord, 3> Days;
  long double SiderealTime;      // apparent sidereal time at Greenwich at DayStart, degrees
  long double StandardAltitude;  // degrees
  long double Latitude;
  long double WestLongitude;
  long double Rise;  // fraction of a day from DayStart
  long double Set;
};

// One correction pass over the rise and set fractions. A set corrected to
// within 0.02 day after DayStart is moved to the following day (its previous
// estimate plus one). Throws std::domain_error on a non-finite correction.
void RefineEvents(RiseSetEstimate& estimate);

// Three-point interpolation centred on y2 with unit spacing, n counted from y2.
long double InterpolateThree(long double y1, long double y2, long double y3, long double n);

// Brings three right ascensions of successive days (degrees) onto one branch
// when they wrap past 360 degrees.
void UnwrapRightAscension(long double& a1, long double& a2, long double& a3);
