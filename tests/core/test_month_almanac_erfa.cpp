// The month almanac against an independent ephemeris built from ERFA: the Moon from
// eraMoon98, the Sun from eraEpv00 with eraAb's aberration, both in proper TT through
// IAU 2006/2000A precession-nutation (eraPnm06a) and sidereal time (eraGst06); local
// days from QTimeZone. The horizon conventions are the program's: the Moon's centre at
// 0.7275 of its horizontal parallax less 34', the Sun's at -50', night below -18 degrees.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/covered_range.h"
#include "core/month_almanac.h"
#include "core/system_time_zone.h"

namespace {

constexpr double kEpochJd = 2415018.5;  // Julian Date of date-time 0
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kEarthRadiusKm = 6378.1366;
// The accuracy the almanac promises at latitudes up to 66 degrees.
constexpr double kRiseSetTolerance = 60 * kSecond;
constexpr double kNightTolerance = 90 * kSecond;
constexpr double kPhaseTolerance = 60 * kSecond;
constexpr double kDistanceExtremeTolerance = 600 * kSecond;
constexpr double kAzimuthToleranceDeg = 0.2;
// Transit: the Moon's hour angle runs 0.25 degree a minute, and its altitude there
// hardly changes; 0.05 degree covers the two theories' places (eraMoon98 18" worst).
constexpr double kTransitAltitudeToleranceDeg = 0.05;
// Illuminated percent: 0.3 covers a tenth of a degree in the phase angle.
constexpr double kIlluminationTolerance = 0.3;

// The sky of the reference at a UTC date-time (UT1 taken as UTC).
class ReferenceSky {
 public:
  ReferenceSky(double latitude, double eastLongitude) : Phi(latitude * ERFA_DD2R), Lambda(eastLongitude * ERFA_DD2R) {}

  struct Body {
    double AltitudeDeg, AzimuthDeg, HourAngleDeg, ParallaxDeg, DistanceKm;
  };

  Body Moon(double t) {
    double moon[3];
    MoonGcrs(t, moon);
    Body b = Place(t, moon);
    b.DistanceKm = eraPm(moon) * ERFA_DAU / 1000;
    b.ParallaxDeg = std::asin(kEarthRadiusKm / b.DistanceKm) * ERFA_DR2D;
    return b;
  }

  // The sunrise and night searches scan the same instants: each is computed once.
  Body Sun(double t) {
    const auto known = SunAt.find(t);
    if (known != SunAt.end()) return known->second;
    double sun[3];
    SunGcrs(t, sun);
    return SunAt.emplace(t, Place(t, sun)).first->second;
  }

  double MoonDistanceKm(double t) {
    double moon[3];
    MoonGcrs(t, moon);
    return eraPm(moon) * ERFA_DAU / 1000;
  }

  // The Moon's ecliptic longitude less the Sun's (mean ecliptic of date), degrees.
  double ElongationDeg(double t) {
    double moon[3], sun[3];
    MoonGcrs(t, moon);
    SunGcrs(t, sun);
    return EclipticLongitudeDeg(t, moon) - EclipticLongitudeDeg(t, sun);
  }

 private:
  double Phi, Lambda;
  std::map<long, std::array<std::array<double, 3>, 3>> Npb;  // per hour: precession-nutation barely moves
  std::map<double, Body> SunAt;

  static double TtMinusUtc(double t) {
    int y, m, d;
    double f, dat;
    eraJd2cal(kEpochJd, t, &y, &m, &d, &f);
    eraDat(y, m, d, f, &dat);
    return (dat + 32.184) * kSecond;
  }

  static void MoonGcrs(double t, double moon[3]) {
    double pv[2][3];
    eraMoon98(kEpochJd, t + TtMinusUtc(t), pv);
    eraCp(pv[0], moon);
  }

  static void SunGcrs(double t, double seen[3]) {
    double pvh[2][3], pvb[2][3], p[3], u[3], v[3];
    eraEpv00(kEpochJd, t + TtMinusUtc(t), pvh, pvb);
    eraSxp(-1, pvh[0], p);
    double distance;
    eraPn(p, &distance, u);
    eraSxp(ERFA_DAU / ERFA_DAYSEC / ERFA_CMPS, pvb[1], v);
    eraAb(u, v, distance, std::sqrt(1 - eraPm(v) * eraPm(v)), seen);
  }

