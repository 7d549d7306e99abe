// The hour steps of navigation and animation and their wrap-around inside
// the covered range (covered_range.h). s is one step in days (GlobStep / 24).
#pragma once

#include <cstdint>

long double StepDays(std::int32_t globStep);

// Previous: back one step; from the range's first step to its last.
long double PreviousStep(long double x, long double s);

// Next: on one step; from the range's last day to its first step.
long double NextStep(long double x, long double s);

// The wrap an animation step applies before it shows its instant.
long double AnimationWrap(long double x, long double s, bool reverse);

// The hour an animation step shows after x: one step on (back when reverse), wrapped.
long double AnimationStepFrom(long double x, long double s, bool reverse);
