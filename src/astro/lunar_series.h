// Lunar series and apparent place: the truncated ELP 2000-85 theory of
// Chapront-Touze and Chapront ("Lunar Tables and Programs from 4000 B.C. to
// A.D. 8000", Willmann-Bell 1991), carried to the apparent place of date with
// IAU 2000A nutation and the true obliquity.
//
// This is the engine's second, independent way to place the Moon. Rise and set
// and the parallactic angle use it; the altitude and azimuth of the data panel
// use MoonPosition. Every instant is a UTC date-time used as dynamical time
// (no Delta T), like everywhere in the engine.
#pragma once

#include <array>
#include <cstddef>

#include "astro/coordinates.h"
#include "astro/moon_position.h"

// A main-problem term: amplitude (degrees, or km for the distance) times the
// sine (cosine for the distance) of the argument
//   C0 + C1 T + C2 1e-4 T^2 + C3 1e-6 T^3 + C4 1e-8 T^4   [degrees, T in Julian centuries].
struct LunarMainTerm {
  long double Amplitude, C0, C1, C2, C3, C4;
};

// A perturbation term: Amplitude times the sine (cosine for the distance) of
// Phase + Frequency T, in degrees. Longitude and latitude amplitudes are in
// 0.001 degree, distance amplitudes in km; the T^2 series are scaled by 1e4.
struct LunarPerturbationTerm {
  long double Amplitude, Phase, Frequency;
};

// Term counts of the published truncation; the table generator checks the data
// file against them, and the arrays below cannot hold more.
inline constexpr std::size_t kLongitudeMainTerms = 218, kLongitudeT0Terms = 244,
                             kLongitudeT1Terms = 154, kLongitudeT2Terms = 25;
inline constexpr std::size_t kLatitudeMainTerms = 188, kLatitudeT0Terms = 64,
                             kLatitudeT1Terms = 64, kLatitudeT2Terms = 12;
inline constexpr std::size_t kDistanceMainTerms = 154, kDistanceT0Terms = 114,
                             kDistanceT1Terms = 68, kDistanceT2Terms = 19;

// The twelve series, each a contiguous run of rows in the data file's order.
struct LunarSeriesCoefficients {
  std::array<LunarMainTerm, kLongitudeMainTerms> LongitudeMain;
  std::array<LunarPerturbationTerm, kLongitudeT0Terms> LongitudeT0;
  std::array<LunarPerturbationTerm, kLongitudeT1Terms> LongitudeT1;
  std::array<LunarPerturbationTerm, kLongitudeT2Terms> LongitudeT2;
  std::array<LunarMainTerm, kLatitudeMainTerms> LatitudeMain;
  std::array<LunarPerturbationTerm, kLatitudeT0Terms> LatitudeT0;
  std::array<LunarPerturbationTerm, kLatitudeT1Terms> LatitudeT1;
  std::array<LunarPerturbationTerm, kLatitudeT2Terms> LatitudeT2;
  std::array<LunarMainTerm, kDistanceMainTerms> DistanceMain;
  std::array<LunarPerturbationTerm, kDistanceT0Terms> DistanceT0;
  std::array<LunarPerturbationTerm, kDistanceT1Terms> DistanceT1;
  std::array<LunarPerturbationTerm, kDistanceT2Terms> DistanceT2;
};

// Generated at build time from ORVANEL_DATA_DIR/astro/elp2000_85_truncated.csv.
extern const LunarSeriesCoefficients LunarSeriesTable;

// Geometric geocentric ecliptic place, mean equinox of date.
struct LunarSeriesPosition {
  long double Longitude;  // degrees, [0, 360)
  long double Latitude;   // degrees
  long double Distance;   // km, centre of the Earth to centre of the Moon
};

// The series' place with its instant.
struct LunarSeriesPlace {
  LunarSeriesPosition Position;
  double DateTime;
};

// Throws std::domain_error for a DateTime that is not finite or outside the
// years 1 to 9999 (so do the operations below, which start from it).
LunarSeriesPosition LunarSeries(double DateTime);

// LunarSeries' longitude alone, for about half its cost.
long double LunarSeriesLongitude(double DateTime);

// Apparent equatorial place of date, radians.
struct ApparentPlace {
  long double RightAscension;      // [0, 2 pi)
  long double Declination;
  long double HorizontalParallax;  // from the series distance
};

// Apparent place from the output of LunarSeries: adds the nutation in longitude
// (IAU 2000A) and the aberration and light-time corrections of
// MoonApparentCorrections, then rotates with the true obliquity. Longitude and
// Latitude are replaced by their apparent values (degrees); the distance is
// used unchanged.
ApparentPlace MoonApparentPlace(long double& Longitude, long double& Latitude,
                                long double Distance, double DateTime);

// The apparent place in MoonPosition's record: right ascension [0, 360),
// declination, horizontal parallax and semi-diameter in degrees, distance in km,
// apparent ecliptic longitude and latitude in radians.
MoonPositionRecord ApparentMoon(double DateTime);

// ApparentMoon's right ascension and declination alone, radians, without the
// distance series.
EquatorialPosition MoonApparentDirection(double DateTime);

// The same from the series' place at an instant near DateTime (as an hour's TT instant
// is to its UTC one), without summing the series again: the place is carried over by
// the motion MoonPosition's shorter series gives between the two instants (now is
// MoonPosition(DateTime)), which differs from the series' own by under 1e-5 degree for
// instants up to five minutes apart (an hour's TT and UTC instants in 1600 ... 2200).
// Farther apart, the series is summed at DateTime.
EquatorialPosition MoonApparentDirection(double DateTime, const LunarSeriesPlace& near,
                                         const MoonPositionRecord& now);

struct MoonRaDec {
  long double RightAscension;      // degrees, [0, 360)
  long double Declination;         // degrees
  long double HorizontalParallax;  // degrees
};

MoonRaDec MoonRaDecParallax(double instant);
