// Lunar phases (Meeus, chapter 49) and the full-moon search: published values,
// Meeus's worked examples, the elongation of the Moon from the Sun computed with
// ERFA, NASA's hourly Moon age, and the search across year boundaries and from days
// on which a full moon falls.
#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "astro/lunar_phases.h"
#include "astro/moon_position.h"

namespace {

constexpr double Digits(int decimals) { return 0.5 * std::pow(10.0, -decimals); }

DayNumber Day(int y, int m, int d) { return DMYToDayNumber(d, m, y); }

int Seconds(int h, int m, int s) { return h * 3600 + m * 60 + s; }

void ExpectDayTime(const DayTimeRecord& r, int y, int mo, int d, int h, int mi, int s) {
  EXPECT_EQ(r.Day, Day(y, mo, d)) << "got " << DayNumberToDMY(r.Day).Year << "-"
                                  << DayNumberToDMY(r.Day).Month << "-" << DayNumberToDMY(r.Day).Day;
  EXPECT_EQ(r.Second, Seconds(h, mi, s));
}

double FieldOf(const PhaseRecord& p, int kind) {
  const double fields[4] = {p.NewMoon, p.FirstQuarter, p.FullMoon, p.LastQuarter};
  return fields[kind];
}

// Geocentric ecliptic longitude (mean equinox of date) of a GCRS vector, radians.
double EclipticLongitude(double p[3], double mjd) {
  double rm[3][3], q[3], lon, lat;
  eraEcm06(2400000.5, mjd, rm);
  eraRxp(rm, p, q);
  eraC2s(q, &lon, &lat);
  return lon;
}

// Apparent elongation in longitude of the Moon from the Sun at a Julian Ephemeris
// Day, degrees in -180 ... 180, from ERFA's Moon (Meeus chapter 47, all terms) and
// Earth (VSOP2000 fit). Aberration of the Sun (20.4898"/R) and of the Moon (0.7")
// are applied because phases are defined by apparent longitudes.
double ApparentElongation(double jde) {
  const double mjd = jde - 2400000.5;
  double moon[2][3], earthHelio[2][3], earthBary[2][3];
  eraMoon98(2400000.5, mjd, moon);
  eraEpv00(2400000.5, mjd, earthHelio, earthBary);
  double sun[3] = {-earthHelio[0][0], -earthHelio[0][1], -earthHelio[0][2]};
  const double moonLon = EclipticLongitude(moon[0], mjd) - 0.00019524 * ERFA_DD2R;
  const double sunLon = EclipticLongitude(sun, mjd) - 20.4898 / eraPm(sun) * ERFA_DAS2R;
  return std::remainder(moonLon - sunLon, 2 * std::numbers::pi) * ERFA_DR2D;
}

// NASA's Moon age (days since the last new moon) at every hour of 2024.
std::vector<double> NasaAges2024() {
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/nasa/mooninfo_2024.txt");
  std::vector<double> ages;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string day, month, year, time, ut;
    double phase = 0, age = 0;
    if (fields >> day >> month >> year >> time >> ut >> phase >> age) ages.push_back(age);
  }
  return ages;
}

}  // namespace

// ---- LunationPhases and PlanetaryPhaseCorrection -----------------------------------

TEST(LunationPhases, FullMoonOfLunation297) {
  EXPECT_NEAR(LunationPhases(297).FullMoon, 2460335.246586, Digits(6));
}

TEST(LunationPhases, QuartersOfLunation298) {
  const PhaseRecord p = LunationPhases(298);
  EXPECT_NEAR(p.FirstQuarter, 2460357.126375, Digits(6));
  EXPECT_NEAR(p.LastQuarter, 2460373.142299, Digits(6));
}

TEST(LunationPhases, MeeusWorkedExamples) {
  // The program keeps the book's first sixteen (quarters: seventeen) periodic terms;
  // the nine or eight it leaves out have amplitudes of 0.00002 to 0.00004 day and add
  // up to 0.00026 day at most, so 0.0003 day (26 s) separates that from a real fault.
  constexpr double kOmittedTerms = 0.0003;
  // Example 49.a: the new moon of 1977 February, k = -283, JDE 2443192.65118.
  EXPECT_NEAR(LunationPhases(-283).NewMoon, 2443192.65118, kOmittedTerms);
  // Example 49.b: the first last quarter of 2044, k = 544.75, JDE 2467636.49186.
  EXPECT_NEAR(LunationPhases(544).LastQuarter, 2467636.49186, kOmittedTerms);
}

