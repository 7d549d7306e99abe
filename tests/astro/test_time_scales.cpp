// Time scales and calendar: Julian dates, the day-number calendar from 1600 to 3999,
// seconds of the day and the time-zone offset.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "astro/time_scales.h"

namespace {

// A date-time from its civil parts (UTC).
double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return static_cast<double>(EncodeDateTimeOrZero(y, mo, d, h, mi, s, ms));
}

// A zone that changes from one offset to another at one UTC instant, or that cannot
// tell its offset.
class StepZone : public TimeZoneRules {
 public:
  StepZone(int beforeSeconds, double changeAt, int afterSeconds)
      : Before(beforeSeconds), ChangeAt(changeAt), After(afterSeconds) {}
  std::optional<int> OffsetSecondsAt(double x) const override {
    if (ChangeAt != ChangeAt) return std::nullopt;
    return x < ChangeAt ? Before : After;
  }

 private:
  int Before;
  double ChangeAt;
  int After;
};

// New York on 2024-03-10: UTC-5 until 07:00 UTC, then UTC-4.
StepZone EasternSpring() { return StepZone(-5 * 3600, At(2024, 3, 10, 7), -4 * 3600); }

}  // namespace

TEST(JulianDate, J2000IsCenturyZero) {
  EXPECT_DOUBLE_EQ(static_cast<double>(DateTimeToJulianDate(36526.5)), 2451545.0);
  EXPECT_EQ(JulianCenturiesJ2000(36526.5), 0.0L);
}

TEST(JulianDate, EqualsDateTimePlusOffsetForPositiveDateTimes) {
  // The Gregorian day count and the plain offset 2415018.5 must agree on every day,
  // including leap days and century years; an hour fraction is carried unchanged.
  for (double x = 1.0; x < 2958465.0; x += 97.375) {
    ASSERT_NEAR(static_cast<double>(DateTimeToJulianDate(x)), x + 2415018.5, 1e-9) << x;
  }
  EXPECT_NEAR(static_cast<double>(DateTimeToJulianDate(45292.75)), 2460311.25, 1e-9);
}

TEST(DayNumber, CalendarBounds) {
  EXPECT_EQ(DMYToDayNumber(1, 1, 1600), 0);
  EXPECT_EQ(DMYToDayNumber(31, 12, 3999), 876581);
  EXPECT_EQ(DayNumberToJulianDate(0), 2305447.5L);
  EXPECT_EQ(DMYToDayNumber(31, 12, 1599), -1);
  EXPECT_EQ(DMYToDayNumber(1, 1, 4000), -1);
}

TEST(DayNumber, JanuaryAndFebruaryOf1600) {
  EXPECT_EQ(DMYToDayNumber(31, 1, 1600), 30);
  EXPECT_EQ(DMYToDayNumber(1, 2, 1600), 31);
  EXPECT_EQ(DMYToDayNumber(29, 2, 1600), 59);  // 1600 is a leap year
  EXPECT_EQ(DMYToDayNumber(1, 3, 1600), 60);
  EXPECT_EQ(DMYToDayNumber(1, 1, 1601), 366);
}

TEST(DayNumber, InvalidDatesGiveMinusOne) {
  EXPECT_EQ(DMYToDayNumber(29, 2, 1900), -1);
  EXPECT_EQ(DMYToDayNumber(29, 2, 2023), -1);
  EXPECT_NE(DMYToDayNumber(29, 2, 2000), -1);
  EXPECT_EQ(DMYToDayNumber(0, 1, 2024), -1);
  EXPECT_EQ(DMYToDayNumber(32, 1, 2024), -1);
  EXPECT_EQ(DMYToDayNumber(1, 13, 2024), -1);
  EXPECT_EQ(DMYToDayNumber(1, 0, 2024), -1);
  const DMY none = DayNumberToDMY(-1);
  EXPECT_EQ(none.Day, 0);
  EXPECT_EQ(none.Month, 0);
  EXPECT_EQ(none.Year, 0);
  EXPECT_EQ(DayNumberToDMY(876582).Year, 0);
}

TEST(DayNumber, DayNumberToDMYInvertsDMYToDayNumberOnEveryDay) {
  DayNumber expected = 0;
  for (int y = 1600; y <= 3999; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d, ++expected) {
        ASSERT_EQ(DMYToDayNumber(d, m, y), expected) << y << "-" << m << "-" << d;
        const DMY back = DayNumberToDMY(expected);
        ASSERT_TRUE(back.Day == d && back.Month == m && back.Year == y) << expected;
      }
  EXPECT_EQ(expected, 876582);
}

