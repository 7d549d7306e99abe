// Parallactic angle of the Moon and the rotation the Moon view applies.
#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>

#include "astro/coordinates.h"
#include "astro/lunar_series.h"
#include "astro/parallactic_angle.h"
#include "astro/time_scales.h"

namespace {

constexpr long double kRad = 0.017453292519943295769L;

double At(int year, int month, int day, int hour, int minute) {
  return static_cast<double>(EncodeDateTimeOrZero(year, month, day, hour, minute, 0, 0));
}

// Difference of two angles in degrees, brought into [-180, 180].
long double AngleDifference(long double a, long double b) { return std::remainder(a - b, 360.0L); }

// Published values; 1e-4 degree is their last printed digit.
TEST(ParallacticAngleForObserver, ReproducesTheReferenceValues) {
  EXPECT_NEAR(ParallacticAngleForObserver(41.307L, -73.144L, At(2024, 6, 9, 18, 0)), -47.3420L, 1e-4L);
  EXPECT_NEAR(ParallacticAngleForObserver(41.307L, -73.144L, At(2024, 6, 9, 9, 36)), -24.1642L, 1e-4L);
  EXPECT_NEAR(ParallacticAngleForObserver(-33.9L, 151.2L, At(2024, 6, 9, 18, 0)), 415.5755L, 1e-4L);
  EXPECT_NEAR(ParallacticAngleForObserver(-33.9L, 151.2L, At(2024, 6, 17, 2, 24)), 411.4839L, 1e-4L);
}

// The first reference value quotes its hour angle: the apparent sidereal time uses
// the IAU 1980 equation of the equinoxes and the longitude enters west positive.
TEST(ParallacticAngle, UsesTheQuotedHourAngle) {
  const double t = At(2024, 6, 9, 18, 0);
  const MoonPositionRecord moon = ApparentMoon(t);
  const long double H = HourAngle(false, t, moon.RightAscension * kRad, 73.144L * kRad) / kRad;
  EXPECT_NEAR(AngleDifference(H, 0), -27.01L, 0.005L);
}

// psi is 90 degrees minus ERFA's parallactic angle q (eraHd2pa) for the same hour
// angle, declination and latitude; catches swapped arctangent arguments, a lost
// quadrant and an east-positive longitude.
TEST(ParallacticAngle, IsNinetyDegreesLessThanErfasParallacticAngle) {
  for (double t = At(2024, 1, 1, 0, 0); t < At(2026, 1, 1, 0, 0); t += 2.79) {
    for (const long double latitude : {-90.0L, -60.0L, -33.9L, 0.0L, 10.0L, 41.307L, 70.0L, 90.0L}) {
      const long double westLongitude = 73.144L;
      const MoonPositionRecord moon = ApparentMoon(t);
      const long double H = HourAngle(false, t, moon.RightAscension * kRad, westLongitude * kRad);
      const long double q =
          eraHd2pa(static_cast<double>(H), static_cast<double>(moon.Declination * kRad),
                   static_cast<double>(latitude * kRad)) / kRad;
      const long double psi = ParallacticAngle(latitude * kRad, westLongitude * kRad, t);
      EXPECT_NEAR(AngleDifference(psi, 90 - q), 0, 1e-9L) << t << " " << latitude;
      EXPECT_GT(psi, -180.0L);
      EXPECT_LE(psi, 180.0L);
    }
  }
}

TEST(ParallacticAngleForObserver, NorthernAndSouthernFormsKeepTheirRanges) {
  bool southAboveFullTurn = false;
  for (double t = At(2024, 6, 1, 0, 0); t < At(2024, 7, 1, 0, 0); t += 0.0625) {
    const long double north = ParallacticAngleForObserver(41.307L, -73.144L, t);
    EXPECT_GE(north, -90.0L) << t;
    EXPECT_LT(north, 270.0L) << t;
    const long double south = ParallacticAngleForObserver(-33.9L, 151.2L, t);
    EXPECT_GE(south, 90.0L) << t;
    EXPECT_LT(south, 450.0L) << t;
    // Both forms are the same rotation, q, apart from the half turn of the south.
    const long double psiSouth = ParallacticAngle(-33.9L * kRad, -151.2L * kRad, t);
    EXPECT_NEAR(south, 270 - psiSouth, 1e-12L);
    southAboveFullTurn = southAboveFullTurn || south > 360;
  }
  // The southern result is not reduced to one turn.
  EXPECT_TRUE(southAboveFullTurn);
}

// At a pole the angle is its limit as the latitude approaches it: the rotation a
// ten-thousandth of a degree away differs by about 1e-4 degree, never by a half turn.
TEST(ParallacticAngleForObserver, IsContinuousUpToThePoles) {
  for (double t = At(2024, 6, 1, 0, 0); t < At(2024, 7, 1, 0, 0); t += 0.37) {
    for (const long double longitude : {-150.0L, 10.0L, 100.0L}) {
      EXPECT_NEAR(ParallacticAngleForObserver(90, longitude, t),
                  ParallacticAngleForObserver(89.9999L, longitude, t), 1e-3L) << t;
      EXPECT_NEAR(ParallacticAngleForObserver(-90, longitude, t),
                  ParallacticAngleForObserver(-89.9999L, longitude, t), 1e-3L) << t;
    }
  }
}

TEST(ParallacticAngleForObserver, TheEquatorUsesTheNorthernForm) {
  const double t = At(2024, 6, 9, 18, 0);
  const long double psi = ParallacticAngle(0, 20.0L * kRad, t);
  EXPECT_EQ(ParallacticAngleForObserver(0, -20, t), 90 - psi);
  EXPECT_EQ(ParallacticAngleForObserver(-0.0L, -20, t), 90 - psi);
  EXPECT_NEAR(ParallacticAngleForObserver(-1e-9L, -20, t), 270 - psi, 1e-6L);
}

}  // namespace