TEST(LunationPhases, PhasesInOrderAQuarterLunationApart) {
  for (int K = -100; K <= 800; ++K) {
    const PhaseRecord p = LunationPhases(K);
    ASSERT_GT(p.FirstQuarter - p.NewMoon, 6.0) << K;
    ASSERT_LT(p.FirstQuarter - p.NewMoon, 8.7) << K;
    ASSERT_GT(p.FullMoon - p.FirstQuarter, 6.0) << K;
    ASSERT_GT(p.LastQuarter - p.FullMoon, 6.0) << K;
    ASSERT_NEAR(LunationPhases(K + 1).NewMoon - p.NewMoon, 29.53, 0.45) << K;
  }
}

TEST(LunationPhases, MoonAndSunAtTheRightElongation) {
  // ERFA's Moon and Sun give an elongation within 0.006 degree of 0, 90, 180 and 270
  // at every phase instant of 2016-2032: about 42 seconds of time at the Moon's
  // 12.19 degrees a day. A wrong or missing periodic term of 0.0006 day (52 s) and
  // above, a quarter correction W of the wrong sign or a phase in the wrong field
  // exceeds it.
  for (int K = 200; K <= 400; ++K) {
    const PhaseRecord p = LunationPhases(K);
    for (int kind = 0; kind < 4; ++kind) {
      const double offset = std::remainder(ApparentElongation(FieldOf(p, kind)) - 90.0 * kind, 360);
      ASSERT_NEAR(offset, 0.0, 0.006)
          << "lunation " << K << " kind " << kind;
    }
  }
}

TEST(LunationPhases, NonIntegralLunationLeavesFieldsZero) {
  const PhaseRecord p = LunationPhases(297.1);
  EXPECT_EQ(p.NewMoon, 0.0);
  EXPECT_EQ(p.FirstQuarter, 0.0);
  EXPECT_EQ(p.FullMoon, 0.0);
  EXPECT_EQ(p.LastQuarter, 0.0);
}

TEST(PlanetaryPhaseCorrection, MatchesTheDataFileTerms) {
  // Sum the fourteen A terms straight from the data file, as an independent check of
  // the generated table (columns, order, units).
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/astro/meeus_49_additional.csv");
  ASSERT_TRUE(in.is_open());
  std::vector<std::vector<double>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::vector<double> row;
    for (std::string f; std::getline(fields, f, ',');) row.push_back(std::stod(f));
    rows.push_back(row);
  }
  ASSERT_EQ(rows.size(), 14u);
  for (double k : {-283.0, 0.0, 297.5, 298.25, 544.75, 1000.0}) {
    const double T2 = (k / 1236.85) * (k / 1236.85);
    double sum = 0;
    for (const auto& r : rows) sum += r[4] * std::sin((r[1] + r[2] * k + r[3] * T2) * ERFA_DD2R);
    EXPECT_NEAR(PlanetaryPhaseCorrection(k, T2), sum, 1e-15) << k;
  }
}

// ---- NextPrevPhase, NextFullMoon, PrevFullMoon --------------------------------------

TEST(FullMoonSearch, NextFromBeforeAndFromTheDayOfTheFullMoon) {
  ExpectDayTime(NextFullMoon(Day(2024, 1, 20)), 2024, 1, 25, 17, 55, 5);
  ExpectDayTime(NextFullMoon(Day(2024, 1, 25)), 2024, 1, 25, 17, 55, 5);
  ExpectDayTime(NextFullMoon(Day(2024, 1, 26)), 2024, 2, 24, 12, 31, 33);
}

TEST(FullMoonSearch, PreviousFromTheDayOfTheFullMoonAndAfter) {
  ExpectDayTime(PrevFullMoon(Day(2024, 1, 25)), 2023, 12, 27, 0, 34, 16);
  ExpectDayTime(PrevFullMoon(Day(2024, 1, 26)), 2024, 1, 25, 17, 55, 5);
}

