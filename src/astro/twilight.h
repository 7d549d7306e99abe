// The Sun in the local sky: its altitude, sunrise and sunset (the upper limb on the
// horizon with the standard refraction of 34', the Sun's centre at -50'), and the
// civil, nautical and astronomical twilights (the centre at -6, -12 and -18 degrees),
// from the apparent place of sun_position.h. Altitudes are geocentric (the Sun's
// parallax, 9", is left out).
//
// Latitudes are positive north, longitudes positive EAST, angles in degrees.
#pragma once

#include <vector>

#include "astro/coordinates.h"
#include "astro/crossing_search.h"

inline constexpr long double kSunriseAltitude = -50.0L / 60.0L;
inline constexpr long double kCivilTwilightAltitude = -6.0L;
inline constexpr long double kNauticalTwilightAltitude = -12.0L;
inline constexpr long double kAstronomicalTwilightAltitude = -18.0L;

enum class SkyKind { Day, CivilTwilight, NauticalTwilight, AstronomicalTwilight, Night };

HorizontalPosition SunAltAz(double instant, long double Latitude, long double EastLongitude);

// What the sky is with the Sun's centre at an altitude.
SkyKind SkyOfSunAltitude(long double altitude);

// The Sun's centre through an altitude within [from, to): rising is the morning's.
std::vector<Crossing> SunCrossings(double from, double to, long double Latitude, long double EastLongitude,
                                   long double altitude);

// A stretch of time with one kind of sky.
struct SkySpan {
  double From, To;  // UTC date-times
  SkyKind Kind;
};

// [from, to) cut where the sky changes, in order, covering it whole.
std::vector<SkySpan> SkySpans(double from, double to, long double Latitude, long double EastLongitude);
