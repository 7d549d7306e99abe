#include "core/covered_range.h"

#include <algorithm>

bool InCoveredRange(long double x) { return x >= kRangeStart && x < kRangeEnd; }

long double IntoCoveredRange(long double x) {
  return InCoveredRange(x) ? x : std::clamp(x, kRangeStart, kRangeEnd - 1.0L / 24);
}
