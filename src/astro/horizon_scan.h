// Moonrise and moonset of one day found by following the Moon's altitude through
// the day, for the days when the three-day interpolation of rise_set.h cannot be
// trusted: the Moon near its circumpolar limits, skimming the horizon.
//
// The apparent place from MoonRaDecParallax is taken every four hours and
// interpolated between (Meeus, Astronomical Algorithms, ch. 3; at that spacing
// the interpolation is good to about 1e-4 degree), the altitude of the Moon's
// centre is compared with the standard altitude of Meeus ch. 15 every ten minutes,
// and each change of sign is bisected to a tenth of a second.
//
// Latitudes are positive north, longitudes positive WEST, angles in degrees.
#pragma once

// The altitude of the Moon's centre at rising and setting: 0.7275 of the
// horizontal parallax less 34' of refraction (Meeus 15), degrees.
long double MoonStandardAltitude(long double HorizontalParallax);

// The first rise and the first set within [Start, Start + 1) (UTC date-times),
// each with a flag telling whether the day has one.
struct HorizonCrossings {
  bool HasRise;
  double Rise;
  bool HasSet;
  double Set;
};

// Throws std::domain_error when the Moon's place or the altitude is not finite.
HorizonCrossings ScanHorizonCrossings(double Start, long double Latitude, long double WestLongitude);
