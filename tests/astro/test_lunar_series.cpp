// The truncated ELP 2000-85 series and the apparent place built on it.
#include <erfa.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "astro/coordinates.h"
#include "astro/lunar_series.h"
#include "astro/moon_position.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kPi = 3.141592653589793238462643383279503L;
constexpr long double kDeg = 180.0L / kPi;

double At(int year, int month, int day, int hour, int minute) {
  return static_cast<double>(EncodeDateTimeOrZero(year, month, day, hour, minute, 0, 0));
}

// Half a unit in the last printed digit, plus a hair for the decimal conversion.
long double PrintedDigits(int decimals) { return 0.5L * std::pow(10.0L, -decimals) + 1e-12L; }

TEST(LunarSeriesTable, FirstRowsHaveThePublishedLayoutAndUnits) {
  const LunarSeriesCoefficients& t = LunarSeriesTable;
  const LunarMainTerm& l1 = t.LongitudeMain[0];
  EXPECT_EQ(l1.Amplitude, 6.28877383L);
  EXPECT_EQ(l1.C0, 134.9634114L);
  EXPECT_EQ(l1.C1, 477198.8676313L);
  EXPECT_EQ(l1.C2, 89.970L);
  EXPECT_EQ(l1.C3, 14.348L);
  EXPECT_EQ(l1.C4, -6.797L);
  const LunarMainTerm& l2 = t.LongitudeMain[1];
  EXPECT_EQ(l2.Amplitude, 1.27401064L);
  EXPECT_EQ(l2.C0, 100.736997L);
  EXPECT_EQ(l2.C1, 413335.3554022L);
  EXPECT_EQ(l2.C2, -122.571L);
  EXPECT_EQ(l2.C3, -10.684L);
  EXPECT_EQ(l2.C4, 5.028L);
  const LunarMainTerm& b1 = t.LatitudeMain[0];
  EXPECT_EQ(b1.Amplitude, 5.12812186L);
  EXPECT_EQ(b1.C0, 93.2720993L);
  EXPECT_EQ(b1.C1, 483202.0175273L);
  EXPECT_EQ(b1.C2, -34.029L);
  EXPECT_EQ(b1.C3, -0.284L);
  EXPECT_EQ(b1.C4, 0.116L);
  // The distance's largest term shares the Moon's mean anomaly with longitude row 1.
  const LunarMainTerm& r1 = t.DistanceMain[0];
  EXPECT_NEAR(r1.Amplitude, -20905.355L, 0.0005L);
  EXPECT_EQ(r1.C0, l1.C0);
  EXPECT_EQ(r1.C1, l1.C1);
  EXPECT_EQ(t.LongitudeT0[0].Amplitude, 3.95801L);
  EXPECT_EQ(t.LongitudeT0[0].Phase, 119.7524L);
  EXPECT_EQ(t.LongitudeT0[0].Frequency, 131.8489L);
  EXPECT_EQ(t.LongitudeT0[1].Amplitude, 1.96196L);
  EXPECT_EQ(t.LongitudeT0[1].Phase, 125.0455L);
  EXPECT_EQ(t.LongitudeT0[1].Frequency, -1934.1362L);
}

// A generator that dropped rows would leave zero-filled terms at the end of a series.
TEST(LunarSeriesTable, EverySeriesIsFilledToItsLastTerm) {
  const LunarSeriesCoefficients& t = LunarSeriesTable;
  EXPECT_NE(t.LongitudeMain.back().Amplitude, 0);
  EXPECT_NE(t.LongitudeT0.back().Amplitude, 0);
  EXPECT_NE(t.LongitudeT1.back().Amplitude, 0);
  EXPECT_NE(t.LongitudeT2.back().Amplitude, 0);
  EXPECT_NE(t.LatitudeMain.back().Amplitude, 0);
  EXPECT_NE(t.LatitudeT0.back().Amplitude, 0);
  EXPECT_NE(t.LatitudeT1.back().Amplitude, 0);
  EXPECT_NE(t.LatitudeT2.back().Amplitude, 0);
  EXPECT_NE(t.DistanceMain.back().Amplitude, 0);
  EXPECT_NE(t.DistanceT0.back().Amplitude, 0);
  EXPECT_NE(t.DistanceT1.back().Amplitude, 0);
  EXPECT_NE(t.DistanceT2.back().Amplitude, 0);
  EXPECT_EQ(t.LongitudeMain.size() + t.LongitudeT0.size() + t.LongitudeT1.size() +
                t.LongitudeT2.size() + t.LatitudeMain.size() + t.LatitudeT0.size() +
                t.LatitudeT1.size() + t.LatitudeT2.size() + t.DistanceMain.size() +
                t.DistanceT0.size() + t.DistanceT1.size() + t.DistanceT2.size(),
            1324u);
}

