// The Moon's geocentric place from Meeus's Tables 47.A and 47.B: published reference
// values, ranges of the fields, and ERFA's eraMoon98 (the same lunar theory with
// the complete Table 47.B) as an independent reference over 1990-2030.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "astro/moon_position.h"

namespace {

constexpr double kDegPerRad = ERFA_DR2D;
constexpr double kTwoPi = 2 * std::numbers::pi;

constexpr double Digits(int decimals) { return 0.5 * std::pow(10.0, -decimals); }

// The Moon from ERFA, turned from GCRS to the mean ecliptic and equinox of date.
struct ErfaMoon {
  double Longitude, Latitude, DistanceKm;  // radians, radians, km
};

ErfaMoon ErfaMoonAt(double x) {
  const double mjd = x + 15018.0;
  double pv[2][3], rm[3][3], p[3];
  eraMoon98(2400000.5, mjd, pv);
  eraEcm06(2400000.5, mjd, rm);
  eraRxp(rm, pv[0], p);
  ErfaMoon m;
  eraC2s(p, &m.Longitude, &m.Latitude);
  m.DistanceKm = eraPm(p) * ERFA_DAU / 1000;
  return m;
}

}  // namespace

TEST(MoonPosition, At2024January1) {
  const MoonPositionRecord m = MoonPosition(45292.0);
  EXPECT_NEAR(static_cast<double>(m.RightAscension), 159.111805, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.Declination), 12.630869, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.Distance), 404669.936, Digits(3));
  EXPECT_NEAR(static_cast<double>(m.HorizontalParallax), 0.903095, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.SemiDiameter), 0.245993, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.EclipticLongitude), 2.7224497, Digits(7));
  EXPECT_NEAR(static_cast<double>(m.EclipticLongitude) * kDegPerRad, 155.984877, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.EclipticLatitude), 0.0622719, Digits(7));
  EXPECT_NEAR(static_cast<double>(m.EclipticLatitude) * kDegPerRad, 3.567915, Digits(6));
}

TEST(MoonPosition, At2024July27) {
  const MoonPositionRecord m = MoonPosition(45500.37);
  EXPECT_NEAR(static_cast<double>(m.RightAscension), 22.635758, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.Declination), 11.002290, Digits(6));
  EXPECT_NEAR(static_cast<double>(m.Distance), 369837.294, Digits(3));
}

TEST(MoonPosition, ParallaxAndSemiDiameterFollowTheDistance) {
  for (double x = 45292.0; x < 46023.0; x += 1.7) {
    const MoonPositionRecord m = MoonPosition(x);
    ASSERT_NEAR(static_cast<double>(m.HorizontalParallax),
                std::asin(6378.1366 / static_cast<double>(m.Distance)) * kDegPerRad, 1e-12);
    ASSERT_NEAR(static_cast<double>(m.SemiDiameter),
                std::asin(1737.4 / static_cast<double>(m.Distance)) * kDegPerRad, 1e-12);
    // The Moon's distance stays between its extreme perigee and apogee.
    ASSERT_GT(m.Distance, 356000.0L);
    ASSERT_LT(m.Distance, 407000.0L);
  }
}

TEST(MoonPosition, RightAscensionStaysInOneTurnAndLongitudeIsNotReduced) {
  bool belowZero = false, aboveTurn = false;
  long double highestRa = 0;
  for (double x = 45292.0; x < 46023.0; x += 1.0 / 24) {  // every hour of 2024-2025
    const MoonPositionRecord m = MoonPosition(x);
    ASSERT_GE(m.RightAscension, 0.0L) << x;
    ASSERT_LT(m.RightAscension, 360.0L) << x;
    ASSERT_LE(std::fabs(m.Declination), 29.0L) << x;  // 23.44 + 5.15 at most
    belowZero = belowZero || m.EclipticLongitude < 0;
    aboveTurn = aboveTurn || m.EclipticLongitude >= kTwoPi;
    highestRa = std::max(highestRa, m.RightAscension);
  }
  // The periodic sum moves the Moon up to six degrees from its mean longitude, which
  // alone is reduced to one turn.
  EXPECT_TRUE(belowZero);
  EXPECT_TRUE(aboveTurn);
  // A Moon just short of the equinox has a right ascension just below 360.
  EXPECT_GT(highestRa, 359.9L);
}

