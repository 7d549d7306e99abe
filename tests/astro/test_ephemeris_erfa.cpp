// The pieces of the Moon ephemeris against ERFA (the open-source SOFA) at 200
// instants spread over 1700 ... 2300: IAU 2006 precession (eraPmat06, eraEcm06),
// the Earth's heliocentric place and velocity (eraEpv00), Delta T against the UTC
// leap-second table (eraDat), and the whole chain's RA, Dec, Dist and Phase against
// the same chain built from ERFA's precession and Sun around the same lunar series.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "astro/delta_t.h"
#include "astro/earth_vsop87.h"
#include "astro/lunar_series.h"
#include "astro/moon_ephemeris.h"
#include "astro/moon_position.h"
#include "astro/precession.h"

namespace {

constexpr double kArcsecPerRad = 1.0 / ERFA_DAS2R;
constexpr double kMjdZero = 2400000.5;
constexpr double kMjdOfDayZero = 15018.0;  // MJD of 1899-12-30
constexpr double kKmPerAu = ERFA_DAU / 1000;
constexpr double kLightKmPerDay = ERFA_CMPS / 1000 * ERFA_DAYSEC;

// 200 UTC day numbers from 1700-01-01 to 2300-01-01 with varying times of day.
std::vector<double> Instants() {
  std::vector<double> xs;
  const double first = -73048.0, last = 146098.0;
  for (int i = 0; i < 200; ++i) xs.push_back(first + i * (last - first) / 199 + std::fmod(i * 0.377, 1.0));
  return xs;
}

double TtMjd(double utcDay) { return static_cast<double>(TerrestrialTimeDay(utcDay)) + kMjdOfDayZero; }
double Centuries(double ttMjd) { return (ttMjd - 51544.5) / 36525; }

// Largest element difference of two rotation matrices, arc seconds.
double MatrixDifference(const Matrix3& ours, double erfa[3][3]) {
  double largest = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) largest = std::max(largest, std::fabs(static_cast<double>(ours[i][j]) - erfa[i][j]));
  return largest * kArcsecPerRad;
}

// Angle between two directions, arc seconds.
double Separation(double a[3], double b[3]) { return eraSepp(a, b) * kArcsecPerRad; }

void ToArray(const Vector3& v, double out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = static_cast<double>(v[i]);
}

}  // namespace

TEST(EphemerisErfa, PrecessionAgreesWithEraPmat06AndEraEcm06) {
  double equator = 0, ecliptic = 0;
  for (double x : Instants()) {
    const double mjd = TtMjd(x);
    double pmat[3][3], ecm[3][3];
    eraPmat06(kMjdZero, mjd, pmat);
    eraEcm06(kMjdZero, mjd, ecm);
    equator = std::max(equator, MatrixDifference(PrecessionMatrix(Centuries(mjd)), pmat));
    ecliptic = std::max(ecliptic, MatrixDifference(EclipticPrecessionMatrix(Centuries(mjd)), ecm));
  }
  std::printf("precession: largest element difference %.2e\" (eraPmat06), %.2e\" (eraEcm06)\n", equator, ecliptic);
  // Same polynomials: only rounding (double in ERFA) may differ; a wrong coefficient
  // or rotation order moves elements by milliarcseconds at least.
  EXPECT_LT(equator, 1e-6);
  EXPECT_LT(ecliptic, 1e-6);
}

TEST(EphemerisErfa, EarthAgreesWithEraEpv00) {
  double direction = 0, distance = 0, velocity = 0;
  for (double x : Instants()) {
    double pvh[2][3], pvb[2][3], ours[3], oursVelocity[3];
    eraEpv00(kMjdZero, TtMjd(x), pvh, pvb);
    const EarthState e = EarthHeliocentric(TerrestrialTimeDay(x));
    ToArray(e.Position, ours);
    ToArray(e.Velocity, oursVelocity);
    direction = std::max(direction, Separation(ours, pvh[0]));
    distance = std::max(distance, std::fabs(eraPm(ours) - eraPm(pvh[0])) * kKmPerAu);
    velocity = std::max(velocity, std::fabs(eraPm(oursVelocity) - eraPm(pvh[1])) / eraPm(pvh[1]));
  }
  std::printf("Earth: largest difference %.3f\" in direction, %.0f km in distance, %.1e relative in speed\n",
              direction, distance, velocity);
  // eraEpv00 keeps to a few milliarcseconds near 2000 and degrades to ~0.1" by 1700
  // and 2300; the truncation of VSOP87B is bounded by 2.2" (longitude) and 1100 km
  // and in practice stays a tenth of that. A term in wrong units or a wrong frame
  // rotation costs arc seconds to degrees.
  EXPECT_LT(direction, 1.0);
  EXPECT_LT(distance, 500.0);
  EXPECT_LT(velocity, 1e-5);
}

