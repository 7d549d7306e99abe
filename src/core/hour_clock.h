// The hour clock: how a UTC instant becomes the row of NASA's hourly tables
// (and, plus one, the frame number), and rounding of instants to whole hours.
#pragma once

#include <cstdint>

// Zero-based UTC hour of the calendar year of x. An instant 58 min 45 s or more past
// a whole hour already counts as the next hour, so 04:59:30 gives the 05:00 hour.
std::int32_t GetHourNumber(long double x);

// x at a whole hour: minutes of 30 or more round up unless Truncate is set;
// the day, month and year roll over as the calendar requires.
long double RoundToHour(long double x, bool Truncate);

// The first whole hour at or after x, to the millisecond.
long double HourAtOrAfter(long double x);