TEST(MoonPosition, AgreesWithErfaMoon98) {
  // Same series. Differences: ERFA uses the mean arguments printed beside Meeus's
  // tables and all 60 rows of Table 47.B. Longitude: 2e-4 degree is below the smallest
  // longitude term (2.94e-4). Latitude: the twelve rows left out amount to at most
  // 1.962e-3 degree. Distance: 0.1 km is far below the smallest term (1.117 km).
  for (int i = 0; i <= 1000; ++i) {
    const double x = 32874.0 + i * 14.974 + std::fmod(i * 0.1234, 1.0);
    const MoonPositionRecord m = MoonPosition(x);
    const ErfaMoon e = ErfaMoonAt(x);
    ASSERT_NEAR(std::remainder(static_cast<double>(m.EclipticLongitude) - e.Longitude, kTwoPi) *
                    kDegPerRad,
                0.0, 2e-4)
        << x;
    ASSERT_NEAR(static_cast<double>(m.EclipticLatitude) * kDegPerRad, e.Latitude * kDegPerRad,
                1.962e-3 + 1e-4)
        << x;
    ASSERT_NEAR(static_cast<double>(m.Distance), e.DistanceKm, 0.1) << x;
  }
}

TEST(MoonPosition, EquatorialPlaceUsesTheFixedObliquity) {
  // With no nutation, EclipticToEquatorial at J2000 uses the same obliquity (84381.406").
  for (double x = 45292.0; x < 46023.0; x += 7.3) {
    const MoonPositionRecord m = MoonPosition(x);
    const EquatorialPosition q =
        EclipticToEquatorial(36526.5, m.EclipticLongitude, m.EclipticLatitude, 0);
    ASSERT_NEAR(static_cast<double>(m.RightAscension), static_cast<double>(q.RightAscension) *
                                                           kDegPerRad, 1e-9) << x;
    ASSERT_NEAR(static_cast<double>(m.Declination), static_cast<double>(q.Declination) * kDegPerRad,
                1e-9) << x;
  }
}

TEST(MoonApparentCorrections, AtJ2000) {
  // T = 0: sin 225 = cos 225 = -sqrt(1/2); sin 183.3 = -sin 3.3.
  const MoonCorrections c = MoonApparentCorrections(36526.5);
  EXPECT_NEAR(static_cast<double>(c.Longitude), -0.00019524 + 0.00001059 * std::sqrt(0.5), 1e-15);
  EXPECT_NEAR(static_cast<double>(c.Latitude), 0.00001754 * 0.05756402695956, 1e-18);
  EXPECT_NEAR(static_cast<double>(c.Distance), -0.0708 * std::sqrt(0.5), 1e-12);
}

TEST(MoonApparentCorrections, StayWithinTheirAmplitudes) {
  for (double x = 45292.0; x < 46023.0; x += 0.37) {
    const MoonCorrections c = MoonApparentCorrections(x);
    ASSERT_LE(std::fabs(c.Longitude + 0.00019524L), 0.00001059L + 1e-18L) << x;
    ASSERT_LE(std::fabs(c.Latitude), 0.00001754L) << x;
    ASSERT_LE(std::fabs(c.Distance), 0.0708L) << x;
  }
}

// The reduction the series use in place of the long-double fmod gives fmod's very bits:
// beside and on whole multiples (where the quotient rounds up), on both sides of zero,
// past the range it handles itself, and for what is no number.
TEST(AngleHelpers, ExactFmodGivesFmodsBits) {
  for (const long double m : {360.0L, 1296000.0L, 1.0L}) {
    std::vector<long double> xs = {0.0L, -0.0L, 1e-30L, -1e-30L, 0x1p60L * m, -0x1p70L * m,
                                   std::numeric_limits<long double>::infinity(),
                                   std::numeric_limits<long double>::quiet_NaN()};
    for (const long double k : {1.0L, 2.0L, 3.0L, 1337.0L, 4.8e5L, 1.2e9L})
      for (const long double x : {k * m, -k * m})
        xs.insert(xs.end(), {x, std::nextafter(x, 0.0L), std::nextafter(x, 2 * x), x + 0.25L * m, x - 1e-9L});
    for (const long double x : xs) {
      const long double expected = std::fmod(x, m), got = ExactFmod(x, m);
      if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(got)) << static_cast<double>(x);
        continue;
      }
      EXPECT_EQ(got, expected) << static_cast<double>(x) << " mod " << static_cast<double>(m);
      EXPECT_EQ(std::signbit(got), std::signbit(expected)) << static_cast<double>(x);
    }
  }
}