TEST(EphemerisErfa, DeltaTFollowsTheLeapSeconds) {
  // Delta T = 32.184 s + (TAI - UTC) - (UT1 - UTC), with |UT1 - UTC| < 0.9 s. The
  // polynomials fit the observations to 2005; the revised extrapolation after it
  // runs 2.8 s ahead of the observed 69 s by 2025 (1.5" of the Moon in RA).
  double largest1972To2005 = 0, largest2005To2026 = 0;
  for (int year = 1972; year <= 2026; ++year)
    for (int month : {1, 7}) {
      double taiMinusUtc = 0;
      ASSERT_GE(eraDat(year, month, 1, 0.0, &taiMinusUtc), 0);  // 1 only warns: past ERFA's table
      const double y = year + (month - 1) / 12.0;
      const double d = std::fabs(static_cast<double>(DeltaTSeconds(y)) - (32.184 + taiMinusUtc));
      (y < 2005 ? largest1972To2005 : largest2005To2026) = std::max(y < 2005 ? largest1972To2005 : largest2005To2026, d);
    }
  std::printf("Delta T against 32.184 s + TAI - UTC: largest %.2f s in 1972-2005, %.2f s in 2005-2026\n",
              largest1972To2005, largest2005To2026);
  EXPECT_LT(largest1972To2005, 1.5);
  EXPECT_LT(largest2005To2026, 4.0);
}

TEST(EphemerisErfa, DeltaTHasNoJumpBetweenItsExpressions) {
  // The published expressions meet within 0.2 s; a wrong coefficient or origin
  // shows as a step of seconds where two expressions meet.
  double largest = 0;
  for (double y : {1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2015.0, 3191.593145558534})
    largest = std::max(largest, std::fabs(static_cast<double>(DeltaTSeconds(y + 1e-9) - DeltaTSeconds(y - 1e-9))));
  std::printf("Delta T: largest step between expressions %.3f s\n", largest);
  EXPECT_LT(largest, 0.5);
}

TEST(EphemerisErfa, ChainAgreesWithOneBuiltOnErfa) {
  double ra = 0, dec = 0, dist = 0, phase = 0;
  for (double x : Instants()) {
    const double mjd = TtMjd(x);
    const double tt = mjd - kMjdOfDayZero;
    // The same lunar series and correction, carried to the GCRS by eraEcm06.
    const LunarSeriesPosition p = LunarSeries(tt);
    const MoonCorrections c = MoonApparentCorrections(tt);
    double ofDate[3], moon[3], ecm[3][3], pvh[2][3], pvb[2][3];
    eraS2p((p.Longitude + c.Longitude) * ERFA_DD2R, (p.Latitude + c.Latitude) * ERFA_DD2R, p.Distance, ofDate);
    eraEcm06(kMjdZero, mjd, ecm);
    eraTrxp(ecm, ofDate, moon);
    eraEpv00(kMjdZero, mjd, pvh, pvb);
    double v[3], sun[3], astrometric[3], toSun[3], toEarth[3];
    eraSxp(kKmPerAu, pvb[1], v);
    eraSxp(-kKmPerAu, pvh[0], sun);
    eraPpsp(sun, eraPm(sun) / kLightKmPerDay, v, sun);
    eraPpsp(moon, -eraPm(moon) / kLightKmPerDay, v, astrometric);
    eraPmp(sun, moon, toSun);
    eraSxp(-1, moon, toEarth);
    double theta, phi;
    eraC2s(moon, &theta, &phi);

    const MoonHourValues m = ComputeMoonHourValues(x);
    ra = std::max(ra, std::fabs(std::remainder(static_cast<double>(m.RA) * 15 * ERFA_DD2R - theta, ERFA_D2PI)) *
                          std::cos(phi) * kArcsecPerRad);
    dec = std::max(dec, std::fabs(static_cast<double>(m.Dec) * ERFA_DD2R - phi) * kArcsecPerRad);
    dist = std::max(dist, std::fabs(static_cast<double>(m.Dist) - eraPm(astrometric)));
    phase = std::max(phase, std::fabs(static_cast<double>(m.Phase) - 50 * (1 + std::cos(eraSepp(toSun, toEarth)))));
  }
  std::printf("chain against ERFA's precession and Sun: largest %.4f\" RA cos Dec, %.4f\" Dec, %.4f km Dist, "
              "%.6f %% Phase\n", ra, dec, dist, phase);
  // What separates the chains is rounding, the frame bias against FK5, the Sun
  // (under 1") and ERFA's barycentric velocity of the Earth against the heliocentric
  // one here (13 m/s of 30 km/s: 16 m of the 38 km aberration displacement).
  EXPECT_LT(ra, 0.01);
  EXPECT_LT(dec, 0.01);
  EXPECT_LT(dist, 0.05);
  EXPECT_LT(phase, 0.0005);
}
