// Nutation, obliquity and sidereal time against ERFA (the open-source SOFA) at a
// few hundred instants from 1990 to 2030. The program uses UTC as if it were TT
// and UT1, so ERFA is called with UT1 = TT = the instant.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/coordinates.h"

namespace {

constexpr double kArcsecPerRad = 1.0 / ERFA_DAS2R;
constexpr double kDegPerRad = ERFA_DR2D;

// 401 instants from 1990-01-01 to 2030-12-31 with times of day that vary.
std::vector<double> Instants() {
  std::vector<double> xs;
  const double first = 32874.0, last = 47848.0;
  for (int i = 0; i <= 400; ++i) {
    const double fractionOfDay = std::fmod(i * 0.1234, 1.0);
    xs.push_back(first + i * (last - first) / 400 + fractionOfDay);
  }
  return xs;
}

// ERFA takes a Julian Date in two parts; MJD keeps the fraction exact.
constexpr double kMjdZero = 2400000.5;
double Mjd(double x) { return x + 15018.0; }

// Difference of two angles in degrees, reduced to -180 ... +180.
double AngleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

}  // namespace

TEST(NutationErfa, Iau1980AgreesWithEraNut80) {
  // The program's Delaunay arguments are Meeus's degree polynomials, ERFA's the
  // IAU 1980 arcsecond ones; they differ by milliarcseconds, which moves the sum by
  // well under a microarcsecond. The smallest term of the series is 100 uas, so
  // 5 uas catches any wrong, missing or sign-flipped row, and any rate in wrong units.
  for (double x : Instants()) {
    double dpsi, deps;
    eraNut80(kMjdZero, Mjd(x), &dpsi, &deps);
    const Nutation n = NutationIau1980(x);
    ASSERT_NEAR(static_cast<double>(n.DeltaPsi), dpsi * kArcsecPerRad, 5e-6) << x;
    ASSERT_NEAR(static_cast<double>(n.DeltaEpsilon), deps * kArcsecPerRad, 5e-6) << x;
  }
}

TEST(NutationErfa, Iau2000AAgreesWithEraNut00a) {
  // ERFA evaluates the planetary rows with MHB2000's own linear arguments and a pA
  // of 5029.0966"/cy, the program with the IERS 2003 arguments and pA = 5028.82"/cy;
  // over 1990-2030 that changes the sum by a few hundredths of a microarcsecond.
  // 0.2 uas still catches any row of amplitude 2 units (0.2 uas) or more that is
  // wrong, missing, in the wrong column or summed with the wrong sign.
  for (double x : Instants()) {
    double dpsi, deps;
    eraNut00a(kMjdZero, Mjd(x), &dpsi, &deps);
    const Nutation n = NutationIau2000A(x);
    ASSERT_NEAR(static_cast<double>(n.DeltaPsi), dpsi * kArcsecPerRad, 2e-7) << x;
    ASSERT_NEAR(static_cast<double>(n.DeltaEpsilon), deps * kArcsecPerRad, 2e-7) << x;
  }
}

TEST(NutationErfa, MeanObliquityAgreesWithEraObl06) {
  // Same IAU 2006 polynomial: only rounding differs (1e-13 degree = 0.4 uas).
  for (double x : Instants())
    ASSERT_NEAR(static_cast<double>(MeanObliquity(x)), eraObl06(kMjdZero, Mjd(x)) * kDegPerRad,
                1e-13)
        << x;
}

TEST(NutationErfa, EarthRotationAngleAgreesWithEraEra00) {
  // Same IAU 2000 expression; ERFA keeps the day fraction apart in double precision,
  // which costs it about 1e-12 degree. 2e-11 degree (0.07 mas) protects the rate
  // and the constant to their last published digits over 40 years.
  for (double x : Instants())
    ASSERT_NEAR(AngleDifference(static_cast<double>(EarthRotationAngle(x)),
                                eraEra00(kMjdZero, Mjd(x)) * kDegPerRad),
                0.0, 2e-11)
        << x;
}

TEST(NutationErfa, GreenwichMeanSiderealTimeAgreesWithEraGmst06) {
  // ERFA reduces GMST to one turn, the program does not: compare modulo 360.
  for (double x : Instants())
    ASSERT_NEAR(AngleDifference(static_cast<double>(GreenwichMeanSiderealTime(x)),
                                eraGmst06(kMjdZero, Mjd(x), kMjdZero, Mjd(x)) * kDegPerRad),
                0.0, 2e-11)
        << x;
}

TEST(NutationErfa, ApparentSiderealTimeFromErfaParts) {
  // GAST = GMST + dpsi cos(eps + deps), built from ERFA's nutation and obliquity: this
  // checks the units of the equation of the equinoxes (seconds of time) and its sign.
  for (double x : Instants()) {
    double dpsi, deps;
    eraNut00a(kMjdZero, Mjd(x), &dpsi, &deps);
    const double eps = eraObl06(kMjdZero, Mjd(x)) + deps;
    const double equation = dpsi * std::cos(eps) * kDegPerRad * 240;  // seconds of time
    ASSERT_NEAR(static_cast<double>(EquationOfEquinoxes(true, x)), equation, 1e-8) << x;
    const double gast = eraGmst06(kMjdZero, Mjd(x), kMjdZero, Mjd(x)) * kDegPerRad + equation / 240;
    ASSERT_NEAR(AngleDifference(static_cast<double>(GreenwichApparentSiderealTime(true, x)), gast),
                0.0, 2e-11)
        << x;
  }
}

TEST(NutationErfa, SimpleSiderealTimeFollowsGmst) {
  // Meeus's polynomial on the day-number calendar is the IAU 1982 GMST; it departs
  // from the IAU 2006 GMST by a few milliseconds of time over 1990-2030. 1e-4 degree
  // (24 ms of time) separates that from any error of a second in the time of day.
  for (double x : Instants()) {
    const double whole = std::round(x * 86400) / 86400;  // the simple form counts whole seconds
    const DayTimeRecord r{DateTimeToDayNumber(whole), DateTimeToSecondOfDay(whole)};
    ASSERT_NEAR(AngleDifference(static_cast<double>(GreenwichSiderealDegrees(r)),
                                eraGmst06(kMjdZero, Mjd(whole), kMjdZero, Mjd(whole)) * kDegPerRad),
                0.0, 1e-4)
        << x;
  }
}
