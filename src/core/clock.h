// The present as a UTC date-time. The program reads the system's clock; tests pass a
// fixed one.
#pragma once

class Clock {
 public:
  virtual ~Clock() = default;
  virtual long double UtcNow() const = 0;
};

class SystemClock final : public Clock {
 public:
  long double UtcNow() const override;
};