  static double EclipticLongitudeDeg(double t, double gcrs[3]) {
    double ecm[3][3], e[3], lon, lat;
    eraEcm06(kEpochJd, t + TtMinusUtc(t), ecm);
    eraRxp(ecm, gcrs, e);
    eraC2s(e, &lon, &lat);
    return eraAnp(lon) * ERFA_DR2D;
  }

  Body Place(double t, double gcrs[3]) {
    const double tt = t + TtMinusUtc(t);
    const long hour = std::lround(t * 24);
    double npb[3][3];
    auto it = Npb.find(hour);
    if (it == Npb.end()) {
      eraPnm06a(kEpochJd, hour / 24.0 + TtMinusUtc(t), npb);
      std::array<std::array<double, 3>, 3> a;
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a[i][j] = npb[i][j];
      it = Npb.emplace(hour, a).first;
    }
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) npb[i][j] = it->second[i][j];
    double p[3], ra, dec, az, alt;
    eraRxp(npb, gcrs, p);
    eraC2s(p, &ra, &dec);
    const double ha = eraAnpm(eraGst06(kEpochJd, t, kEpochJd, tt, npb) + Lambda - ra);
    eraHd2ae(ha, dec, Phi, &az, &alt);
    return {alt * ERFA_DR2D, az * ERFA_DR2D, ha * ERFA_DR2D, 0, 0};
  }
};

struct RefCrossing {
  double Instant;
  bool Rising;
};

// Every change of sign in [from, to), scanned every five minutes and bisected.
std::vector<RefCrossing> Crossings(const std::function<double(double)>& f, double from, double to,
                                   double step = 300 * kSecond) {
  std::vector<RefCrossing> found;
  double t0 = from, f0 = f(t0);
  while (t0 < to) {
    const double t1 = std::min(t0 + step, to), f1 = f(t1);
    if ((f0 < 0) != (f1 < 0)) {
      double lo = t0, hi = t1;
      while (hi - lo > 0.1 * kSecond) ((f((lo + hi) / 2) < 0) == (f0 < 0) ? lo : hi) = (lo + hi) / 2;
      found.push_back({(lo + hi) / 2, f0 < 0});
    }
    t0 = t1;
    f0 = f1;
  }
  return found;
}

std::optional<double> First(const std::vector<RefCrossing>& c, bool rising, double from, double to) {
  for (const RefCrossing& x : c)
    if (x.Rising == rising && x.Instant >= from && x.Instant < to) return x.Instant;
  return std::nullopt;
}

double ReferenceDateTime(const QDateTime& d) { return d.toMSecsSinceEpoch() / 86400000.0 + 25569.0; }

// The program's event against the reference's first one of the day: both present and
// within the tolerance, or both absent; a reference event within the tolerance of the
// day's ends may be missed or found by either.
void ExpectEvent(const std::optional<double>& engine, const std::vector<RefCrossing>& reference, bool rising,
                 double start, double end, double tolerance, const std::string& what) {
  const std::optional<double> truth = First(reference, rising, start, end);
  if (engine && truth) {
    EXPECT_NEAR(*engine, *truth, tolerance) << what;
    return;
  }
  const std::optional<double> present = engine ? engine : truth;
  if (present) {
    EXPECT_TRUE(*present < start + tolerance || *present > end - tolerance)
        << what << (engine ? " found only by the program at " : " missed by the program at ") << *present;
  }
}

struct Case {
  const char* Id;  // the test's name
  const char* Name;
  double Latitude, Longitude;
  const char* Zone;
  int Year, Month;
};

const Case kCases[] = {
    {"Tokyo", "Tokyo", 35.68502, 139.75141, "Asia/Tokyo", 2027, 3},
    {"NewYork", "New York across the start of daylight time", 40.74998, -73.98002, "America/New_York", 2027, 3},
    {"Sydney", "Sydney across the end of daylight time", -33.92001, 151.18518, "Australia/Sydney", 2027, 4},
    {"Tromso", "Tromso in the polar night", 69.63508, 18.99203, "Europe/Oslo", 2027, 1},
    // The Moon rises or sets twice within some UTC days and some local days.
    {"TromsoSummer", "Tromso in the midnight Sun", 69.63508, 18.99203, "Europe/Oslo", 2027, 6},
};

