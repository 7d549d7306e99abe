// A clock for tests: always the same UTC date-time.
#pragma once

#include "core/clock.h"

class FixedClock : public Clock {
 public:
  explicit FixedClock(long double now = 0) : Now(now) {}
  long double UtcNow() const override { return Now; }
  long double Now;
};
