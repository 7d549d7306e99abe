// The Moon from a place against an independent route: the observer placed in the
// GCRS by ERFA (eraPvtob with the Earth rotation angle, then the CIO-based
// eraC2i06a, where the program goes by sidereal time and the equinox), the Sun from
// eraEpv00, position angles by eraPas and the phase from the angle at the Moon;
// the Moon's place and rotation are the program's model, as the values promise.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "astro/delta_t.h"
#include "astro/moon_ephemeris.h"
#include "astro/moon_rotation.h"
#include "astro/topocentric_moon.h"

namespace {

constexpr double kJdOfDayZero = 2415018.5;
constexpr double kKmPerAu = ERFA_DAU / 1000;
constexpr double kLightKmPerDay = ERFA_CMPS / 1000 * ERFA_DAYSEC;
constexpr double kMoonRadiusKm = 1737.4;

struct Reference {
  double Elon, Elat, AxisA, Diam, Phase, BrightLimb, Zenith, Altitude;
};


double Deg(double rad) { return rad * ERFA_DR2D; }
double PositionAngleDeg(const double at[3], const double to[3]) {
  double a, b, c, d;
  eraC2s(const_cast<double*>(at), &a, &b);
  eraC2s(const_cast<double*>(to), &c, &d);
  return Deg(eraAnp(eraPas(a, b, c, d)));
}

Reference ReferenceAt(double utcDay, double latDeg, double lonDeg, double heightM) {
  const double ut = utcDay + kJdOfDayZero - 2400000.5, tt = static_cast<double>(TerrestrialTimeDay(utcDay)) + 15018;
  double rc2i[3][3], pv[2][3], observer[2][3];
  eraC2i06a(2400000.5, tt, rc2i);
  eraPvtob(lonDeg * ERFA_DD2R, latDeg * ERFA_DD2R, heightM, 0, 0, 0, eraEra00(2400000.5, ut), pv);
  for (int i = 0; i < 2; ++i) {
    eraTrxp(rc2i, pv[i], observer[i]);
    eraSxp(ERFA_DAYSEC / 1000, observer[i], observer[i]);  // km and km a day
  }
  eraSxp(1 / ERFA_DAYSEC, observer[0], observer[0]);
  double zenith[3], zenithCirs[3];
  const double theta = eraEra00(2400000.5, ut) + lonDeg * ERFA_DD2R;
  eraS2c(theta, latDeg * ERFA_DD2R, zenithCirs);
  eraTrxp(rc2i, zenithCirs, zenith);

  const MoonHourValues g = ComputeMoonHourValues(utcDay);
  double geocentric[3], moon[3], shift[3];
  eraS2p(static_cast<double>(g.RA) * 15 * ERFA_DD2R, static_cast<double>(g.Dec) * ERFA_DD2R,
         static_cast<double>(g.Dist), geocentric);
  eraPmp(geocentric, observer[0], moon);
  eraSxp(eraPm(moon) / kLightKmPerDay, observer[1], shift);
  eraPpp(moon, shift, moon);

  double pvh[2][3], pvb[2][3], sun[3], aberration[3];
  eraEpv00(2400000.5, tt, pvh, pvb);
  eraSxp(-kKmPerAu, pvh[0], sun);
  eraSxp(eraPm(sun) / kLightKmPerDay * kKmPerAu, pvb[1], aberration);
  eraPpp(sun, aberration, sun);
  eraPmp(sun, observer[0], sun);

  const MoonOrientation o = MoonOrientationAt(TerrestrialTimeDay(utcDay) - eraPm(moon) / kLightKmPerDay);
  const Matrix3 body = MoonBodyMatrix(o);
  double toObserver[3], sunFromMoon[3], pole[3], lon, lat;
  for (int i = 0; i < 3; ++i)
    toObserver[i] = -static_cast<double>(body[i][0] * moon[0] + body[i][1] * moon[1] + body[i][2] * moon[2]);
  eraC2s(toObserver, &lon, &lat);
  eraPmp(sun, moon, sunFromMoon);
  double minusMoon[3];
  eraSxp(-1, moon, minusMoon);
  eraS2c(static_cast<double>(o.PoleRa), static_cast<double>(o.PoleDec), pole);
  return {Deg(lon), Deg(lat), PositionAngleDeg(moon, pole),
          2 * std::asin(kMoonRadiusKm / eraPm(moon)) * ERFA_DR2D * 3600,
          50 * (1 + std::cos(eraSepp(minusMoon, sunFromMoon))), PositionAngleDeg(moon, sun),
          PositionAngleDeg(moon, zenith), 90 - Deg(eraSepp(moon, zenith))};
}

double AngleDifference(long double a, double b) { return std::fabs(std::remainder(static_cast<double>(a) - b, 360.0)); }

// The geocentric Moon's right ascension and declination of date (radians) and the
// apparent sidereal time (degrees), for choosing places.
struct MoonOfDate {
  double Ra, Dec, SiderealDeg;
};

MoonOfDate MoonOfDateAt(double utcDay) {
  const MoonHourValues g = ComputeMoonHourValues(utcDay);
  const double ut = utcDay + kJdOfDayZero - 2400000.5, tt = static_cast<double>(TerrestrialTimeDay(utcDay)) + 15018;
  double rnpb[3][3], gcrs[3], ofDate[3];
  eraPnm06a(2400000.5, tt, rnpb);
  eraS2c(static_cast<double>(g.RA) * 15 * ERFA_DD2R, static_cast<double>(g.Dec) * ERFA_DD2R, gcrs);
  eraRxp(rnpb, gcrs, ofDate);
  MoonOfDate m{};
  eraC2s(ofDate, &m.Ra, &m.Dec);
  m.SiderealDeg = Deg(eraGst06a(2400000.5, ut, 2400000.5, tt));
  return m;
}

// The longitude from which the Moon stands at hour angle h (degrees, positive west; 0 is the transit).
double LongitudeForHourAngle(const MoonOfDate& m, double hourAngleDeg) {
  return std::remainder(hourAngleDeg + Deg(m.Ra) - m.SiderealDeg, 360.0);
}

// The hour angle (degrees) at which the Moon's centre is on the geocentric horizon,
// where the observer's displacement shifts it most: about 0.95 degree below the
// topocentric horizon.
double HorizonHourAngle(const MoonOfDate& m, double latDeg, bool rising) {
  const double h = Deg(std::acos(-std::tan(latDeg * ERFA_DD2R) * std::tan(m.Dec)));
  return rising ? -h : h;
}

}  // namespace

