// A time zone for tests: a constant offset from UTC, without daylight time.
#pragma once

#include "astro/time_scales.h"

// A zone at a constant offset from UTC, without daylight time.
class FixedOffsetZone : public TimeZoneRules {
 public:
  explicit FixedOffsetZone(int localMinusUtcMinutes) : OffsetSeconds(localMinusUtcMinutes * 60) {}
  std::optional<int> OffsetSecondsAt(double) const override { return OffsetSeconds; }

 private:
  int OffsetSeconds;
};
