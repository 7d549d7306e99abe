// A time zone for tests: a constant offset from UTC, without daylight time.
#pragma once

#include "astro/time_scales.h"

// A zone at a constant offset from UTC, without daylight time.
class FixedOffsetZone : public TimeZoneRules {
 public:
  explicit FixedOffsetZone(int localMinusUtcMinutes) : BiasMinutes(-localMinusUtcMinutes) {}
  bool Query(int, TimeZoneInformation& info) const override {
    info = TimeZoneInformation{};
    info.Bias = BiasMinutes;  // UTC = local + bias
    return true;
  }

 private:
  int BiasMinutes;
};