// Accuracy promised for any place and hour of 1700 ... 2050: Elon, Elat and AxisA
// within 0.01 degree, Diam within 0.5", Phase within 0.02 points, the bright limb
// (and the zenith's angle, turning the view) within 0.1 degree.
TEST(TopocentricMoon, AgreesWithErfaOverPlacesAndHourAngles) {
  const double instants[] = {-72982.25, -18000.6, 25404.85, 36526.3, 45077.5, 54803.15};  // 1700 ... 2050
  const double latitudes[] = {0, 40.71, -33.87, 64.1, -54.8};
  int horizonCases = 0;
  for (const double x : instants)
    for (const double lat : latitudes)
      for (int kind = 0; kind < 5; ++kind) {
        const MoonOfDate m = MoonOfDateAt(x);
        const double hourAngle = kind < 3 ? (kind - 1) * 60.0 : HorizonHourAngle(m, lat, kind == 3);
        const double lon = LongitudeForHourAngle(m, hourAngle);
        const double height = kind * 700.0;
        const Reference r = ReferenceAt(x, lat, lon, height);
        const TopocentricMoonValues t = TopocentricMoon(ComputeMoonHourValues(x), x, ObserverPlace{lat, lon, height});
        SCOPED_TRACE(::testing::Message() << "day " << x << " lat " << lat << " lon " << lon << " alt " << r.Altitude);
        if (kind >= 3) {
          EXPECT_NEAR(r.Altitude, -0.95, 0.1) << "a horizon case that is none";
          ++horizonCases;
        }
        EXPECT_LT(AngleDifference(t.Elon, r.Elon), 0.01);
        EXPECT_NEAR(static_cast<double>(t.Elat), r.Elat, 0.01);
        EXPECT_LT(AngleDifference(t.AxisA, r.AxisA), 0.01);
        EXPECT_NEAR(static_cast<double>(t.Diam), r.Diam, 0.5);
        EXPECT_NEAR(static_cast<double>(t.Phase), r.Phase, 0.02);
        if (r.Phase > 1) {
          EXPECT_LT(AngleDifference(t.BrightLimb, r.BrightLimb), 0.1);
        }
        EXPECT_LT(AngleDifference(t.Zenith, r.Zenith), 0.1);
      }
  EXPECT_EQ(horizonCases, 60);
}

// The Earth's centre sees the geocentric columns, to the last bit.
TEST(TopocentricMoon, EarthsCentreGivesTheGeocentricValues) {
  for (const double x : {-72982.25, 45077.5, 54803.15}) {
    const MoonHourValues g = ComputeMoonHourValues(x);
    const TopocentricMoonValues t = TopocentricMoon(g, x, ObserverState{});
    EXPECT_EQ(t.Elon, g.Elon);
    EXPECT_EQ(t.Elat, g.Elat);
    EXPECT_EQ(t.AxisA, g.AxisA);
    EXPECT_EQ(t.Diam, g.Diam);
    EXPECT_EQ(t.Phase, g.Phase);
  }
}
