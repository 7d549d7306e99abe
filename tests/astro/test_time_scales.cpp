// Time scales and calendar: Julian dates, the day-number calendar from 1600 to 3999,
// seconds of the day, Sundays of a month and the time-zone offset.
#include <gtest/gtest.h>

#include <array>

#include "astro/time_scales.h"

namespace {

// A date-time from its civil parts (UTC).
double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return static_cast<double>(EncodeDateTimeOrZero(y, mo, d, h, mi, s, ms));
}

// The hour of a date-time, for comparing local clock readings.
int HourOf(double x) { return DecodeDateTime(x).Hour; }

// A zone whose rules the test fills in by hand.
class FixedZone : public TimeZoneRules {
 public:
  explicit FixedZone(const TimeZoneInformation& info, bool answers = true)
      : info_(info), answers_(answers) {}
  bool Query(int, TimeZoneInformation& info) const override {
    if (answers_) info = info_;
    return answers_;
  }

 private:
  TimeZoneInformation info_;
  bool answers_;
};

// North American Eastern time: UTC-5, daylight UTC-4 from the second Sunday of
// March 02:00 to the first Sunday of November 02:00.
TimeZoneInformation EasternZone() {
  TimeZoneInformation tz;
  tz.Bias = 300;
  tz.StandardBias = 0;
  tz.DaylightBias = -60;
  tz.DaylightDate = {3, 2, 2, 0, 0, 0};
  tz.StandardDate = {11, 1, 2, 0, 0, 0};
  tz.DaylightInEffect = true;
  return tz;
}

// Sydney: UTC+10, daylight UTC+11 from the first Sunday of October 02:00 to the
// first Sunday of April 03:00, so the daylight period spans the new year.
TimeZoneInformation SydneyZone() {
  TimeZoneInformation tz;
  tz.Bias = -600;
  tz.DaylightBias = -60;
  tz.DaylightDate = {10, 1, 2, 0, 0, 0};
  tz.StandardDate = {4, 1, 3, 0, 0, 0};
  return tz;
}

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

TEST(Calendar, NthWeekdayOfMonth) {
  EXPECT_EQ(NthWeekdayOfMonth(7, 2024, 3, 2), 10);  // second Sunday of March 2024
  EXPECT_EQ(NthWeekdayOfMonth(7, 2024, 11, 1), 3);
  EXPECT_EQ(NthWeekdayOfMonth(7, 2024, 3, 5), 31);  // March 2024 has five Sundays
  EXPECT_EQ(NthWeekdayOfMonth(7, 2023, 2, 5), 26);  // four Sundays: the fourth
  EXPECT_EQ(NthWeekdayOfMonth(1, 2024, 1, 1), 1);   // 2024-01-01 was a Monday
  EXPECT_EQ(NthWeekdayOfMonth(0, 2024, 3, 2), 7);
  EXPECT_EQ(NthWeekdayOfMonth(7, 0, 3, 2), 7);
  EXPECT_EQ(NthWeekdayOfMonth(7, 2024, 0, 2), 7);
  EXPECT_EQ(NthWeekdayOfMonth(7, 2024, 3, 0), 7);
}

TEST(TimeZone, EasternDaylightStartsAtTheSecondSundayOfMarch) {
  const FixedZone zone(EasternZone());
  EXPECT_EQ(UtcOffsetHours(At(2024, 3, 10, 6, 57), zone), -5.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 3, 10, 7, 12), zone), -4.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 7, 15, 12), zone), -4.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 1, 15, 12), zone), -5.0L);
  // 01:30 local happens twice on 2024-11-03: first in daylight, then in standard time.
  EXPECT_EQ(UtcOffsetHours(At(2024, 11, 3, 5, 30), zone), -4.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 11, 3, 6, 30), zone), -5.0L);
}

TEST(TimeZone, EasternConversionsBothWays) {
  const FixedZone zone(EasternZone());
  const double july = At(2024, 7, 15, 12);
  EXPECT_NEAR(UtcToLocal(july, zone), At(2024, 7, 15, 8), 1e-9);
  EXPECT_NEAR(LocalToUtc(july, zone), At(2024, 7, 15, 16), 1e-9);
  EXPECT_EQ(HourOf(UtcToLocal(At(2024, 12, 24, 20), zone)), 15);
}

TEST(TimeZone, DaylightPeriodAcrossTheNewYear) {
  const FixedZone zone(SydneyZone());
  EXPECT_EQ(UtcOffsetHours(At(2024, 1, 15), zone), 11.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 7, 15), zone), 10.0L);
  EXPECT_EQ(UtcOffsetHours(At(2024, 12, 15), zone), 11.0L);
}

TEST(TimeZone, FailingQueryMeansUtc) {
  const FixedZone zone(EasternZone(), false);
  const double x = At(2024, 7, 15, 12, 34);
  EXPECT_EQ(UtcOffsetHours(x, zone), 0.0L);
  EXPECT_EQ(LocalToUtc(x, zone), x);
  EXPECT_EQ(UtcToLocal(x, zone), x);
}

TEST(TimeZone, ZoneWithoutDaylightRulesKeepsItsStandardOffset) {
  TimeZoneInformation tz;
  tz.Bias = -60;  // UTC+1 all year
  tz.DaylightBias = -60;
  const FixedZone zone(tz);
  for (double x : {At(2024, 1, 15), At(2024, 7, 15), At(2025, 12, 31, 23)})
    EXPECT_EQ(UtcOffsetHours(x, zone), 1.0L) << x;
}

// The day count is linear before 1899-12-30 too: -1.75 is 1899-12-28 06:00, and one
// hour later is -1.75 + 1/24.
TEST(TimeZone, DateTimesBeforeTheEpochShiftLikeAnyOther) {
  TimeZoneInformation tz;
  tz.Bias = -60;
  const FixedZone zone(tz);
  EXPECT_EQ(EncodeDateTimeOrZero(1899, 12, 28, 6, 0, 0, 0), -1.75L);
  EXPECT_NEAR(UtcToLocal(-1.75, zone), -1.75 + 1.0 / 24, 1e-12);
  EXPECT_NEAR(LocalToUtc(-1.75, zone), -1.75 - 1.0 / 24, 1e-12);
  const CivilDateTime c = DecodeDateTime(EncodeDateTimeOrZero(1600, 1, 1, 5, 0, 0, 0));
  EXPECT_EQ((std::array{c.Year, c.Month, c.Day, c.Hour}), (std::array{1600, 1, 1, 5}));
}