// Published values of the truncated theory at T = 0 and in the program's two years;
// 1e-6 degree (0.004") and 1 m are far below what a wrong unit, a missing series or
// a dropped T factor would change.
TEST(LunarSeries, ReproducesTheReferenceValues) {
  struct Case {
    double x;
    long double longitude, latitude, distance;
  };
  const Case cases[] = {
      {36526.5, 223.3189449L, 5.1708646L, 402448.6532L},
      {At(2024, 6, 9, 18, 0), 119.2044008L, 4.8619128L, 391012.9916L},
      {At(2025, 12, 9, 7, 12), 136.5050512L, 2.2556206L, 376249.4522L},
  };
  for (const Case& c : cases) {
    const LunarSeriesPosition p = LunarSeries(c.x);
    EXPECT_NEAR(p.Longitude, c.longitude, 1e-6L) << c.x;
    EXPECT_NEAR(p.Latitude, c.latitude, 1e-6L) << c.x;
    EXPECT_NEAR(p.Distance, c.distance, 1e-3L) << c.x;
  }
}

TEST(LunarSeries, LongitudeStaysWithinOneTurnAndLatitudeWithinTheOrbitsTilt) {
  for (double x = 45292.0; x < 46023.0; x += 0.37) {
    const LunarSeriesPosition p = LunarSeries(x);
    ASSERT_GE(p.Longitude, 0.0L) << x;
    ASSERT_LT(p.Longitude, 360.0L) << x;
    ASSERT_LT(std::fabs(p.Latitude), 5.4L) << x;
    ASSERT_GT(p.Distance, 356000.0L) << x;
    ASSERT_LT(p.Distance, 407000.0L) << x;
  }
}

// The table summed term by term with one extended-precision sine per term, as
// the published formula reads: the reference for the rotation-based evaluation.
long double SineSum(long double argumentDegrees, bool cosine) {
  const long double x = argumentDegrees / kDeg;
  return cosine ? std::cos(x) : std::sin(x);
}

template <std::size_t N>
long double DirectMain(const std::array<LunarMainTerm, N>& terms, long double T, bool cosine) {
  long double sum = 0;
  for (const LunarMainTerm& t : terms)
    sum += t.Amplitude * SineSum(t.C0 + t.C1 * T + t.C2 * 1e-4L * T * T +
                                     t.C3 * 1e-6L * T * T * T + t.C4 * 1e-8L * T * T * T * T,
                                 cosine);
  return sum;
}

template <std::size_t N>
long double DirectPerturbations(const std::array<LunarPerturbationTerm, N>& terms, long double T,
                                bool cosine) {
  long double sum = 0;
  for (const LunarPerturbationTerm& t : terms) sum += t.Amplitude * SineSum(t.Phase + t.Frequency * T, cosine);
  return sum;
}

LunarSeriesPosition DirectLunarSeries(double dateTime) {
  const LunarSeriesCoefficients& s = LunarSeriesTable;
  const long double T = JulianCenturiesJ2000(dateTime), T2 = T * T;
  const long double W1 = 218.31665436L + 481267.8813424L * T - 13.268e-4L * T2 +
                         1.856e-6L * T2 * T - 1.534e-8L * T2 * T2;
  const long double longitude =
      W1 + DirectMain(s.LongitudeMain, T, false) +
      0.001L * (DirectPerturbations(s.LongitudeT0, T, false) + T * DirectPerturbations(s.LongitudeT1, T, false) +
                1e-4L * T2 * DirectPerturbations(s.LongitudeT2, T, false));
  const long double latitude =
      DirectMain(s.LatitudeMain, T, false) +
      0.001L * (DirectPerturbations(s.LatitudeT0, T, false) + T * DirectPerturbations(s.LatitudeT1, T, false) +
                1e-4L * T2 * DirectPerturbations(s.LatitudeT2, T, false));
  const long double distance = 385000.57L + DirectMain(s.DistanceMain, T, true) +
                               DirectPerturbations(s.DistanceT0, T, true) +
                               T * DirectPerturbations(s.DistanceT1, T, true) +
                               1e-4L * T2 * DirectPerturbations(s.DistanceT2, T, true);
  return {Normalize360(std::fmod(longitude, 360.0L)), latitude, distance};
}

