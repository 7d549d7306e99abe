// The local clock as a date-time (day number, local wall time). The program reads
// the system clock; tests install a fixed one.
#pragma once

#include <functional>

long double LocalClockNow();
void SetLocalClock(std::function<long double()> clock);  // an empty function restores the system's