TEST(FullMoonSearch, AcrossTheYearBoundary) {
  ExpectDayTime(NextFullMoon(Day(2025, 12, 31)), 2026, 1, 3, 10, 4, 7);
  ExpectDayTime(PrevFullMoon(Day(2024, 1, 1)), 2023, 12, 27, 0, 34, 16);
  ExpectDayTime(PrevFullMoon(Day(2026, 1, 4)), 2026, 1, 3, 10, 4, 7);
}

TEST(FullMoonSearch, InvalidDayNumbers) {
  for (DayNumber d : {-1, 876582, -1000000}) {
    for (bool next : {true, false}) {
      const DayTimeRecord r = NextPrevPhase(d, 2, next);
      EXPECT_EQ(r.Day, -1) << d;
      EXPECT_EQ(r.Second, -1) << d;
    }
  }
  EXPECT_EQ(NextFullMoon(-1).Day, -1);
  EXPECT_EQ(PrevFullMoon(876582).Second, -1);
}

TEST(FullMoonSearch, UnknownPhaseKindIsRejected) {
  // There is no field to compare: a forward search would otherwise never end.
  for (int kind : {-1, 4, 99}) {
    const DayTimeRecord r = NextPrevPhase(Day(2024, 6, 1), kind, true);
    EXPECT_EQ(r.Day, -1) << kind;
    EXPECT_EQ(r.Second, -1) << kind;
  }
}

TEST(FullMoonSearch, EdgesOfTheDayCalendar) {
  // The first full moon after the last day lies beyond 3999-12-31: no day number.
  const DayTimeRecord beyond = NextFullMoon(kLastDayNumber);
  EXPECT_EQ(beyond.Day, -1);
  EXPECT_EQ(beyond.Second, -1);
  const DayTimeRecord before = PrevFullMoon(0);
  EXPECT_EQ(before.Day, -1);
  EXPECT_EQ(before.Second, -1);
  // One lunation into the calendar both directions find one.
  EXPECT_TRUE(IsValidDayTime(NextFullMoon(0)));
  EXPECT_TRUE(IsValidDayTime(PrevFullMoon(kLastDayNumber)));
}

TEST(PhaseSearch, LastQuarterEarlyOnTheStartDayIsNotSkipped) {
  // The lunation estimate for 2024-01-04 already points at the last quarter of
  // 2024-02-02; the one at 03:31:31 that day must still be found first.
  ExpectDayTime(NextPrevPhase(Day(2024, 1, 4), 3, true), 2024, 1, 4, 3, 31, 31);
  ExpectDayTime(NextPrevPhase(Day(2024, 1, 5), 3, false), 2024, 1, 4, 3, 31, 31);
}

TEST(PhaseSearch, EveryDayOf2024And2025FindsTheNearestPhases) {
  // For each kind and each day, the next phase is the first one strictly after
  // 00:00 of the day and the previous one the last one strictly before it.
  for (int kind = 0; kind < 4; ++kind) {
    for (DayNumber d = Day(2024, 1, 1); d <= Day(2025, 12, 31); ++d) {
      const DayTimeRecord next = NextPrevPhase(d, kind, true);
      const DayTimeRecord prev = NextPrevPhase(d, kind, false);
      ASSERT_TRUE(IsValidDayTime(next) && IsValidDayTime(prev)) << d;
      const double tNext = next.Day + next.Second / 86400.0;
      const double tPrev = prev.Day + prev.Second / 86400.0;
      ASSERT_GE(tNext, d) << d;
      ASSERT_LT(tPrev, d) << d;
      // One lunation apart (29.2 to 29.9 days): nothing was skipped.
      ASSERT_LT(tNext - tPrev, 30.0) << d << " kind " << kind;
      ASSERT_GT(tNext - tPrev, 29.0) << d << " kind " << kind;
    }
  }
}

// The days of the calendar-wide search are dealt round-robin to shards that CTest
// runs side by side; together they check every day.
constexpr int kPhaseSearchShards = 4;

class PhaseSearchAcrossTheCalendar : public ::testing::TestWithParam<int> {};