TEST(DayNumber, JulianDateToDayNumber) {
  const DayNumber jan25 = DMYToDayNumber(25, 1, 2024);
  EXPECT_EQ(JulianDateToDayNumber(2460335.25L, true), jan25);   // 2024-01-25 18:00
  EXPECT_EQ(JulianDateToDayNumber(2460335.25L, false), jan25 + 1);  // rounds to the next day
  EXPECT_EQ(JulianDateToDayNumber(2460334.5L, true), jan25);    // 00:00 of that day
  EXPECT_EQ(JulianDateToDayNumber(2305447.5L, true), 0);
  EXPECT_EQ(JulianDateToDayNumber(2305447.4L, true), -1);
  EXPECT_EQ(JulianDateToDayNumber(2305447.5L + 876581.0L, true), 876581);
  EXPECT_EQ(JulianDateToDayNumber(2305447.5L + 876581.5L, true), -1);
  for (DayNumber d : {0, 1, 154887, 876581})
    EXPECT_EQ(JulianDateToDayNumber(DayNumberToJulianDate(d), true), d);
}

TEST(DayNumber, DateTimeConversions) {
  const double noon = At(2024, 1, 25, 12, 34, 56, 789);
  EXPECT_EQ(DateTimeToDayNumber(noon), DMYToDayNumber(25, 1, 2024));
  EXPECT_EQ(DateTimeToSecondOfDay(noon), 45296);  // milliseconds dropped
  EXPECT_EQ(DateTimeToSecondOfDay(At(2024, 1, 25, 23, 59, 59)), 86399);
  EXPECT_EQ(DateTimeToSecondOfDay(At(2024, 1, 25)), 0);
  EXPECT_EQ(DayNumberToDateTime(DMYToDayNumber(1, 1, 2024)), 45292.0);
  EXPECT_EQ(DayNumberToDateTime(-1), 0.0);
  EXPECT_EQ(SecondOfDayToDateTime(43200), 0.5);
  EXPECT_EQ(SecondOfDayToDateTime(-1), 0.0);
  EXPECT_EQ(DateTimeToDayNumber(At(1599, 12, 31)), -1);
}

TEST(DayNumber, IsValidDayTime) {
  EXPECT_TRUE(IsValidDayTime({0, 0}));
  EXPECT_TRUE(IsValidDayTime({876581, 86399}));
  EXPECT_FALSE(IsValidDayTime({-1, 0}));
  EXPECT_FALSE(IsValidDayTime({876582, 0}));
  EXPECT_FALSE(IsValidDayTime({100, 86400}));
  EXPECT_FALSE(IsValidDayTime({100, -1}));
}

TEST(Calendar, EncodeDateTimeOrZero) {
  EXPECT_EQ(At(2024, 1, 1), 45292.0);
  EXPECT_EQ(At(2026, 1, 1), 46023.0);
  EXPECT_EQ(At(0, 1, 1), 0.0);
  EXPECT_EQ(At(2024, 0, 1), 0.0);
  EXPECT_EQ(At(2024, 1, 0), 0.0);
  EXPECT_EQ(At(2023, 2, 29), 0.0);
  EXPECT_EQ(At(2024, 1, 1, 24), 0.0);
  EXPECT_DOUBLE_EQ(At(2024, 1, 1, 18), 45292.75);
}

TEST(TimeZone, ConversionsFollowTheOffsetInForceAtTheInstant) {
  const StepZone zone = EasternSpring();
  struct Case {
    double Utc, Local;
  } cases[] = {
      {At(2024, 3, 10, 6, 57), At(2024, 3, 10, 1, 57)},  // before the change
      {At(2024, 3, 10, 7, 0), At(2024, 3, 10, 3, 0)},    // the change itself has the new offset
      {At(2024, 7, 15, 16), At(2024, 7, 15, 12)},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(UtcToLocal(c.Utc, zone), c.Local, 1e-9) << c.Utc;
    EXPECT_NEAR(LocalToUtc(c.Local, zone), c.Utc, 1e-9) << c.Local;
  }
  EXPECT_EQ(UtcOffsetHours(At(2024, 3, 10, 6, 59), zone), -5.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 3, 10, 7, 1), zone), -4.0L);
}

TEST(TimeZone, AZoneThatCannotTellMeansUtc) {
  const StepZone zone(3600, std::numeric_limits<double>::quiet_NaN(), 3600);
  const double x = At(2024, 7, 15, 12, 34);
  EXPECT_EQ(UtcOffsetHours(x, zone), 0.0L);
  EXPECT_EQ(LocalToUtc(x, zone), x);
  EXPECT_EQ(UtcToLocal(x, zone), x);
}

// The day count is linear before 1899-12-30 too: -1.75 is 1899-12-28 06:00, and one
// hour later is -1.75 + 1/24.
TEST(TimeZone, DateTimesBeforeTheEpochShiftLikeAnyOther) {
  const StepZone zone(3600, 1e9, 3600);
  EXPECT_EQ(EncodeDateTimeOrZero(1899, 12, 28, 6, 0, 0, 0), -1.75L);
  EXPECT_NEAR(UtcToLocal(-1.75, zone), -1.75 + 1.0 / 24, 1e-12);
  EXPECT_NEAR(LocalToUtc(-1.75, zone), -1.75 - 1.0 / 24, 1e-12);
  const CivilDateTime c = DecodeDateTime(EncodeDateTimeOrZero(1600, 1, 1, 5, 0, 0, 0));
  EXPECT_EQ((std::array{c.Year, c.Month, c.Day, c.Hour}), (std::array{1600, 1, 1, 5}));
}
