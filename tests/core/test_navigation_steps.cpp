// Stepping through 1600-3999: the wrap rules of Previous, Next and the animation.
#include <gtest/gtest.h>

#include "core/navigation_steps.h"
#include "astro/time_scales.h"

namespace {

long double At(int y, int mo, int d, int h) { return EncodeDateTimeOrZero(y, mo, d, h, 0, 0, 0); }

// Instants reached by steps are compared to the hour: a second is far below a step.
constexpr long double kSecond = 1.0L / 86400.0L;

TEST(PreviousStep, WrapsFromTheStartOf1600ToTheLastStepOf3999) {
  EXPECT_NEAR(PreviousStep(At(1600, 1, 1, 0), StepDays(1)), At(3999, 12, 31, 23), kSecond);
  EXPECT_NEAR(PreviousStep(At(1600, 1, 1, 12), StepDays(24)), At(3999, 12, 31, 0), kSecond);
  EXPECT_NEAR(PreviousStep(At(2024, 6, 1, 12), StepDays(2)), At(2024, 6, 1, 10), kSecond);
  EXPECT_NEAR(PreviousStep(At(2026, 1, 1, 0), StepDays(1)), At(2025, 12, 31, 23), kSecond);
}

TEST(NextStep, CrossesYearsAndWrapsFromTheLastDayOf3999) {
  EXPECT_NEAR(NextStep(At(2025, 12, 31, 23), StepDays(1)), At(2026, 1, 1, 0), kSecond);
  EXPECT_NEAR(NextStep(At(1899, 12, 29, 23), StepDays(2)), At(1899, 12, 30, 1), kSecond);
  EXPECT_NEAR(NextStep(At(3999, 12, 31, 0), StepDays(2)), At(1600, 1, 1, 2), kSecond);
  EXPECT_NEAR(NextStep(At(3999, 12, 30, 20), StepDays(2)), At(3999, 12, 30, 22), kSecond);
  EXPECT_NEAR(NextStep(At(3999, 12, 30, 22), StepDays(2)), At(1600, 1, 1, 2), kSecond);
}

TEST(AnimationWrap, ForwardShowsTheLastHoursAndThenWraps) {
  const long double s = StepDays(3);
  long double x = At(3999, 12, 31, 20);
  EXPECT_NEAR(AnimationWrap(x, s, false), x, kSecond);  // 20:00 is shown
  x += s;
  EXPECT_NEAR(AnimationWrap(x, s, false), At(1600, 1, 1, 3), kSecond);
}

TEST(AnimationWrap, ReverseWrapsFromTheStartOf1600) {
  EXPECT_NEAR(AnimationWrap(At(1600, 1, 1, 2), StepDays(3), true), At(3999, 12, 31, 21), kSecond);
  EXPECT_NEAR(AnimationWrap(At(1600, 1, 1, 4), StepDays(3), true), At(1600, 1, 1, 4), kSecond);
}

}  // namespace
