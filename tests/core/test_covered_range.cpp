// The covered range: every hour of 1600 ... 3999, and nothing outside.
#include <gtest/gtest.h>

#include "astro/time_scales.h"
#include "core/covered_range.h"

namespace {

long double At(int y, int mo, int d, int h) { return EncodeDateTimeOrZero(y, mo, d, h, 0, 0, 0); }

TEST(CoveredRange, SpansEveryHourFrom1600To3999) {
  EXPECT_EQ(kRangeStart, At(1600, 1, 1, 0));
  EXPECT_EQ(kLastDay, At(3999, 12, 31, 0));
  EXPECT_EQ(kRangeEnd, kLastDay + 1);
  for (const long double x : {At(1600, 1, 1, 0), At(1899, 12, 29, 6), At(2026, 12, 8, 20), At(3999, 12, 31, 23)})
    EXPECT_TRUE(InCoveredRange(x)) << static_cast<double>(x);
  for (const long double x : {At(1599, 12, 31, 23), kRangeEnd}) EXPECT_FALSE(InCoveredRange(x));
}

}  // namespace
