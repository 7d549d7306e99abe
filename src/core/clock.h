// The local clock as a date-time (day number, local wall time). The program reads
// the system's; tests pass a fixed one.
#pragma once

class Clock {
 public:
  virtual ~Clock() = default;
  virtual long double LocalNow() const = 0;
};

class SystemClock final : public Clock {
 public:
  long double LocalNow() const override;
};