TEST_P(PhaseSearchAcrossTheCalendar, FindsTheNearestPhase) {
  // Checked against every phase of the kind within three lunations of the result:
  // none may lie between 00:00 of the day and the one found. The listed days are
  // ones where the lunation estimate starts past the answer (a last quarter in 1707,
  // a full moon in 2731, a first quarter in 3903).
  std::vector<DayNumber> all = {Day(1707, 3, 26), Day(2731, 5, 14), Day(3903, 3, 20)};
  for (DayNumber d = 60; d < kLastDayNumber - 60; d += 397) all.push_back(d);
  std::vector<DayNumber> days;
  for (std::size_t i = static_cast<std::size_t>(GetParam()); i < all.size(); i += kPhaseSearchShards)
    days.push_back(all[i]);
  ASSERT_FALSE(days.empty());
  // The four kinds and two directions of a day look at the same few lunations.
  std::map<double, PhaseRecord> lunations;
  const auto lunation = [&lunations](double k) -> const PhaseRecord& {
    auto it = lunations.find(k);
    if (it == lunations.end()) it = lunations.emplace(k, LunationPhases(k)).first;
    return it->second;
  };
  for (DayNumber d : days) {
    const double TD = DayNumberToJulianDate(d);
    for (int kind = 0; kind < 4; ++kind) {
      for (bool next : {true, false}) {
        const DayTimeRecord r = NextPrevPhase(d, kind, next);
        ASSERT_TRUE(IsValidDayTime(r)) << d;
        const double found = DayNumberToJulianDate(r.Day) + r.Second / 86400.0;
        const double K = std::round((found - 2451550.09765) / 29.530588853 - kind * 0.25);
        for (double k = K - 3; k <= K + 3; ++k) {
          const double J = FieldOf(lunation(k), kind);
          if (k == K) {
            ASSERT_NEAR(J, found, 1.0 / 86400) << d << " kind " << kind;
          } else if (next) {
            ASSERT_FALSE(J > TD && J < found) << d << " kind " << kind << " skipped " << J;
          } else {
            ASSERT_FALSE(J < TD && J > found) << d << " kind " << kind << " skipped " << J;
          }
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, PhaseSearchAcrossTheCalendar, ::testing::Range(0, kPhaseSearchShards));

TEST(PhaseSearch, NewMoonsAgreeWithNasaMoonAge) {
  // NASA's age column counts days from its own new moon instant. The hour after our
  // new moon must show an age equal to the time elapsed, plus Delta T (69 s in 2024,
  // because our instants are dynamical time): 0.001 day (86 s) covers Meeus's
  // algorithm and the printed rounding (0.0005 day) and catches an error of a minute
  // and a half.
  const std::vector<double> ages = NasaAges2024();
  ASSERT_GE(ages.size(), 8784u);
  constexpr double kDeltaT = 69.2 / 86400;
  for (DayNumber d = Day(2024, 1, 1);;) {
    const DayTimeRecord r = NextPrevPhase(d, 0, true);
    const double jd = DayNumberToJulianDate(r.Day) + r.Second / 86400.0;
    const double x = jd - 2415018.5;  // date-time
    const int hour = static_cast<int>(std::ceil((x - 45292.0) * 24));
    if (hour >= 8784) break;
    const double elapsed = (45292.0 + hour / 24.0) - x;
    EXPECT_NEAR(ages[hour], elapsed + kDeltaT, 0.001) << "new moon at day " << r.Day;
    d = r.Day + 1;
  }
}

// ---- FindFullMoon -------------------------------------------------------------------

TEST(FindFullMoon, ReturnsTheDateTimeToTheSecond) {
  const double jan25 = 45316.0 + Seconds(17, 55, 5) / 86400.0;
  EXPECT_NEAR(FindFullMoon(true, 45311.0), jan25, 1e-9);          // from 2024-01-20
  EXPECT_NEAR(FindFullMoon(true, 45316.9), jan25, 1e-9);          // later the same day
  EXPECT_NEAR(FindFullMoon(false, 45317.0), jan25, 1e-9);         // from 2024-01-26
  EXPECT_NEAR(FindFullMoon(false, 45316.99), 45287.0 + Seconds(0, 34, 16) / 86400.0, 1e-9);
  EXPECT_NEAR(FindFullMoon(true, 46022.5), 46025.0 + Seconds(10, 4, 7) / 86400.0, 1e-9);
}

TEST(FindFullMoon, OutsideTheDayCalendarGivesZero) {
  EXPECT_EQ(FindFullMoon(true, -200000.0), 0.0);   // before 1600
  EXPECT_EQ(FindFullMoon(false, 800000.0), 0.0);  // after 3999
}
