// The hour clock: NASA's row and frame numbers come from GetHourNumber, and every
// instant the window shows comes through RoundToHour.
#include <gtest/gtest.h>

#include "core/hour_clock.h"
#include "astro/time_scales.h"

namespace {

long double At(int y, int mo, int d, int h, int mi, int s = 0) {
  return EncodeDateTimeOrZero(y, mo, d, h, mi, s, 0);
}

TEST(GetHourNumber, FirstAndLastHoursOfBothYears) {
  EXPECT_EQ(GetHourNumber(At(2024, 1, 1, 0, 0)), 0);
  EXPECT_EQ(GetHourNumber(At(2024, 12, 31, 23, 0)), 8783);
  EXPECT_EQ(GetHourNumber(At(2025, 1, 1, 0, 0)), 0);
  EXPECT_EQ(GetHourNumber(At(2025, 12, 31, 23, 0)), 8759);
}

TEST(GetHourNumber, CountsAnInstantFrom58Min45SecAsTheNextHour) {
  EXPECT_EQ(GetHourNumber(At(2024, 3, 10, 4, 58)), 69 * 24 + 4);
  EXPECT_EQ(GetHourNumber(At(2024, 3, 10, 4, 58, 44)), 69 * 24 + 4);
  EXPECT_EQ(GetHourNumber(At(2024, 3, 10, 4, 58, 45)), 69 * 24 + 5);
  EXPECT_EQ(GetHourNumber(At(2024, 3, 10, 4, 59)), 1661);
  // The last 75 seconds of a year count into the hour past the table's end.
  EXPECT_EQ(GetHourNumber(At(2025, 12, 31, 23, 59)), 8760);
  // Exactly 58 min 45 s at the last hour of a year, where the day number's rounding bites.
  EXPECT_EQ(GetHourNumber(At(2024, 12, 31, 23, 58, 45)), 8784);
}

TEST(GetHourNumber, WholeHoursReachedBySteppingKeepTheirRow) {
  // Steps of 1/24 day accumulate rounding error; the row must not slip back an hour.
  long double x = At(2024, 1, 1, 0, 0);
  for (int h = 0; h < 8784; ++h, x += 1.0L / 24.0L) ASSERT_EQ(GetHourNumber(x), h) << h;
}

TEST(RoundToHour, RoundsHalfHoursUpAcrossDaysMonthsAndYears) {
  EXPECT_EQ(RoundToHour(At(2024, 1, 31, 23, 40), false), At(2024, 2, 1, 0, 0));
  EXPECT_EQ(RoundToHour(At(2025, 12, 31, 23, 30), false), At(2026, 1, 1, 0, 0));
  EXPECT_EQ(RoundToHour(At(2024, 2, 28, 23, 30), false), At(2024, 2, 29, 0, 0));
  EXPECT_EQ(RoundToHour(At(2024, 6, 9, 14, 29, 59), false), At(2024, 6, 9, 14, 0));
  EXPECT_EQ(RoundToHour(At(2024, 6, 9, 14, 30), true), At(2024, 6, 9, 14, 0));
}

// A whole hour, even one a day count's rounding leaves a hair off, stays; any part of
// an hour goes on to the next, across the year's end.
TEST(HourAtOrAfter, TakesTheNextWholeHourUnlessOnOne) {
  EXPECT_EQ(HourAtOrAfter(At(2024, 6, 14, 18, 0) + 1e-12L), At(2024, 6, 14, 18, 0));
  EXPECT_EQ(HourAtOrAfter(At(2024, 6, 14, 18, 15)), At(2024, 6, 14, 19, 0));
  EXPECT_EQ(HourAtOrAfter(At(2025, 12, 31, 23, 0, 1)), At(2026, 1, 1, 0, 0));
}

}  // namespace