// The rotation-based sums must give the table's own values: 1e-10 degree and
// 1e-7 km (about 3e-13 relative) leave room for the rounding of the two
// orders of summation yet catch a wrong multiple, digit, phase or residual,
// whose smallest effect is the smallest amplitude, 1e-5 of 0.001 degree.
TEST(LunarSeries, RotationSumsAgreeWithTermByTermSinesFrom1990To2030) {
  const double first = At(1990, 1, 1, 0, 0), last = At(2030, 1, 1, 0, 0);
  constexpr int kInstants = 400;
  for (int i = 0; i <= kInstants; ++i) {
    // An irrational step fraction spreads the instants over all hours and lunar phases.
    const double instant = first + (last - first) * i / kInstants + 0.3819660112501051 * i;
    const LunarSeriesPosition fast = LunarSeries(instant), direct = DirectLunarSeries(instant);
    long double dLongitude = std::fabs(fast.Longitude - direct.Longitude);
    dLongitude = std::min(dLongitude, 360 - dLongitude);
    EXPECT_LT(dLongitude, 1e-10L) << "instant " << instant;
    EXPECT_LT(std::fabs(fast.Latitude - direct.Latitude), 1e-10L) << "instant " << instant;
    EXPECT_LT(std::fabs(fast.Distance - direct.Distance), 1e-7L) << "instant " << instant;
  }
}

TEST(LunarSeries, RefusesAnInstantThatIsNoDateTime) {
  EXPECT_THROW(LunarSeries(std::numeric_limits<double>::quiet_NaN()), std::domain_error);
  EXPECT_THROW(LunarSeries(std::numeric_limits<double>::infinity()), std::domain_error);
  EXPECT_THROW(LunarSeries(1e12), std::domain_error);
  EXPECT_THROW(MoonRaDecParallax(-1e9), std::domain_error);
}

TEST(MoonRaDecParallax, ReproducesTheReferenceValuesAtTheirPrintedDigits) {
  struct Case {
    int day;
    long double ra, dec, parallax;
  };
  const Case cases[] = {{7, 93.3724L, 28.3757L, 0.95777L},
                        {8, 108.3231L, 27.4588L, 0.94611L},
                        {9, 122.4602L, 25.0695L, 0.93464L},
                        {10, 135.5916L, 21.5077L, 0.92421L}};
  for (const Case& c : cases) {
    const MoonRaDec m = MoonRaDecParallax(At(2024, 6, c.day, 18, 0));
    EXPECT_NEAR(m.RightAscension, c.ra, PrintedDigits(4)) << c.day;
    EXPECT_NEAR(m.Declination, c.dec, PrintedDigits(4)) << c.day;
    EXPECT_NEAR(m.HorizontalParallax, c.parallax, PrintedDigits(5)) << c.day;
  }
}

