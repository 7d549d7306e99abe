// Moonrise and moonset against an independent ephemeris built from ERFA: the
// Moon's place from eraMoon98 in proper TT, IAU 2006/2000A precession-nutation
// and sidereal time, and the engine's own convention for the horizon (geocentric
// altitude of the Moon's centre at 0.7275 of the horizontal parallax less 34').
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "astro/rise_set.h"

namespace {

constexpr double kDateTimeEpochJd = 2415018.5;  // Julian Date of date-time 0
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kEarthRadiusKm = 6378.1366;    // the engine's, for the same parallax
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// 60 s covers what separates the engine from this reference: its daily
// interpolation (0.1 degree at most, half a minute at mid latitudes), eraMoon98
// (18" worst) and UT1 - UTC (under a second, neglected here). The engine's use of
// UTC as TT (64 to 69 s over 2000-2050, in which the Moon moves about 0.01
// degree) moves a steep crossing by a few seconds, but one where the Moon skims
// the horizon by minutes, and can even make or remove a grazing appearance; so an
// answer is also accepted when it agrees with the reference evaluated the
// engine's way, with the Moon's place at UTC read as TT.
constexpr double kTolerance = 60 * kSecond;

// One day at one place, with what stays fixed through it.
struct ReferenceDay {
  double TtMinusUtc;  // days
  double Npb[3][3];   // GCRS to the true equator and equinox of date
  double Latitude;    // radians
  double EastLongitude;
};

ReferenceDay MakeReferenceDay(double start, double latitude, double westLongitude) {
  int year, month, day;
  double fraction, taiMinusUtc;
  eraJd2cal(kDateTimeEpochJd, start, &year, &month, &day, &fraction);
  eraDat(year, month, day, fraction, &taiMinusUtc);  // the last known value after 2017
  ReferenceDay d{(taiMinusUtc + 32.184) * kSecond, {}, latitude * ERFA_DD2R, -westLongitude * ERFA_DD2R};
  // Precession-nutation moves the Moon by well under 0.1" in half a day.
  eraPnm06a(kDateTimeEpochJd, start + 0.5 + d.TtMinusUtc, d.Npb);
  return d;
}

// Degrees of the Moon's centre above the standard altitude at UTC date-time t
// (UT1 taken as UTC). The day comes by value: ERFA takes no const matrices.
double AboveStandardAltitude(ReferenceDay day, double t) {
  const double tt = t + day.TtMinusUtc;
  double pv[2][3], p[3], ra, dec, azimuth, altitude;
  eraMoon98(kDateTimeEpochJd, tt, pv);
  eraRxp(day.Npb, pv[0], p);
  eraC2s(p, &ra, &dec);
  const double sidereal = eraGst06(kDateTimeEpochJd, t, kDateTimeEpochJd, tt, day.Npb);
  eraHd2ae(sidereal + day.EastLongitude - ra, dec, day.Latitude, &azimuth, &altitude);
  const double parallax = std::asin(kEarthRadiusKm / (eraPm(pv[0]) * ERFA_DAU / 1000));
  return (altitude - 0.7275 * parallax) * ERFA_DR2D + 34.0 / 60.0;
}

struct Crossings {
  std::vector<double> Rises, Sets;
};

// Every crossing within [from, to): a five-minute scan, each change of sign bisected
// to a tenth of a second. A whole appearance within five minutes would clear the
// standard altitude by a few thousandths of a degree, below what either theory resolves.
Crossings ReferenceCrossings(const ReferenceDay& day, double from, double to) {
  Crossings found;
  const double step = 300 * kSecond;
  double t0 = from, f0 = AboveStandardAltitude(day, t0);
  while (t0 < to) {
    const double t1 = std::min(t0 + step, to), f1 = AboveStandardAltitude(day, t1);
    if ((f0 < 0) != (f1 < 0)) {
      double lo = t0, hi = t1;
      while (hi - lo > 0.1 * kSecond) {
        const double mid = (lo + hi) / 2;
        ((AboveStandardAltitude(day, mid) < 0) == (f0 < 0) ? lo : hi) = mid;
      }
      (f0 < 0 ? found.Rises : found.Sets).push_back((lo + hi) / 2);
    }
    t0 = t1;
    f0 = f1;
  }
  return found;
}

// An event the engine reports (kNone for none) against the reference crossings of
// the day [start, end), searched a little beyond its ends: a reported event must
// lie within the tolerance of one of them, and none may be reported only when no
// crossing lies inside the day by more than the tolerance. Returns the difference
// from the nearest crossing, or infinity when they disagree.
double Disagreement(double engine, const std::vector<double>& reference, double start, double end) {
  if (std::isnan(engine)) {
    const bool inside = std::any_of(reference.begin(), reference.end(), [&](double r) {
      return r >= start + kTolerance && r < end - kTolerance;
    });
    return inside ? std::numeric_limits<double>::infinity() : 0;
  }
  double nearest = std::numeric_limits<double>::infinity();
  for (const double r : reference) nearest = std::min(nearest, std::fabs(engine - r));
  return nearest <= kTolerance ? nearest : std::numeric_limits<double>::infinity();
}

struct Case {
  double D;
  double OffsetHours;
  double Latitude;
  double WestLongitude;
};

double DateTimeOf(int year) {
  double mjd0, mjd;
  eraCal2jd(year, 1, 1, &mjd0, &mjd);
  return mjd0 + mjd - kDateTimeEpochJd;
}

// Random days of the years [firstYear, lastYear] at random places within 80
// degrees of the equator and random whole-hour offsets.
std::vector<Case> Cases(int firstYear, int lastYear, int count, std::uint64_t seed) {
  std::vector<Case> cases;
  std::mt19937_64 random(seed);
  const auto uniform = [&](double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(random() >> 11) * 0x1.0p-53;
  };
  const double first = DateTimeOf(firstYear), last = DateTimeOf(lastYear + 1);
  while (static_cast<int>(cases.size()) < count)
    cases.push_back(
        {uniform(first, last), std::floor(uniform(-12, 15)), uniform(-80, 80), uniform(-180, 180)});
  return cases;
}

// 2000-2050 after the day the three-day interpolation missed (2024-04-16 at 65 S:
// rise 09:19 and set 11:26 UTC); 1600-1899, where date-times are negative and a
// calendar day is their floor, not their truncation.
std::vector<Case> AllCases() {
  std::vector<Case> cases = {{DateTimeOf(2024) + 106 + 1.0 / 24, 0, -65, -128.3262}};
  for (const Case& c : Cases(2000, 2050, 1000, 20240416)) cases.push_back(c);
  for (const Case& c : Cases(1600, 1899, 300, 17001215)) cases.push_back(c);
  return cases;
}

// The engine's answer for one day, each event as UTC or kNone.
struct Events {
  double Rise, Set;
};

Events EngineEvents(const Case& c) {
  const RiseSetRecord r = RiseSetForDay(c.D, c.OffsetHours, c.Latitude, c.WestLongitude);
  const double shift = c.OffsetHours / 24;
  return {r.Rise == c.D ? kNone : r.Rise - shift, r.Set == c.D ? kNone : r.Set - shift};
}

// The cases are dealt round-robin to shards that CTest runs side by side; together
// they check every case.
constexpr int kShards = 16;

class RiseSetForDayAgainstErfa : public ::testing::TestWithParam<int> {};

TEST_P(RiseSetForDayAgainstErfa, AgreesOnRandomDaysAndPlaces) {
  int checked = 0, mismatches = 0, byConvention = 0;
  double largest = 0;
  const std::vector<Case> cases = AllCases();
  for (std::size_t i = static_cast<std::size_t>(GetParam()); i < cases.size(); i += kShards, ++checked) {
    const Case& c = cases[i];
    const Events engine = EngineEvents(c);
    const double start = std::floor(c.D) - c.OffsetHours / 24, end = start + 1;
    ReferenceDay day = MakeReferenceDay(start, c.Latitude, c.WestLongitude);
    const Crossings tt = ReferenceCrossings(day, start - kTolerance, end + kTolerance);
    // Evaluated only for an event the proper reference does not confirm.
    std::optional<Crossings> utcAsTt;
    for (const bool rise : {true, false}) {
      const double event = rise ? engine.Rise : engine.Set;
      const double truth = Disagreement(event, rise ? tt.Rises : tt.Sets, start, end);
      if (std::isfinite(truth)) {
        largest = std::max(largest, truth);
        continue;
      }
      if (!utcAsTt) {
        day.TtMinusUtc = 0;
        utcAsTt = ReferenceCrossings(day, start - kTolerance, end + kTolerance);
      }
      if (std::isfinite(Disagreement(event, rise ? utcAsTt->Rises : utcAsTt->Sets, start, end))) {
        ++byConvention;
      } else {
        ++mismatches;
        ADD_FAILURE() << (rise ? "rise " : "set ") << event << " UTC for D " << c.D << " offset "
                      << c.OffsetHours << " latitude " << c.Latitude << " west longitude "
                      << c.WestLongitude;
      }
    }
  }
  std::printf("%d cases: largest time difference %.1f s; %d events agree only with UTC read as TT; "
              "%d mismatches\n", checked, largest / kSecond, byConvention, mismatches);
  EXPECT_GT(checked, 0);
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, RiseSetForDayAgainstErfa, ::testing::Range(0, kShards));

}  // namespace