// Every day of each place's month, against one almanac of the whole month: split into
// parts, each part would compute the month's almanac again.
class AlmanacAgainstErfa : public ::testing::TestWithParam<Case> {};

TEST_P(AlmanacAgainstErfa, EveryDayAgrees) {
  const Case& c = GetParam();
  const QTimeZone qzone(c.Zone);
  const SystemTimeZone zone(qzone);
  const MonthAlmanac almanac = ComputeMonthAlmanac(c.Year, c.Month, {c.Latitude, c.Longitude, 0}, zone);
  ReferenceSky sky(c.Latitude, c.Longitude);
  const QDate firstDay(c.Year, c.Month, 1);
  const double monthStart = ReferenceDateTime(QDateTime(firstDay, QTime(0, 0), qzone));
  const double monthEnd = ReferenceDateTime(QDateTime(firstDay.addMonths(1), QTime(0, 0), qzone));
  const auto moonAbove = [&](double t) {
    const ReferenceSky::Body m = sky.Moon(t);
    return m.AltitudeDeg - 0.7275 * m.ParallaxDeg + 34.0 / 60.0;
  };
  const auto sunAbove = [&](double limit) { return [&sky, limit](double t) { return sky.Sun(t).AltitudeDeg - limit; }; };
  const auto moon = Crossings(moonAbove, monthStart - 1, monthEnd + 1);
  const auto sunrise = Crossings(sunAbove(-50.0 / 60), monthStart - 1, monthEnd + 1);
  const auto night = Crossings(sunAbove(-18), monthStart - 1, monthEnd + 2);
  const auto transit = Crossings([&](double t) { return sky.Moon(t).HourAngleDeg; }, monthStart - 1, monthEnd + 1, 3600 * kSecond);

  ASSERT_EQ(almanac.Days.size(), static_cast<std::size_t>(firstDay.daysInMonth()));
  for (const AlmanacDay& d : almanac.Days) {
    const QDate date(d.Year, d.Month, d.Day);
    const double start = ReferenceDateTime(QDateTime(date, QTime(0, 0), qzone));
    const double end = ReferenceDateTime(QDateTime(date.addDays(1), QTime(0, 0), qzone));
    const std::string day = std::string(c.Name) + " " + date.toString(Qt::ISODate).toStdString();
    const auto instant = [](const std::optional<TimedAngle>& e) { return e ? std::optional(e->Instant) : std::nullopt; };
    ExpectEvent(instant(d.Moonrise), moon, true, start, end, kRiseSetTolerance, day + " moonrise");
    ExpectEvent(instant(d.Moonset), moon, false, start, end, kRiseSetTolerance, day + " moonset");
    for (const auto& e : {d.Moonrise, d.Moonset})
      if (e) {
        EXPECT_NEAR(e->Degrees, sky.Moon(e->Instant).AzimuthDeg, kAzimuthToleranceDeg) << day;
      }
    ExpectEvent(d.Sunrise, sunrise, true, start, end, kRiseSetTolerance, day + " sunrise");
    ExpectEvent(d.Sunset, sunrise, false, start, end, kRiseSetTolerance, day + " sunset");
    ExpectEvent(d.NightFrom, night, false, start, end, kNightTolerance, day + " night from");
    if (d.NightFrom)
      ExpectEvent(d.NightUntil, night, true, *d.NightFrom, *d.NightFrom + 1, kNightTolerance, day + " night until");
    ExpectEvent(instant(d.Transit), transit, true, start, end, kRiseSetTolerance, day + " transit");
    if (d.Transit) {
      const ReferenceSky::Body m = sky.Moon(d.Transit->Instant);
      const double topocentric = m.AltitudeDeg - std::asin(std::sin(m.ParallaxDeg * ERFA_DD2R) * std::cos(m.AltitudeDeg * ERFA_DD2R)) * ERFA_DR2D;
      EXPECT_NEAR(d.Transit->Degrees, topocentric, kTransitAltitudeToleranceDeg) << day;
      const double elongation = eraAnpm(sky.ElongationDeg(d.Transit->Instant) * ERFA_DD2R);
      ASSERT_TRUE(d.Illumination.has_value());
      // The phase angle is the elongation's supplement to within the Moon's 0.15 degree
      // latitude effect and parallax of the Sun; k = (1 + cos i) / 2.
      EXPECT_NEAR(*d.Illumination, 50 * (1 - std::cos(elongation)), kIlluminationTolerance + 0.5) << day;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Places, AlmanacAgainstErfa, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.Id); });

