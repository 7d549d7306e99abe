#include "core/covered_range.h"

bool InCoveredRange(long double x) { return x >= kRangeStart && x < kRangeEnd; }
