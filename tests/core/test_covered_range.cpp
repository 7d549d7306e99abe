// Clocks outside NASA's 2024-2025 series are shown at the same hour of a covered year.
#include <gtest/gtest.h>

#include "core/covered_range.h"
#include "astro/time_scales.h"

namespace {

long double At(int y, int mo, int d, int h) { return EncodeDateTimeOrZero(y, mo, d, h, 0, 0, 0); }

TEST(NearestCoveredInstant, KeepsInstantsInsideTheSeries) {
  EXPECT_EQ(NearestCoveredInstant(At(2024, 2, 29, 13)), At(2024, 2, 29, 13));
  EXPECT_EQ(NearestCoveredInstant(At(2025, 12, 31, 23)), At(2025, 12, 31, 23));
}

TEST(NearestCoveredInstant, TakesTheSameHourOfTheNearestCoveredYear) {
  EXPECT_EQ(NearestCoveredInstant(At(2026, 12, 8, 15)), At(2025, 12, 8, 15));
  EXPECT_EQ(NearestCoveredInstant(At(2031, 1, 1, 0)), At(2025, 1, 1, 0));
  EXPECT_EQ(NearestCoveredInstant(At(2023, 7, 4, 6)), At(2024, 7, 4, 6));
}

TEST(NearestCoveredInstant, Turns29FebruaryInto28FebruaryOf2025) {
  EXPECT_EQ(NearestCoveredInstant(At(2028, 2, 29, 10)), At(2025, 2, 28, 10));
  EXPECT_EQ(NearestCoveredInstant(At(2020, 2, 29, 10)), At(2024, 2, 29, 10));
}

}  // namespace
