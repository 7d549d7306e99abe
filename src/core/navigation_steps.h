// The hour steps of navigation and animation and their wrap-around inside
// 2024-2025. s is one step in days (GlobStep / 24).
#pragma once

#include <cstdint>

long double StepDays(std::int32_t globStep);

// Previous: back one step; from the first step of 2024 to the last step of 2025.
long double PreviousStep(long double x, long double s);

// Next: on one step; from the last day of 2025 to the first step of 2024.
long double NextStep(long double x, long double s);

// The wrap an animation step applies before it shows its instant.
long double AnimationWrap(long double x, long double s, bool reverse);