// Independent assembly of the apparent place with ERFA's IAU 2000A nutation and
// IAU 2006 obliquity: catches a mean instead of true obliquity (up to 9"), a
// missing or doubled nutation (up to 17") and a wrong sign of the corrections.
TEST(MoonApparentPlace, AgreesWithAnErfaAssembledApparentPlace) {
  for (double x = 45292.0; x < 46023.0; x += 13.7) {
    const LunarSeriesPosition geometric = LunarSeries(x);
    long double longitude = geometric.Longitude, latitude = geometric.Latitude;
    const ApparentPlace a = MoonApparentPlace(longitude, latitude, geometric.Distance, x);

    const double jd = x + 2415018.5;
    double dpsi = 0, deps = 0;
    eraNut00a(2451545.0, jd - 2451545.0, &dpsi, &deps);
    const MoonCorrections c = MoonApparentCorrections(x);
    const long double lambda = (geometric.Longitude + c.Longitude) / kDeg + dpsi;
    const long double beta = (geometric.Latitude + c.Latitude) / kDeg;
    const long double eps = eraObl06(2451545.0, jd - 2451545.0) + deps;
    double ra = std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps),
                           std::cos(lambda));
    if (ra < 0) ra += 2 * kPi;
    const double dec =
        std::asin(std::sin(beta) * std::cos(eps) + std::cos(beta) * std::sin(eps) * std::sin(lambda));

    // 1e-9 rad (0.2 milliarcsecond): the two nutation codes differ far less.
    EXPECT_NEAR(a.RightAscension, ra, 1e-9) << x;
    EXPECT_NEAR(a.Declination, dec, 1e-9) << x;
    EXPECT_NEAR(longitude / kDeg, lambda, 1e-9) << x;
    EXPECT_NEAR(latitude / kDeg, beta, 1e-12) << x;
    EXPECT_NEAR(a.HorizontalParallax, std::asin(6378.1366L / geometric.Distance), 1e-15L) << x;
  }
}

TEST(ApparentMoon, FillsTheRecordInDegreesWithTheSeriesDistance) {
  for (double x = 45292.0; x < 46023.0; x += 29.3) {
    const LunarSeriesPosition geometric = LunarSeries(x);
    long double longitude = geometric.Longitude, latitude = geometric.Latitude;
    const ApparentPlace a = MoonApparentPlace(longitude, latitude, geometric.Distance, x);
    const MoonPositionRecord m = ApparentMoon(x);
    EXPECT_NEAR(m.RightAscension, a.RightAscension * kDeg, 1e-12L) << x;
    EXPECT_GE(m.RightAscension, 0.0L);
    EXPECT_LT(m.RightAscension, 360.0L);
    EXPECT_NEAR(m.Declination, a.Declination * kDeg, 1e-12L) << x;
    EXPECT_NEAR(m.HorizontalParallax, a.HorizontalParallax * kDeg, 1e-12L) << x;
    // The light-time correction to the distance is computed but never applied.
    EXPECT_EQ(m.Distance, geometric.Distance) << x;
    EXPECT_NEAR(m.SemiDiameter, std::asin(1737.4L / geometric.Distance) * kDeg, 1e-12L) << x;
    EXPECT_NEAR(m.EclipticLongitude, longitude / kDeg, 1e-15L) << x;
    EXPECT_NEAR(m.EclipticLatitude, latitude / kDeg, 1e-15L) << x;
    const MoonRaDec r = MoonRaDecParallax(x);
    EXPECT_EQ(r.RightAscension, m.RightAscension);
    EXPECT_EQ(r.Declination, m.Declination);
    EXPECT_EQ(r.HorizontalParallax, m.HorizontalParallax);
  }
}

}  // namespace

// The direction carried over from the series' place at a nearby instant against the
// series summed at the instant itself, across the years and the offsets it is used for
// (an hour's TT instant lies 9 ... 300 s from its UTC one in 1600 ... 2200); farther
// off it is the summed one. 1e-5 degree is a tenth of the tolerance the parallactic
// angle's reference values are held to.
TEST(MoonApparentDirection, FromANearbyPlaceAgreesWithTheSeriesSummedThere) {
  for (int year = 1600; year <= 3999; year += 7) {
    const double x = At(year, 1 + year % 12, 1 + year % 28, year % 24, year % 60);
    const EquatorialPosition exact = MoonApparentDirection(x);
    const auto from = [x](double seconds) {
      const double near = x + seconds / 86400;
      return MoonApparentDirection(x, LunarSeriesPlace{LunarSeries(near), near}, MoonPosition(x));
    };
    for (const double seconds : {-300.0, -70.0, 1.0, 120.0, 300.0}) {
      const EquatorialPosition carried = from(seconds);
      const long double dRa =
          std::remainder(carried.RightAscension - exact.RightAscension, 2 * kPi) * std::cos(exact.Declination);
      EXPECT_LT(std::hypot(dRa, carried.Declination - exact.Declination) * kDeg, 1e-5L) << year << " " << seconds;
    }
    EXPECT_EQ(from(301).RightAscension, exact.RightAscension) << year;
  }
}
