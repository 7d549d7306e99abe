#include "core/navigation_steps.h"

#include "core/covered_range.h"

long double StepDays(std::int32_t globStep) { return globStep / 24.0L; }

long double PreviousStep(long double x, long double s) {
  return x > kRangeStart + s ? x - s : kRangeEnd - s;
}

long double NextStep(long double x, long double s) {
  // Next wraps one whole day before the range end, so it never lands on its last day.
  return x >= kRangeEnd - s - 1 ? kRangeStart + s : x + s;
}

long double AnimationWrap(long double x, long double s, bool reverse) {
  if (reverse) return x > kRangeStart + s ? x : kRangeEnd - s;
  return x >= kRangeEnd - s ? kRangeStart + s : x;
}

long double AnimationStepFrom(long double x, long double s, bool reverse) {
  return AnimationWrap(reverse ? x - s : x + s, s, reverse);
}