// The phases and the distance's extremes of the months, against the same ephemeris: the
// Moon's ecliptic longitude less the Sun's through 0, 90, 180, 270 degrees, and the
// change of sign of eraMoon98's distance rate.
class AlmanacEventsAgainstErfa : public ::testing::TestWithParam<int> {};

TEST_P(AlmanacEventsAgainstErfa, PhasesPerigeesAndApogees) {
  const QTimeZone utc = QTimeZone::utc();
  const SystemTimeZone zone(utc);
  ReferenceSky sky(0, 0);
  const int month = GetParam();
  const MonthAlmanac almanac = ComputeMonthAlmanac(2027, month, {0, 0, 0}, zone);
  ASSERT_GE(almanac.Events.size(), 5u);
  for (const LunarEvent& e : almanac.Events) {
    const double t = e.Instant;
    if (e.Kind == LunarEventKind::Perigee || e.Kind == LunarEventKind::Apogee) {
      const auto rate = [&](double x) { return sky.MoonDistanceKm(x + 0.02) - sky.MoonDistanceKm(x - 0.02); };
      const auto found = Crossings(rate, t - 0.5, t + 0.5, 3600 * kSecond);
      ASSERT_EQ(found.size(), 1u) << LunarEventName(e.Kind) << " " << t;
      EXPECT_EQ(found[0].Rising, e.Kind == LunarEventKind::Perigee);
      EXPECT_NEAR(t, found[0].Instant, kDistanceExtremeTolerance) << LunarEventName(e.Kind);
    } else {
      const double target = 90.0 * static_cast<int>(e.Kind);
      const auto offTarget = [&](double x) {
        return eraAnpm((sky.ElongationDeg(x) - target) * ERFA_DD2R);
      };
      const auto found = Crossings(offTarget, t - 0.1, t + 0.1, 600 * kSecond);
      ASSERT_FALSE(found.empty()) << LunarEventName(e.Kind);
      EXPECT_NEAR(t, found[0].Instant, kPhaseTolerance) << LunarEventName(e.Kind) << " " << t;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Months2027, AlmanacEventsAgainstErfa, ::testing::Values(1, 3, 4));

// The first local day of 1600 east of UTC begins before the covered range, the last of
// 3999 west of it ends after it: the sky there is not computed, nor listed.
TEST(AlmanacAtTheRangesEnds, ListsOnlyInstantsInsideTheCoveredRange) {
  const struct {
    const char* Zone;
    double Latitude, Longitude;
    int Year, Month;
  } cases[] = {{"Asia/Tokyo", 35.68502, 139.75141, 1600, 1}, {"America/New_York", 40.74998, -73.98002, 3999, 12}};
  const auto instant = [](const std::optional<TimedAngle>& e) { return e ? std::optional(e->Instant) : std::nullopt; };
  for (const auto& c : cases) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    const MonthAlmanac almanac = ComputeMonthAlmanac(c.Year, c.Month, {c.Latitude, c.Longitude, 0}, zone);
    for (const AlmanacDay& d : almanac.Days)
      for (const std::optional<double>& t : {instant(d.Moonrise), instant(d.Transit), instant(d.Moonset), d.Sunrise,
                                             d.Sunset, d.NightFrom, d.NightUntil})
        if (t) {
          EXPECT_TRUE(InCoveredRange(*t)) << c.Zone << " " << d.Year << "-" << d.Month << "-" << d.Day;
        }
  }
}

}  // namespace
